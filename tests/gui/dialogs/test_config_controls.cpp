// The controls every configuration dialog shares: the edit field's typed
// limit and upper case, the three-state Connect box, the prefix rule of the
// boxes and the route row's codes.
#include <QRadioButton>
#include <QtTest>

#include "dialogs/ConfigControls.h"
#include "tests/support/QtTestRegistry.h"

class TestConfigControls : public QObject {
    Q_OBJECT
private slots:
    void typedLimitBoundsTypingButNotTheDialogsText() {
        CConfigEdit edit(nullptr, true);
        edit.LimitText(2);
        edit.SetWindowText(QStringLiteral("1f4"));
        QCOMPARE(edit.text(), QString("1f4"));
        edit.setFocus();
        edit.end(false);
        QTest::keyClicks(&edit, "5");
        QCOMPARE(edit.text(), QString("1f4"));
        // A text set longer than the limit can still be shortened and changed.
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QString("1f"));
        edit.selectAll();
        QTest::keyClicks(&edit, "abc");
        QCOMPARE(edit.text(), QString("AB"));
        edit.selectAll();
        edit.insert(QStringLiteral("12345"));
        QCOMPARE(edit.text(), QString("AB"));
    }

    void upperCaseAppliesToTypedKeysOnly() {
        CConfigEdit upper(nullptr, true);
        upper.SetWindowText(QStringLiteral("c"));
        upper.end(false);
        QTest::keyClicks(&upper, "0x");
        QCOMPARE(upper.text(), QString("c0X"));
        CConfigEdit plain(nullptr, false);
        QTest::keyClicks(&plain, "1f");
        QCOMPARE(plain.text(), QString("1f"));
    }

    void connectBoxKeepsItsStateWhenClicked() {
        for (const int state : {int(kConnectClear), int(kConnectTicked), int(kConnectGreyed)}) {
            CConnectBox box(QStringLiteral("Connect"), nullptr);
            box.SetCheck(state);
            QCOMPARE(box.GetCheck(), state);
            QSignalSpy clicks(&box, &QCheckBox::clicked);
            box.click();
            QCOMPARE(clicks.count(), 1);
            QCOMPARE(box.GetCheck(), state);
        }
        CConnectBox box(QStringLiteral("Connect"), nullptr);
        box.SetCheck(kConnectGreyed);
        QCOMPARE(box.checkState(), Qt::PartiallyChecked);
        box.SetCheck(kConnectTicked);
        QCOMPARE(box.checkState(), Qt::Checked);
    }

    void chipsAreConnectedAsAPrefix() {
        // Boxes of five chips with two connected: ticked, ticked, clear, greyed, greyed.
        QList<int> states;
        for (int i = 0; i < 5; ++i) states << PrefixBoxState(i, 2);
        QCOMPARE(states, (QList<int>{kConnectTicked, kConnectTicked, kConnectClear, kConnectGreyed, kConnectGreyed}));
        QCOMPARE(PrefixCountAfterClick(kConnectClear, 2, 2), 3);
        QCOMPARE(PrefixCountAfterClick(kConnectTicked, 0, 2), 0);
        QCOMPARE(PrefixCountAfterClick(kConnectTicked, 1, 2), 1);
        QCOMPARE(PrefixCountAfterClick(kConnectGreyed, 4, 2), 2);
    }

    void routeRowStoresTheRadioIndexPlusThree() {
        QWidget parent;
        CRouteRow row(&parent, "NONE");
        QCOMPARE(row.Radios().first()->text(), QString("NONE"));
        const QList<u8> codes{0, 4, 5, 6, 7};
        for (int r = 0; r < CRouteRow::kRadios; ++r) {
            row.Radios()[r]->click();
            QCOMPARE(row.Code(0xEE), codes[r]);
            row.SetCode(codes[r]);
            QVERIFY(row.Radios()[r]->isChecked());
        }
        // A code no radio stands for shows none and is kept unless one is chosen.
        for (const u32 odd : {1u, 3u, 8u, 0x104u}) {
            row.SetCode(odd);
            for (QRadioButton* pRadio : row.Radios()) QVERIFY(!pRadio->isChecked());
            QCOMPARE(row.Code(u8(odd)), u8(odd));
        }
        row.Radios()[2]->click();
        QCOMPARE(row.Code(3), u8(5));
    }
};

TORVAN_TEST_CLASS(TestConfigControls);
#include "test_config_controls.moc"
