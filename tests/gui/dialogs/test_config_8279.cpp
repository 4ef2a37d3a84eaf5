// The 8279 dialog as a user works it: the segment-code table's list, Add and
// Delete, connecting the chip, and what OK and Cancel leave in g_Sim.
#include <QListWidget>
#include <cstring>

#include "dialogs/Configdl8279.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/QtTestRegistry.h"

namespace {
using Dlg = C8279ConfigDlg;

QStringList Lines(OpenDialog<Dlg>& dlg) {
    auto* pList = qobject_cast<QListWidget*>(dlg.Item(Dlg::IDC_TABLE));
    QStringList lines;
    for (int row = 0; row < pList->count(); ++row) lines << pList->item(row)->text();
    return lines;
}

void SelectLine(OpenDialog<Dlg>& dlg, int row) {
    auto* pList = qobject_cast<QListWidget*>(dlg.Item(Dlg::IDC_TABLE));
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, Qt::NoModifier,
                      pList->visualItemRect(pList->item(row)).center());
}

void Add(OpenDialog<Dlg>& dlg, const QString& code, const QString& chars) {
    dlg.Type(Dlg::IDC_CODE, code);
    dlg.Type(Dlg::IDC_CHAR, chars);
    dlg.Click(Dlg::IDC_ADD);
}

QByteArray Entry(int code) { return QByteArray(g_Sim.m_8279SegTable[code], CSimulator::k8279SegTextSize); }

void Connect8279() {
    g_Sim.m_b8279Connected = 1;
    g_Sim.m_n8279Address = 0x60;
    g_Irq8279Route = 5;
}
}  // namespace

class TestConfig8279 : public QObject {
    Q_OBJECT
private slots:
    void init() { StartFromPowerOn(); }

    void emptyTableOpensOnCode00AndConnectEnablesTheFields() {
        OpenDialog<Dlg> dlg;
        QCOMPARE(dlg->windowTitle(), QString("8279 Configuration"));
        QVERIFY(Lines(dlg).isEmpty());
        QCOMPARE(dlg.Text(Dlg::IDC_CODE), QString("00"));
        QCOMPARE(dlg.Text(Dlg::IDC_CHAR), QString());
        QVERIFY(dlg.HasFocus(Dlg::IDC_CONNECT));
        for (int id : {int(Dlg::IDC_ADDRESS), int(Dlg::IDC_CODE), int(Dlg::IDC_TABLE), int(Dlg::IDC_ADD),
                       int(Dlg::IDC_IRQ_NONE)})
            QVERIFY(!dlg.Enabled(id));
        dlg.Click(Dlg::IDC_CONNECT);
        QVERIFY(dlg.Enabled(Dlg::IDC_ADDRESS));
        dlg.Type(Dlg::IDC_ADDRESS, "7c");
        dlg.Click(Dlg::IDC_IRQ_NONE + 4);
        QVERIFY(dlg.Ok());
        QCOMPARE(int(g_Sim.m_b8279Connected), 1);
        QCOMPARE(int(g_Sim.m_n8279Address), 0x7C);
        QCOMPARE(int(g_Irq8279Route), 7);
    }

    void addReplacesTheLineOfItsCodeAndOkStoresIt() {
        Connect8279();
        std::strcpy(g_Sim.m_8279SegTable[0x0A], "A");
        std::strcpy(g_Sim.m_8279SegTable[0x0B], "b");
        OpenDialog<Dlg> dlg;
        QCOMPARE(Lines(dlg), (QStringList{"0a      A", "0b      b"}));
        QCOMPARE(dlg.Text(Dlg::IDC_CODE), QString("0a"));
        QCOMPARE(dlg.Text(Dlg::IDC_CHAR), QString("A"));
        Add(dlg, "0A", "B");
        // The list sorts without regard to case.
        QCOMPARE(Lines(dlg), (QStringList{"0A     B", "0b      b"}));
        QCOMPARE(dlg.Text(Dlg::IDC_CODE), QString("0A"));
        Add(dlg, "1e", "E");
        QCOMPARE(dlg.Text(Dlg::IDC_CODE), QString("1f"));
        Add(dlg, "1f", "E");
        QCOMPARE(dlg.Text(Dlg::IDC_CODE), QString("20"));
        QVERIFY(dlg.Ok());
        QCOMPARE(Entry(0x0A), QByteArray("B\0\0", 3));
        QCOMPARE(Entry(0x1E), QByteArray("E\0\0", 3));
        QCOMPARE(Entry(0x1F), QByteArray("E\0\0", 3));
        QCOMPARE(Entry(0x0B), QByteArray("b\0\0", 3));
    }

    void oneDigitCodeReplacesTheLineOfItsNumber() {
        Connect8279();
        std::strcpy(g_Sim.m_8279SegTable[0x01], "A");
        std::strcpy(g_Sim.m_8279SegTable[0x1A], "Z");
        OpenDialog<Dlg> dlg;
        Add(dlg, "1", "Q");
        // Code 1 is 01: the line of 1A, which begins with the same digit, stays.
        QCOMPARE(Lines(dlg), (QStringList{"1     Q", "1a      Z"}));
        QVERIFY(dlg.Ok());
        QCOMPARE(Entry(0x01), QByteArray("Q\0\0", 3));
        QCOMPARE(Entry(0x1A), QByteArray("Z\0\0", 3));
    }

    void codesBeyondTheTableAreNeverWritten() {
        Connect8279();
        MessageLog log;
        OpenDialog<Dlg> dlg;
        Add(dlg, "ff", "8.");
        QCOMPARE(dlg.Text(Dlg::IDC_CODE), QString("100"));
        dlg.Type(Dlg::IDC_CHAR, "X");
        dlg.Click(Dlg::IDC_ADD);
        QCOMPARE(log.Take(), (QList<ShownMessage>{{"Please enter no more than 2 characters.", kAppTitle}}));
        Add(dlg, "g", "X");
        QCOMPARE(log.Take(), (QList<ShownMessage>{{"Entered value is not correct", kAppTitle}}));
        QVERIFY(dlg.HasFocus(Dlg::IDC_CODE));
        // Empty or blank characters make Add do nothing.
        Add(dlg, "12", " ");
        QCOMPARE(Lines(dlg), QStringList{"FF     8."});
        QVERIFY(dlg.Ok());
        QCOMPARE(Entry(0xFF), QByteArray("8.\0", 3));
        for (int code = 0; code < 0xFF; ++code) QCOMPARE(g_Sim.m_8279SegTable[code][0], '\0');
    }

    void deleteClearsTheEntryAtOnceAndCancelKeepsItCleared() {
        Connect8279();
        std::strcpy(g_Sim.m_8279SegTable[0x0A], "A");
        std::strcpy(g_Sim.m_8279SegTable[0x3F], "0");
        MessageLog log;
        OpenDialog<Dlg> dlg;
        SelectLine(dlg, 1);
        QCOMPARE(dlg.Text(Dlg::IDC_CODE), QString("3f"));
        QCOMPARE(dlg.Text(Dlg::IDC_CHAR), QString("0"));
        dlg.Click(Dlg::IDC_DELETE);
        QCOMPARE(log.Take(), (QList<ShownMessage>{{"Delete String", "Delete Message"}}));
        QCOMPARE(Lines(dlg), QStringList{"0a      A"});
        QCOMPARE(g_Sim.m_8279SegTable[0x3F][0], '\0');
        // With no line selected Delete only shows its box.
        dlg.Click(Dlg::IDC_DELETE);
        QCOMPARE(log.Take().size(), 1);
        QCOMPARE(Lines(dlg), QStringList{"0a      A"});
        QVERIFY(dlg.Cancel());
        QCOMPARE(g_Sim.m_8279SegTable[0x3F][0], '\0');
        QCOMPARE(Entry(0x0A), QByteArray("A\0\0", 3));
    }

    void okMendsAnEntryWithoutItsNul() {
        Connect8279();
        std::memcpy(g_Sim.m_8279SegTable[0x21], "XYZ", 3);
        OpenDialog<Dlg> dlg;
        QCOMPARE(Lines(dlg), QStringList{"21      XY"});
        QVERIFY(dlg.Ok());
        QCOMPARE(Entry(0x21), QByteArray("XY\0", 3));
    }

    void untickingConnectKeepsAddressRouteAndTable() {
        Connect8279();
        std::strcpy(g_Sim.m_8279SegTable[0x06], "1");
        OpenDialog<Dlg> dlg;
        QVERIFY(dlg.Checked(Dlg::IDC_IRQ_NONE + 2));
        dlg.Type(Dlg::IDC_ADDRESS, "99");
        dlg.Click(Dlg::IDC_CONNECT);
        QVERIFY(!dlg.Enabled(Dlg::IDC_ADDRESS));
        QVERIFY(dlg.Ok());
        QCOMPARE(int(g_Sim.m_b8279Connected), 0);
        QCOMPARE(int(g_Sim.m_n8279Address), 0x60);
        QCOMPARE(int(g_Irq8279Route), 5);
        QCOMPARE(Entry(0x06), QByteArray("1\0\0", 3));
    }

    void addressWithoutDigitsIsRefused() {
        Connect8279();
        MessageLog log;
        OpenDialog<Dlg> dlg;
        Add(dlg, "40", "-");
        dlg.Type(Dlg::IDC_ADDRESS, "");
        QVERIFY(!dlg.Ok());
        QCOMPARE(log.Take(), (QList<ShownMessage>{{"Entered value is not correct", kAppTitle}}));
        QVERIFY(dlg.HasFocus(Dlg::IDC_ADDRESS));
        QCOMPARE(g_Sim.m_8279SegTable[0x40][0], '\0');
        QVERIFY(dlg.Cancel());
        QCOMPARE(int(g_Sim.m_n8279Address), 0x60);
    }
};

TORVAN_TEST_CLASS(TestConfig8279);
#include "test_config_8279.moc"
