// The help window's page: its contents list follows the page's sections,
// every picture it shows is bundled, and it names every menu command and
// every key that gives one.
#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QtTest>

#include "app/HelpWindow.h"
#include "res/Accelerators.h"
#include "res/MenuTables.h"
#include "tests/support/QtTestRegistry.h"

namespace {
QString PageSource() {
    QFile file(QLatin1Char(':') + QUrl(CHelpWindow::kHelpPage).path());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// An item's text as the help writes it: no "&", no key text after a tab or
// a run of blanks.
QString CommandName(const char* text) {
    QString name = QString::fromLatin1(text).remove(QLatin1Char('&'));
    return name.section(QLatin1Char('\t'), 0, 0).section(QStringLiteral("  "), 0, 0).trimmed();
}
}  // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void contentsListFollowsTheSections() {
        CHelpWindow help;
        const QString source = PageSource();
        QVERIFY(!source.isEmpty());
        QStringList chapters;
        static const QRegularExpression chapter(QStringLiteral("<h2><a name=\"[^\"]+\">([^<]+)</a></h2>"));
        for (auto it = chapter.globalMatch(source); it.hasNext();) chapters << it.next().captured(1);
        QStringList listed;
        for (int i = 0; i < help.Contents()->topLevelItemCount(); ++i)
            listed << help.Contents()->topLevelItem(i)->text(0);
        QCOMPARE(listed, chapters);
        QTreeWidgetItem* pConfigure =
            help.Contents()->findItems(QStringLiteral("Configuring the board"), Qt::MatchExactly).value(0);
        QVERIFY(pConfigure);
        QVERIFY(pConfigure->childCount() >= 8);
    }

    void everyPictureIsBundledAndShown() {
        const CHelpWindow help;
        static const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
        QStringList shown;
        for (auto it = image.globalMatch(PageSource()); it.hasNext();) {
            const QString name = it.next().captured(1);
            QVERIFY2(!QImage(QStringLiteral(":/help/") + name).isNull(), qPrintable(name));
            shown << name;
        }
        shown.sort();
        QCOMPARE(shown, QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name));
    }

    void everyCommandAndKeyIsNamed() {
        CHelpWindow help;
        const QString text = help.Page()->toPlainText();
        for (int nMenu : {IDR_MAINFRAME, IDR_TORVANTYPE}) {
            ForEachMenuItem(MenuTable(nMenu), [&](const MenuItemDef& item) {
                if (item.nID <= 0 || (item.nID >= ID_FILE_MRU_FILE1 && item.nID <= ID_FILE_MRU_FILE4)) return;
                const QString name = CommandName(item.text);
                QVERIFY2(text.contains(name, Qt::CaseInsensitive), qPrintable(name));
            });
        }
        for (int i = 0; i < kAcceleratorCount; ++i) {
            const int nID = kAccelerators[i].nID;
            // Keys whose commands do something.
            if (nID == ID_NEXT_PANE || nID == ID_PREV_PANE || nID == ID_FILE_SAVE || nID == ID_COMMAND_32795 ||
                nID == ID_COMMAND_32796 || nID == ID_COMMAND_32788)
                continue;
            const QString key = QKeySequence(kAccelerators[i].key).toString();
            QVERIFY2(text.contains(key), qPrintable(key));
        }
    }
};

TORVAN_TEST_CLASS(TestHelp);
#include "test_help.moc"
