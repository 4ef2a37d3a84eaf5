#include "dialogs/ConfigdlTimer8253.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/ChipRadioGroup.h"
#include "dialogs/ConfigdlTimerLayout.h"

namespace {
constexpr const char* kTimerLabels[C8253TimerDlg::kCounters] = {"Timer #1", "Timer #2", "Timer #3"};
}  // namespace

C8253TimerDlg::C8253TimerDlg(QWidget* pParent)
    : CConfigDialog("8253 Timers", pParent), m_pTimers(new QButtonGroup(this)) {
    m_pChips = AddChipRadios(IDC_CHIP1, "8253 Peripheral ID", "Chip%d");
    QGroupBox* pTimerBox = GroupBox("Timers");
    auto* pTimerLayout = new QVBoxLayout(pTimerBox);
    for (int k = 0; k < kCounters; ++k) {
        QRadioButton* pRadio = AddRadio(IDC_TIMER1 + k, kTimerLabels[k]);
        m_pTimers->addButton(pRadio, k);
        pTimerLayout->addWidget(pRadio);
    }
    pTimerLayout->addStretch();

    m_pPrescaler = AddEdit(IDC_PRESCALER, false, kPrescalerDigits, kPrescalerDigits);
    m_pRoute = AddRouteRow(IDC_IRQ_NONE);
    QGroupBox* pInfo = GroupBox("Timer Information");
    auto* pInfoLayout = new QVBoxLayout(pInfo);
    pInfoLayout->addLayout(PrescalerRow(pInfo, m_pPrescaler));
    QGroupBox* pRouteBox = GroupBox("Timer Output is connected to: ");
    auto* pRouteLayout = new QHBoxLayout(pRouteBox);
    for (QRadioButton* pRadio : m_pRoute->Radios()) pRouteLayout->addWidget(pRadio);
    pInfoLayout->addWidget(pRouteBox);

    auto* pTop = new QHBoxLayout;
    pTop->addWidget(m_pChips);
    pTop->addWidget(pTimerBox);
    pTop->addWidget(pInfo);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pTop);
    pLayout->addLayout(AddOkCancel("OK", "Cancel"));

    connect(m_pChips, &CChipRadioGroup::chipClicked, this, &C8253TimerDlg::OnChip);
    connect(m_pTimers, &QButtonGroup::idClicked, this, &C8253TimerDlg::OnTimerNo);
}

void C8253TimerDlg::OnInitDialog() {
    m_nTimer = 0;
    g_Sim.SyncTimers();
    for (int slot = 0; slot < kSlots; ++slot) {
        g_Sim.m_Work8253Prescaler[slot] = g_Sim.m_TimerPrescaler[slot];
        g_Sim.m_Work8253Route[slot] = g_Sim.m_Timer[slot].m_nIrqRoute;
    }
    ShowTimer(0);
    m_pChips->EnableChips(g_Sim.m_n8253Count);
}

void C8253TimerDlg::ShowTimer(int nSlot) {
    m_pPrescaler->SetWindowText(QString::number(g_Sim.m_Work8253Prescaler[nSlot], 16));
    m_pRoute->SetCode(g_Sim.m_Work8253Route[nSlot]);
    m_pTimers->button(nSlot % kCounters)->setChecked(true);
    m_pChips->SetChecked(nSlot / kCounters);
}

bool C8253TimerDlg::SaveTimer() {
    if (!g_Sim.ValidateHexInput(this, IDC_PRESCALER, 1)) return false;
    const std::optional<u32> prescaler = ReadHex(m_pPrescaler);
    if (!prescaler) {
        RefuseNotCorrect(m_pPrescaler);
        return false;
    }
    g_Sim.m_Work8253Prescaler[m_nTimer] = *prescaler;
    g_Sim.m_Work8253Route[m_nTimer] = m_pRoute->Code(u8(g_Sim.m_Work8253Route[m_nTimer]));
    return true;
}

void C8253TimerDlg::OnChip(int nChip) {
    if (SaveTimer()) {
        // A chip opens on its first counter, whatever counter was shown.
        m_nTimer = nChip * kCounters;
        ShowTimer(m_nTimer);
        return;
    }
    m_pChips->SetChecked(m_nTimer / kCounters);
}

void C8253TimerDlg::OnTimerNo(int nCounter) {
    if (SaveTimer()) {
        m_nTimer = m_nTimer / kCounters * kCounters + nCounter;
        ShowTimer(m_nTimer);
        return;
    }
    // The counter whose fields are still shown stays the selected one.
    m_pTimers->button(m_nTimer % kCounters)->setChecked(true);
}

void C8253TimerDlg::OnOK() {
    UpdateData();
    if (!SaveTimer()) return;
    g_Sim.SyncTimers();
    for (int slot = 0; slot < kSlots; ++slot) {
        g_Sim.m_TimerPrescaler[slot] = u16(g_Sim.m_Work8253Prescaler[slot]);
        g_Sim.m_Timer[slot].m_nIrqRoute = u8(g_Sim.m_Work8253Route[slot]);
    }
    g_Sim.TimersWritten();
    EndDialogOK();
}
