// The About box's version text from "version.txt" beside the executable, and
// the timed splash box.
#include <QElapsedTimer>
#include <QLabel>
#include <QScreen>
#include <QtTest>

#include "app/AboutDlg.h"
#include "app/SplashDlg.h"
#include "platform/AppFolder.h"
#include "tests/support/QtTestRegistry.h"
#include "tests/support/TestFile.h"

class TestAbout : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString WriteVersion(const QByteArray& bytes) { return WriteTestFile(m_dir, QStringLiteral("version.txt"), bytes); }
    QString Shown() {
        CAboutDlg dialog;
        dialog.OnInitDialog();
        auto* pLabel = dialog.findChild<QLabel*>(QStringLiteral("1114"));
        return pLabel != nullptr ? pLabel->text() : QStringLiteral("<no control 1114>");
    }

private slots:
    void init() { SetAppFolderOverride(m_dir.path()); }
    void cleanup() {
        QFile::remove(m_dir.filePath(QStringLiteral("version.txt")));
        SetAppFolderOverride(QString());
    }

    void theBoxStaysWithinTheScreenWhateverTheLineHolds() {
        for (const QByteArray& line : {QByteArray(99, 'W'), QByteArray("TORVAN ").repeated(14)}) {
            WriteVersion(line + "\n");
            CAboutDlg dialog;
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QVERIFY2(dialog.frameGeometry().width() <= dialog.screen()->availableGeometry().width(),
                     qPrintable(QString::number(dialog.frameGeometry().width())));
            // The text is kept whole; only what is drawn is cut.
            QCOMPARE(dialog.m_strVersion, QString::fromLatin1((line + "\n").left(CAboutDlg::kVersionLimit - 1)));
        }
    }

    void firstLineIsShownWithItsLineEnd() {
        WriteVersion("TORVAN 2.0 build 7\nsecond line\n");
        QCOMPARE(Shown(), QStringLiteral("TORVAN 2.0 build 7\n"));
    }

    void windowsLineEndIsOneLineEnd() {
        WriteVersion("TORVAN 2.0\r\nmore\r\n");
        QCOMPARE(Shown(), QStringLiteral("TORVAN 2.0\n"));
    }

    void lastLineWithoutLineEnd() {
        WriteVersion("Only line");
        QCOMPARE(Shown(), QStringLiteral("Only line"));
    }

    void longLineIsCutAt99() {
        WriteVersion(QByteArray(150, 'v') + "\n");
        QCOMPARE(Shown(), QString(99, QLatin1Char('v')));
        // A line end that just fits is kept; one more character pushes it out.
        WriteVersion(QByteArray(98, 'w') + "\nx");
        QCOMPARE(Shown(), QString(98, QLatin1Char('w')) + QLatin1Char('\n'));
        WriteVersion(QByteArray(99, 'w') + "\nx");
        QCOMPARE(Shown(), QString(99, QLatin1Char('w')));
    }

    void missingOrEmptyFileShowsTheBuiltInText() {
        QCOMPARE(Shown(), QStringLiteral("TORVAN Ver. 1.01"));
        WriteVersion("");
        QCOMPARE(Shown(), QStringLiteral("TORVAN Ver. 1.01"));
        QVERIFY(QFile::remove(m_dir.filePath(QStringLiteral("version.txt"))));
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("version.txt")));
        QCOMPARE(Shown(), QStringLiteral("TORVAN Ver. 1.01"));
        QDir(m_dir.path()).rmdir(QStringLiteral("version.txt"));
    }

    void boxCarriesItsCaptionAndTexts() {
        CAboutDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About TORVAN"));
        bool bProduct = false;
        for (QLabel* pLabel : dialog.findChildren<QLabel*>())
            bProduct = bProduct || pLabel->text() == QStringLiteral("Zelmor Systems' Simulator/ Debugger for 8085");
        QVERIFY(bProduct);
        // Opening the box reads the file.
        WriteVersion("Opened\n");
        dialog.show();
        QCOMPARE(dialog.m_strVersion, QStringLiteral("Opened\n"));
        dialog.close();
    }

    void buildShipsAVersionFileBesideTheExecutable() {
        SetAppFolderOverride(QString());
        const QString shipped = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("version.txt"));
        QVERIFY2(QFileInfo::exists(shipped), qPrintable(shipped));
        QVERIFY(Shown().startsWith(QStringLiteral("TORVAN Version")));
    }

    void splashEndsItselfWithResultOne() {
        CSplashDlg splash;
        QCOMPARE(splash.size(), QSize(260, 230));
        QVERIFY(splash.findChild<QWidget*>(QStringLiteral("1140")) != nullptr);
        QVERIFY(!splash.m_timer.isActive());
        splash.show();
        QVERIFY(splash.m_timer.isActive());
        QCOMPARE(splash.m_timer.interval(), 3000);
        splash.OnTimer(CSplashDlg::kTimerId);
        QVERIFY(!splash.m_timer.isActive());
        QVERIFY(!splash.isVisible());
        QCOMPARE(splash.result(), 1);
    }

    void splashShownModallyClosesAfterThreeSeconds() {
        CSplashDlg splash;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(splash.exec(), 1);
        // Not at once: the timer of about three seconds ends it.
        QVERIFY(clock.elapsed() >= 2500);
    }
};

TORVAN_TEST_CLASS(TestAbout);
#include "test_about.moc"
