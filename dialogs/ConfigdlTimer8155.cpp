#include "dialogs/ConfigdlTimer8155.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/ConfigdlTimerLayout.h"

C8155TimerDlg::C8155TimerDlg(QWidget* pParent) : CConfigDialog("8155 Timer", pParent) {
    m_pPrescaler = AddEdit(IDC_PRESCALER, true, kPrescalerDigits, kPrescalerDigits);
    m_pRoute = AddRouteRow(IDC_IRQ_NONE, "NONE");

    QGroupBox* pInfo = GroupBox("Timer Information");
    auto* pInfoLayout = new QVBoxLayout(pInfo);
    pInfoLayout->addLayout(PrescalerRow(pInfo, m_pPrescaler));

    QGroupBox* pRouteBox = GroupBox("Timer Output is connected to:");
    auto* pRouteLayout = new QHBoxLayout(pRouteBox);
    for (QRadioButton* pRadio : m_pRoute->Radios()) pRouteLayout->addWidget(pRadio);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pInfo);
    pLayout->addWidget(pRouteBox);
    // No Cancel button: closing the window cancels.
    pLayout->addLayout(AddOkCancel("OK", nullptr));
}

void C8155TimerDlg::OnInitDialog() {
    g_Sim.SyncTimers();
    m_pPrescaler->SetWindowText(QString::number(g_Sim.m_TimerPrescaler[kSlot], 16));
    m_pRoute->SetCode(g_Sim.m_Timer[kSlot].m_nIrqRoute);
}

void C8155TimerDlg::OnOK() {
    UpdateData();
    if (!g_Sim.ValidateHexInput(this, IDC_PRESCALER, 1)) return;
    const std::optional<u32> prescaler = ReadHex(m_pPrescaler);
    if (!prescaler) {
        RefuseNotCorrect(m_pPrescaler);
        return;
    }
    g_Sim.SyncTimers();
    g_Sim.m_TimerPrescaler[kSlot] = u16(*prescaler);
    g_Sim.m_Timer[kSlot].m_nIrqRoute = m_pRoute->Code(g_Sim.m_Timer[kSlot].m_nIrqRoute);
    g_Sim.TimersWritten();
    EndDialogOK();
}
