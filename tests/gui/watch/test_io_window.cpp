// The I/O watch: the row of every kind of entry after Reset and after a
// program has set the chips up, entries added from the configured chips
// (newest on top) and deleted, at most sixteen, and the input given to the
// chips from Edit, read back by the program with IN.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "dialogs/8253InpDlg.h"
#include "dialogs/ChipRadioGroup.h"
#include "dialogs/MemWatchAddDlg.h"
#include "tests/support/EveryChip.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"
#include "tests/support/WatchWindows.h"
#include "watch/GetIOWatchDlg.h"
#include "watch/IOInpDlg.h"
#include "watch/IOListWatch.h"

namespace {
const QString kHint = QStringLiteral("To add watch, just right-click here...");
constexpr u8 kHlt = 0x76;

// Sets up every chip of EveryChip's machine with OUT instructions, then halts.
const QByteArray kSetUpProgram = Program({
    0x31, 0x00, 0xF0,                                // LXI SP,F000
    0x3E, 0x00, 0xD3, 0x61,                          // 8279: 8 digits, left entry
    0x3E, 0x90, 0xD3, 0x61,                          // 8279: write display from digit 0, auto-increment
    0x3E, 0x01, 0xD3, 0x60,                          //   digit 0: 01
    0x3E, 0x0A, 0xD3, 0x60,                          //   digit 1: 0A
    0x3E, 0x0B, 0xD3, 0x60,                          //   digit 2: 0B
    0x3E, 0x01, 0xD3, 0x20,                          // 8155: A output, B and C input
    0x3E, 0x3C, 0xD3, 0x21,                          //   port A: 3C
    0x3E, 0x8A, 0xD3, 0x43,                          // 8255 #1: A out, C upper in, B in, C lower out
    0x3E, 0xA5, 0xD3, 0x40,                          //   port A: A5
    0x3E, 0x7E, 0xD3, 0x31,                          // 8251 #1: x16, 8 bits, even parity, 1 stop bit
    0x3E, 0x05, 0xD3, 0x31,                          //   transmitter and receiver on
    0x3E, 0x41, 0xD3, 0x30,                          //   sends 41
    0x3E, 0x36, 0xD3, 0xA3,                          // 8253 #1 counter 0: mode 3, low then high byte
    0x3E, 0x10, 0xD3, 0xA0, 0x3E, 0x00, 0xD3, 0xA0,  //   count 0010
    0x3E, 0x72, 0xD3, 0xA3,                          //   counter 1: mode 1
    0x3E, 0x38, 0xD3, 0x58, 0x3E, 0x0C, 0xD3, 0x58,  // LCD: function set, display on
    0x3E, 0x48, 0xD3, 0x59, 0x3E, 0x69, 0xD3, 0x59,  //   "Hi"
    kHlt,
});

QString Lcd(int line, const QString& text) {
    return QString("  LCD Line #%1 : %2").arg(line).arg(text.leftJustified(EveryChip::kLcdChars));
}

// The rows of EveryChip's sixteen entries that stay the same in both states.
QStringList TailRows() {
    return {"  8255 #6 not connected !", "  8253 #301 not connected !", "  Peripheral 1234 # 3",
            "Not a valid peripheral!"};
}

// Answers the peripheral choice of Edit with one radio.
void ChoosePeripheral(int peripheral) {
    AnswerModal<CIOInpDlg>([peripheral](CIOInpDlg* pDlg) {
        QVERIFY(pDlg->Radio(CIOInpDlg::k8255)->isChecked());
        pDlg->Radio(peripheral)->setChecked(true);
        pDlg->accept();
    });
}

// Answers one value dialog with a caption to expect and a text; then is
// ready for the next dialog of the chain, if any.
void AnswerByte(const QString& caption, const QString& typed, std::function<void()> next = {}) {
    AnswerModal<CMemWatchAddDlg>([=](CMemWatchAddDlg* pDlg) {
        QCOMPARE(pDlg->windowTitle(), caption);
        pDlg->ValueEdit()->setText(typed);
        pDlg->accept();
        if (next) next();
    });
}
}  // namespace

class TestIOWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramWindowFixture> m_f;
    CIOListWatch* m_pView = nullptr;

    bool Start(const QByteArray& program) {
        m_f = std::make_unique<ProgramWindowFixture>();
        if (!m_f->Start(program)) return false;
        m_pView = FindView<CIOListWatch>(m_f->m_doc);
        return m_pView != nullptr;
    }
    void RunToHalt() {
        for (int i = 0; i < 100000 && g_Sim.m_pMemory[g_Sim.m_pc] != kHlt; ++i) g_Sim.ExecuteInstruction();
        QCOMPARE(g_Sim.m_pMemory[g_Sim.m_pc], kHlt);
        m_f->Command(ID_RUN_SINGLESTEP);
    }
    // Edit, as a user gives it from the right-click menu.
    void Edit(int peripheral) {
        RightClickChoose(m_pView, -1, QStringLiteral("&Edit"), [peripheral] { ChoosePeripheral(peripheral); });
    }

private slots:
    void cleanup() { m_f.reset(); }

    void everyKindOfRowAfterResetAndAfterSetUp() {
        QVERIFY(Start(kSetUpProgram));
        EveryChip::Configure();
        EveryChip::WatchEveryKind();
        std::strcpy(g_Sim.m_8279SegTable[0x01], "1");
        std::strcpy(g_Sim.m_8279SegTable[0x0A], "AB");
        m_f->Command(ID_RUN_CPURESET);
        QStringList reset = {
            "  8279 Display : 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
            "  8155 : PA (I/P) = 00, PB (I/P) = 00, PC (I/P) = 00",
            Lcd(1, ""),
            Lcd(2, ""),
            Lcd(3, ""),
            Lcd(4, ""),
            "  8255 #1 : PA (I/P) = 00, PB (I/P) = 00, PC (I/P,I/P) = 00",
            "  8255 #2 : PA (I/P) = 00, PB (I/P) = 00, PC (I/P,I/P) = 00",
            "  8251 #1 : Divisor=1, NONE, 8 Bits, 1 Bit, Tx=DS, Rx=DS, Stat=05",
            "  8251 #2 : Divisor=1, NONE, 8 Bits, 1 Bit, Tx=DS, Rx=DS, Stat=05",
            "  8253 #1 : (T0:Md=0,Gt=0,O/p=HI),(T1:Md=0,Gt=0,O/p=HI),(T2:Md=0,Gt=0,O/p=HI)",
            "  8253 #2 : (T0:Md=0,Gt=0,O/p=HI),(T1:Md=0,Gt=0,O/p=HI),(T2:Md=0,Gt=0,O/p=HI)",
        };
        QCOMPARE(Rows(m_pView), reset + TailRows());

        RunToHalt();
        QStringList setUp = reset;
        setUp[0] = "  8279 Display : 1  AB 0B 00 00 00 00 00";
        setUp[1] = "  8155 : PA (O/P) = 3C, PB (I/P) = 00, PC (I/P) = 00";
        setUp[2] = Lcd(1, "Hi");
        setUp[6] = "  8255 #1 : PA (O/P) = A5, PB (I/P) = 00, PC (I/P,O/P) = 00";
        setUp[8] = "  8251 #1 : Divisor=16, EVEN, 8 Bits, 1 Bit, Tx=EN, Rx=EN, Stat=05, O/p=41";
        setUp[10] = "  8253 #1 : (T0:Md=3,Gt=0,O/p=HI),(T1:Md=1,Gt=0,O/p=HI),(T2:Md=0,Gt=0,O/p=HI)";
        QCOMPARE(Rows(m_pView), setUp + TailRows());

        // Chips unconfigured since: their entries stay, reading "not connected !".
        g_Sim.m_b8279Connected = 0;
        g_Sim.m_b8155Connected = 0;
        g_Sim.m_bLcdConnected = 0;
        g_Sim.m_n8255Count = 1;
        g_Sim.m_n8251Count = 0;
        g_Sim.m_n8253Count = 1;
        m_f->Command(ID_RUN_SINGLESTEP);
        const QStringList rows = Rows(m_pView);
        QCOMPARE(rows.mid(0, 3),
                 (QStringList{"  8279 not connected !", "  8155 not connected !", "  LCD not connected !"}));
        QCOMPARE(rows[7], QString("  8255 #2 not connected !"));
        QCOMPARE(rows[8], QString("  8251 #1 not connected !"));
        QCOMPARE(rows[11], QString("  8253 #2 not connected !"));
        QCOMPARE(rows[6], setUp[6]);
    }

    void rowsStayBoundedWhateverTheConfigurationHeld() {
        QVERIFY(Start(Program({0x00})));
        EveryChip::Configure();
        EveryChip::WatchEveryKind();
        // Segment texts without their end, a display size beyond the RAM,
        // LCD lines twice as long as a row shows.
        for (auto& text : g_Sim.m_8279SegTable) std::memset(text, 'X', sizeof text);
        g_Sim.m_n8279Digits = 300;
        g_Sim.m_nLcdCharsLogical = 40;
        g_Sim.m_nLcdCharsPhysical = 20;
        g_Sim.m_bLcdDisplayOn = 1;
        std::memset(g_Sim.m_LcdRam, 'x', sizeof g_Sim.m_LcdRam);
        m_pView->FillList(true);
        const QStringList rows = Rows(m_pView);
        QCOMPARE(rows[0], "  8279 Display : " + QStringList(16, "XX").join(' '));
        QCOMPARE(rows[2], "  LCD Line #1 : " + QString(40, QLatin1Char('x')));
    }

    void addOffersTheConfiguredChips_data() {
        QTest::addColumn<bool>("every");
        QTest::addColumn<QStringList>("choices");
        QTest::newRow("LCD only") << false << QStringList{"LCD Line #1", "LCD Line #2", "LCD Line #3", "LCD Line #4"};
        QStringList every{"8279", "8155", "LCD Line #1", "LCD Line #2", "LCD Line #3", "LCD Line #4"};
        for (const char* chip : {"8255", "8251", "8253"})
            for (int k = 1; k <= kMaxChips; ++k) every << QString("%1 # %2").arg(chip).arg(k);
        QTest::newRow("every chip") << true << every;
    }
    void addOffersTheConfiguredChips() {
        QFETCH(bool, every);
        QFETCH(QStringList, choices);
        QVERIFY(Start(Program({0x00})));
        if (every) {
            EveryChip::Configure();
        } else {
            g_Sim.m_bLcdConnected = 1;
            g_Sim.m_nLcdCharsLogical = g_Sim.m_nLcdCharsPhysical = 40;
        }
        QStringList offered;
        RightClickChoose(m_pView, -1, QStringLiteral("&Add"), [&] {
            AnswerModal<CGetIOWatchDlg>([&](CGetIOWatchDlg* pDlg) {
                QCOMPARE(pDlg->windowTitle(), QString("Add IO Watch."));
                for (int row = 0; row < pDlg->ChoiceList()->count(); ++row)
                    offered << pDlg->ChoiceList()->item(row)->text();
                pDlg->ChoiceList()->setCurrentRow(2);
                pDlg->accept();
            });
        });
        QCOMPARE(offered, choices);
        QCOMPARE(int(g_Sim.m_nIOWatchCount), 1);
        if (!every) {
            QCOMPARE(g_IOWatchKind[0], u16(9997));
            QCOMPARE(m_pView->RowTextOf(0), "  LCD Line #3 : " + QString(40, QLatin1Char(' ')));
        } else {
            QCOMPARE(g_IOWatchKind[0], u16(9999));
        }
    }

    void newestOnTopAndDeleteTheSelected() {
        QVERIFY(Start(Program({0x00})));
        EveryChip::Configure();
        QCOMPARE(Rows(m_pView), QStringList{kHint});
        // OK with nothing selected adds the first choice; then 8253 #2 (row 17).
        for (int row : {-1, 17}) {
            RightClickChoose(m_pView, -1, QStringLiteral("&Add"), [row] {
                AnswerModal<CGetIOWatchDlg>([row](CGetIOWatchDlg* pDlg) {
                    if (row >= 0) pDlg->ChoiceList()->setCurrentRow(row);
                    pDlg->accept();
                });
            });
        }
        QCOMPARE(Rows(m_pView).size(), 2);
        QVERIFY(m_pView->RowTextOf(0).startsWith("  8253 #2 : "));
        QVERIFY(m_pView->RowTextOf(1).startsWith("  8279 Display : "));
        // Delete with nothing selected does nothing; with a row, removes it.
        m_pView->clearSelection();
        m_pView->OnDeleteWatch();
        QCOMPARE(Rows(m_pView).size(), 2);
        ClickRow(m_pView, 0);
        const QStringList offered = RightClickChoose(m_pView, 0, QStringLiteral("&Delete"));
        QCOMPARE(offered, (QStringList{"&Add", "&Delete", "&Edit", "Delete &All"}));
        QCOMPARE(Rows(m_pView).size(), 1);
        QVERIFY(m_pView->RowTextOf(0).startsWith("  8279 Display : "));
        RightClickChoose(m_pView, 0, QStringLiteral("Delete &All"));
        QCOMPARE(Rows(m_pView), QStringList{kHint});
        QCOMPARE(int(g_Sim.m_nIOWatchCount), 0);
    }

    void addNeedsAConfiguredChipAndRoom() {
        QVERIFY(Start(Program({0x00})));
        RightClickChoose(m_pView, -1, QStringLiteral("&Add"));
        QCOMPARE(m_f->m_messages, QStringList{"No Peripheral is configured !\nFrom Configuration menu, select "
                                              "appropriate peripherals."});
        QCOMPARE(Rows(m_pView), QStringList{kHint});
        EveryChip::Configure();
        EveryChip::WatchEveryKind();
        m_pView->FillList(true);
        const QStringList before = Rows(m_pView);
        m_f->m_messages.clear();
        RightClickChoose(m_pView, 0, QStringLiteral("&Add"));
        QCOMPARE(m_f->m_messages, QStringList{"Maximum 16 IO watches can be set !"});
        QCOMPARE(Rows(m_pView), before);
        QCOMPARE(int(g_Sim.m_nIOWatchCount), kMaxIOWatches);
    }

    void keysGivenToThe8279AreReadByTheKeysExample() {
        m_f = std::make_unique<ProgramWindowFixture>();
        QVERIFY(m_f->StartExample(QStringLiteral("keys")));
        m_pView = FindView<CIOListWatch>(m_f->m_doc);
        QVERIFY(m_pView);
        QVERIFY(m_pView->RowTextOf(0).startsWith("  8279 Display : "));
        for (int i = 0; i < 20; ++i) m_f->Command(ID_RUN_SINGLESTEP);
        QVERIFY(g_Sim.m_pc >= 0x004F && g_Sim.m_pc <= 0x0053);  // waiting for a key
        for (const char* key : {"5", "0C"}) {
            const QString typed = QString::fromLatin1(key);
            RightClickChoose(m_pView, 0, QStringLiteral("&Edit"), [typed] {
                ChoosePeripheral(CIOInpDlg::k8279);
                AnswerByte(QStringLiteral("Give Input to 8279"), typed);
            });
            QCOMPARE(int(g_Sim.m_n8279FifoCount), 1);
            for (int i = 0; i < 8 && g_Sim.m_n8279FifoCount != 0; ++i) m_f->Command(ID_RUN_SINGLESTEP);
            for (int i = 0; i < 3; ++i) m_f->Command(ID_RUN_SINGLESTEP);
        }
        QVERIFY2(m_pView->RowTextOf(0).endsWith("5  C "), qPrintable(m_pView->RowTextOf(0)));
        QVERIFY(m_f->m_messages.isEmpty());
    }

    void theFifoHoldsEightKeys() {
        QVERIFY(Start(Program({0x00})));
        EveryChip::Configure();
        for (int key = 1; key <= 9; ++key) {
            ChoosePeripheral(CIOInpDlg::k8279);
            AnswerByte(QStringLiteral("Give Input to 8279"), QString::number(key));
            m_pView->OnEditWatch();
            if (key == 8) QCOMPARE(int(g_Sim.m_n8279Status), 0x08);
        }
        QCOMPARE(int(g_Sim.m_n8279FifoCount), 8);
        QCOMPARE(int(g_Sim.m_n8279Status), 0x28);
        QCOMPARE(int(g_Sim.m_8279Fifo[7]), 8);
    }

    void bytesGivenToAn8251AreReadByTheProgram() {
        // Receivers on in both chips, then the byte of chip 2 read into A.
        QVERIFY(Start(Program({
            0x3E, 0x4E, 0xD3, 0x31, 0x3E, 0x04, 0xD3, 0x31,  // 8251 #1: mode, receiver on
            0x3E, 0x4E, 0xD3, 0x33, 0x3E, 0x04, 0xD3, 0x33,  // 8251 #2: mode, receiver on
            0xDB, 0x33, 0xE6, 0x02, 0xCA, 0x10, 0x00,        // wait for RxRDY of #2
            0xDB, 0x32, kHlt,                                // IN its data
        })));
        EveryChip::Configure();
        g_Sim.m_n8251Count = 3;
        for (int i = 0; i < 8; ++i) m_f->Command(ID_RUN_SINGLESTEP);
        // Chip 3 has no receiver on: it is said, and the other two are asked in turn.
        RightClickChoose(m_pView, -1, QStringLiteral("&Edit"), [] {
            ChoosePeripheral(CIOInpDlg::k8251);
            AnswerByte(QStringLiteral("Enter input to 8251 #1"), QStringLiteral("11"),
                       [] { AnswerByte(QStringLiteral("Enter input to 8251 #2"), QStringLiteral("c3")); });
        });
        QCOMPARE(m_f->m_messages, QStringList{"8251 #3 : Receiver not enabled !"});
        QCOMPARE(int(g_Sim.m_n8251RxData[0]), 0x11);
        RunToHalt();
        QCOMPARE(int(g_Sim.m_regA), 0xC3);
    }

    void absentChipsAreReported() {
        QVERIFY(Start(Program({0x00})));
        g_Sim.m_bLcdConnected = 1;
        for (int peripheral : {int(CIOInpDlg::k8279), int(CIOInpDlg::k8251), int(CIOInpDlg::k8155),
                               int(CIOInpDlg::k8255), int(CIOInpDlg::k8253)})
            Edit(peripheral);
        QCOMPARE(m_f->m_messages,
                 (QStringList{"Sorry, 8279 is not connected !", "Sorry, 8251 not connected !",
                              "Sorry, No 8155 Connected", "Sorry, No 8255 Connected", "Sorry, No 8253 Connected"}));
    }

    void theGateDialogStartsACounter() {
        // 8253 #2, counter 1: mode 0 with count 0100, waiting for its gate.
        QVERIFY(Start(Program({0x3E, 0x70, 0xD3, 0xA7, 0x3E, 0x00, 0xD3, 0xA5, 0x3E, 0x01, 0xD3, 0xA5, 0x00, 0x00, 0x00,
                               0x00, 0xC3, 0x0C, 0x00})));
        EveryChip::Configure();
        EveryChip::WatchEveryKind();
        m_pView->FillList(true);
        for (int i = 0; i < 8; ++i) m_f->Command(ID_RUN_SINGLESTEP);
        const CounterState& counter = g_Sim.m_Timer[4];
        g_Sim.SyncTimers();
        QCOMPARE(int(counter.m_bRunning), 0);
        RightClickChoose(m_pView, 0, QStringLiteral("&Edit"), [] {
            ChoosePeripheral(CIOInpDlg::k8253);
            AnswerModal<C8253InpDlg>([](C8253InpDlg* pDlg) {
                pDlg->ChipRadios()->Radio(1)->click();
                pDlg->GateBox(1)->click();
                QCOMPARE(pDlg->GateBox(1)->text(), QString("Gate 1 High"));
                pDlg->accept();
            });
        });
        g_Sim.SyncTimers();
        QCOMPARE(int(counter.m_bRunning), 1);
        QCOMPARE(m_pView->RowTextOf(11),
                 QString("  8253 #2 : (T0:Md=0,Gt=0,O/p=HI),(T1:Md=0,Gt=1,O/p=LO),(T2:Md=0,Gt=0,O/p=HI)"));
        const i32 before = counter.m_nCount;
        m_f->Command(ID_RUN_SINGLESTEP);
        g_Sim.SyncTimers();
        QVERIFY(counter.m_nCount < before);
    }
};

TORVAN_TEST_CLASS(TestIOWindow);
#include "test_io_window.moc"
