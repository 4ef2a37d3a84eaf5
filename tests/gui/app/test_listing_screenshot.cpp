// Opens the bundled example, steps into it and marks a breakpoint, then checks
// what the main window shows. With TORVAN_SCREENSHOT set to a file path it
// also saves a picture of the main window there (the README's screenshot).
#include <QDir>
#include <QFileInfo>

#include "app/Brixcfrm.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
constexpr int kSteps = 6;
constexpr int kBreakpointDistance = 3;
constexpr int kRunLimitMs = 5000;

QString ExamplePath() {
    const QDir examples(QStringLiteral(TORVAN_EXAMPLES));
    const QString counter = examples.filePath(QStringLiteral("counter.hex"));
    if (QFileInfo::exists(counter)) return counter;
    const QStringList hex = examples.entryList({QStringLiteral("*.hex")}, QDir::Files, QDir::Name);
    return hex.isEmpty() ? QString() : examples.filePath(hex.first());
}
}  // namespace

class TestListingScreenshot : public QObject {
    Q_OBJECT
private slots:
    void mainWindowOnTheExample() {
        const QString example = ExamplePath();
        if (example.isEmpty()) QSKIP("no example program");
        QFile file(example);
        QVERIFY(file.open(QIODevice::ReadOnly));
        ProgramWindowFixture f;
        // The example is opened from a copy, so that its folder is not written.
        QVERIFY(f.m_dir.isValid());
        QVERIFY(QFile::copy(example, f.m_dir.filePath(QStringLiteral("example.hex"))));
        const QString cfg = QFileInfo(example).path() + '/' + QFileInfo(example).completeBaseName() + ".cfg";
        if (QFileInfo::exists(cfg)) QVERIFY(QFile::copy(cfg, f.m_dir.filePath(QStringLiteral("example.cfg"))));
        QVERIFY(f.StartFile(f.m_dir.filePath(QStringLiteral("example.hex"))));

        // The window takes its place from the main window's settled size.
        QTest::qWait(50);
        if (auto* frame = qobject_cast<CTorvanFrm*>(f.m_view->parentWidget()))
            frame->PreCreateWindow(f.m_frame->MDIClient()->viewport()->size());
        QTest::qWait(50);

        for (int i = 0; i < kSteps; ++i) f.Command(ID_RUN_SINGLESTEP);
        QVERIFY(f.MarkerOn(g_CurrentLine));
        QCOMPARE(g_Sim.m_LineAddress[g_CurrentLine - 1], u32(g_Sim.m_pc));

        // A breakpoint a few lines on; Run stops there, one more step.
        const int row = g_CurrentLine - f.m_view->m_nTopLine + kBreakpointDistance;
        QVERIFY(row < f.m_view->m_nRowsPerPage);
        const u32 breakpoint = g_Sim.m_LineAddress[f.m_view->LineOfRow(row) - 1];
        f.DoubleClickRow(row);
        QVERIFY(f.Row(row).startsWith(" [BR]"));
        {
            // Should the example change so that the breakpoint is never
            // reached, the run ends and the test reports it.
            QObject context;
            QTimer::singleShot(kRunLimitMs, &context, [] { g_Sim.m_bStopRequest = 1; });
            f.Command(ID_RUN_RUN);
        }
        QCOMPARE(u32(g_Sim.m_pc), breakpoint);
        QCOMPARE(f.Pane(0), QString("Execution terminated....."));
        f.Command(ID_RUN_SINGLESTEP);
        QVERIFY(f.MarkerOn(g_CurrentLine));
        f.m_view->setFocus();
        QVERIFY(f.m_messages.isEmpty());

        const QImage picture = f.m_frame->grab().toImage();
        QVERIFY(!picture.isNull());
        const QString target = qEnvironmentVariable("TORVAN_SCREENSHOT");
        if (!target.isEmpty()) QVERIFY(picture.save(target));
    }
};

TORVAN_TEST_CLASS(TestListingScreenshot);
#include "test_listing_screenshot.moc"
