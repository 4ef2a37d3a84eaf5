#include "dialogs/8253InpDlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "dialogs/ChipRadioGroup.h"
#include "dialogs/DialogButtons.h"
#include "periph/InterruptRoutes.h"
#include "platform/MessageBox.h"

namespace {
const char kNotConnected[] = "Sorry, No 8253 Connected";

// Counter modes, as the control word numbers them.
enum CounterMode : u8 {
    kInterruptOnCount = 0,
    kOneShot = 1,
    kRateGenerator = 2,
    kSquareWave = 3,
    kSoftwareStrobe = 4,
    kHardwareStrobe = 5,
};
}  // namespace

C8253InpDlg::C8253InpDlg(QWidget* parent) : QDialog(parent), m_pChips(new CChipRadioGroup(nullptr, "8253 #%d", this)) {
    // The template's own caption.
    setWindowTitle(QStringLiteral("Dialog"));
    connect(m_pChips, &CChipRadioGroup::chipClicked, this, &C8253InpDlg::LoadChipGates);
    auto* pGates = new QVBoxLayout;
    for (int counter = 0; counter < kCounters; ++counter) {
        auto* pBox = new QCheckBox(QStringLiteral("Timer %1").arg(counter), this);
        connect(pBox, &QCheckBox::clicked, this, &C8253InpDlg::OnGate);
        m_gateBoxes[std::size_t(counter)] = pBox;
        pGates->addWidget(pBox);
    }

    auto* pRow = new QHBoxLayout;
    pRow->addWidget(m_pChips);
    pRow->addLayout(pGates);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pRow);
    pLayout->addWidget(CreateDialogButtons(this));
}

int& C8253InpDlg::Gate(int counter) {
    int* gates[kCounters] = {&m_bGate0, &m_bGate1, &m_bGate2};
    return *gates[counter];
}

int C8253InpDlg::SlotCount() const { return kCounters * PresentChips(g_Sim.m_n8253Count); }

int C8253InpDlg::DoModal() {
    if (!OnInitDialog()) return QDialog::Rejected;
    return exec();
}

bool C8253InpDlg::OnInitDialog() {
    if (PresentChips(g_Sim.m_n8253Count) == 0) {
        AfxMessageBox(QString::fromLatin1(kNotConnected));
        return false;
    }
    g_Sim.SyncTimers();
    for (int slot = 0; slot < SlotCount(); ++slot) m_oldGate[slot] = g_Sim.m_Timer[slot].m_bGate;
    m_pChips->EnableChips(PresentChips(g_Sim.m_n8253Count));
    m_nChip = 0;
    UpdateData(false);
    LoadChipGates();
    return true;
}

void C8253InpDlg::LoadChipGates() {
    UpdateData(true);
    if (m_nChip < 0) return;
    g_Sim.SyncTimers();
    for (int counter = 0; counter < kCounters; ++counter)
        Gate(counter) = g_Sim.m_Timer[m_nChip * kCounters + counter].m_bGate != 0 ? 1 : 0;
    UpdateGateLabels();
}

void C8253InpDlg::OnGate() {
    UpdateData(true);
    UpdateGateLabels();
}

void C8253InpDlg::UpdateGateLabels() {
    for (int counter = 0; counter < kCounters; ++counter)
        m_gateBoxes[std::size_t(counter)]->setText(
            QString::asprintf("Gate %d %s", counter, Gate(counter) ? "High" : "Low"));
    UpdateData(false);
}

void C8253InpDlg::UpdateData(bool bSaveAndValidate) {
    if (bSaveAndValidate) {
        m_nChip = m_pChips->GetChecked();
        for (int counter = 0; counter < kCounters; ++counter)
            Gate(counter) = m_gateBoxes[std::size_t(counter)]->isChecked() ? 1 : 0;
        return;
    }
    m_pChips->SetChecked(m_nChip);
    for (int counter = 0; counter < kCounters; ++counter)
        m_gateBoxes[std::size_t(counter)]->setChecked(Gate(counter) != 0);
}

void C8253InpDlg::accept() {
    ApplyGates();
    QDialog::accept();
}

void C8253InpDlg::ApplyGates() {
    UpdateData(true);
    g_Sim.SyncTimers();
    if (m_nChip >= 0 && m_nChip < PresentChips(g_Sim.m_n8253Count)) {
        for (int counter = 0; counter < kCounters; ++counter)
            g_Sim.m_Timer[m_nChip * kCounters + counter].m_bGate = u8(Gate(counter));
    }
    for (int slot = 0; slot < SlotCount(); ++slot) {
        CounterState& t = g_Sim.m_Timer[slot];
        const bool bRising = m_oldGate[slot] == 0 && t.m_bGate != 0;
        switch (t.m_nMode) {
        case kInterruptOnCount:
        case kSoftwareStrobe: t.m_bRunning = t.m_bGate; break;
        case kOneShot:
            if (bRising) {
                t.m_bOut = 0;
                t.m_bRunning = 1;
                t.m_nCount = i32(t.m_nReload);
            }
            break;
        case kRateGenerator:
        case kSquareWave:
            if (t.m_bGate == 0) {
                t.m_bRunning = 0;
                t.m_bOut = 1;
            } else {
                t.m_bRunning = 1;
            }
            if (bRising) {
                t.m_bOut = 1;
                t.m_nCount = i32(t.m_nReload);
                // A square wave counts down from the even value below an odd count.
                if (t.m_nMode == kSquareWave) t.m_nReloadEven = t.m_nReload & ~1u;
            }
            break;
        case kHardwareStrobe:
            if (bRising) {
                t.m_bOut = 1;
                t.m_bRunning = 1;
                t.m_nCount = i32(t.m_nReload);
            }
            break;
        default: break;
        }
    }
    g_Sim.TimersWritten();
}
