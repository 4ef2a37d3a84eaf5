// Opens every configuration dialog on a board as the help describes it and
// checks what each shows. With TORVAN_HELP_IMAGES set to a folder it also
// saves a picture of each there: the help's and the README's screenshots
// (res/help/), made headless and alike on every run.
#include <QDir>
#include <QImage>
#include <cstring>

#include "dialogs/Configdl.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// The board the pictures show.
void SetUpBoard() {
    StartFromPowerOn();
    g_Sim.m_b8279Connected = 1;
    g_Sim.m_n8279Address = 0x60;
    g_Irq8279Route = 5;
    const char* const digits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "b", "C", "d", "E", "F"};
    for (int code = 0; code < 16; ++code) std::strcpy(g_Sim.m_8279SegTable[code], digits[code]);
    g_Sim.m_n8251Count = 1;
    g_Sim.m_n8251Address[0] = 0x08;
    g_Irq8251Route[0] = 6;
    g_Sim.m_n8253Count = 2;
    g_Sim.m_8253Address[0] = 0x10;
    g_Sim.m_8253Address[1] = 0x14;
    g_Sim.m_TimerPrescaler[0] = 0xA;
    g_Sim.m_Timer[0].m_nIrqRoute = 4;
    g_Sim.m_n8255Count = 1;
    g_Sim.m_8255Address[0] = 0x40;
    g_Sim.m_b8155Connected = 1;
    g_Sim.m_n8155Address = 0x20;
    g_Sim.m_TimerPrescaler[15] = 0xA;
    g_Sim.m_Timer[15].m_nIrqRoute = 7;
    g_Sim.TimersWritten();
    g_Sim.m_bLcdConnected = 1;
    g_Sim.m_nLcdAddress = 0x50;
    g_Sim.m_nLcdCharsLogical = 16;
}

template <class Dialog> void Picture(const char* name, const QString& caption) {
    OpenDialog<Dialog> dlg;
    QCOMPARE(dlg->windowTitle(), caption);
    const QImage picture = dlg->grab().toImage();
    QVERIFY(!picture.isNull());
    const QString folder = qEnvironmentVariable("TORVAN_HELP_IMAGES");
    if (!folder.isEmpty()) QVERIFY(picture.save(QDir(folder).filePath(QString::fromLatin1(name))));
}
}  // namespace

class TestHelpImages : public QObject {
    Q_OBJECT
private slots:
    void init() { SetUpBoard(); }

    void everyConfigurationDialog() {
        Picture<C8279ConfigDlg>("dialog-8279.png", "8279 Configuration");
        Picture<C8251ConfigDlg>("dialog-8251.png", "8251 Configuration");
        g_nChipDlgKind = kChipDlg8253;
        Picture<CChipConfigDlg>("dialog-chips.png", "8253 Configuration");
        Picture<C8155ConfigDlg>("dialog-8155.png", "8155 Configuration");
        Picture<CLcdConfigDlg>("dialog-lcd.png", "LCD Configuration");
        Picture<CMemoryMapDlg>("dialog-memory-map.png", "Memory Map");
        Picture<C8155TimerDlg>("dialog-timer-8155.png", "8155 Timer");
        Picture<C8253TimerDlg>("dialog-timer-8253.png", "8253 Timers");
    }
};

TORVAN_TEST_CLASS(TestHelpImages);
#include "test_help_images.moc"
