#include "dialogs/Configdl8251.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/ChipRadioGroup.h"

C8251ConfigDlg::C8251ConfigDlg(QWidget* pParent) : CConfigDialog("8251 Configuration", pParent) {
    m_pChips = AddChipRadios(IDC_CHIP1, "8251 Peripheral Id", "Chip #%d");

    QGroupBox* pInfo = GroupBox("Peripheral Information");
    m_pConnect = AddConnectBox(IDC_CONNECT, "&Connect");
    m_pAddress = AddPortEdit(IDC_ADDRESS);
    QGroupBox* pRouteBox = GroupBox("TxRDY is connected to: ");
    m_pRoute = AddRouteRow(IDC_IRQ_NONE);
    auto* pRouteLayout = new QHBoxLayout(pRouteBox);
    for (QRadioButton* pRadio : m_pRoute->Radios()) pRouteLayout->addWidget(pRadio);
    auto* pFields = new QFormLayout;
    pFields->addRow(QStringLiteral("Status"), m_pConnect);
    pFields->addRow(QStringLiteral("Address (HEX)"), m_pAddress);
    auto* pInfoLayout = new QVBoxLayout(pInfo);
    pInfoLayout->addLayout(pFields);
    pInfoLayout->addWidget(pRouteBox);

    auto* pTop = new QHBoxLayout;
    pTop->addWidget(m_pChips);
    pTop->addWidget(pInfo);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pTop);
    pLayout->addLayout(AddOkCancel("OK", "Cancel"));

    connect(m_pChips, &CChipRadioGroup::chipClicked, this, &C8251ConfigDlg::OnChip);
    connect(m_pConnect, &QCheckBox::clicked, this, &C8251ConfigDlg::OnConnect);
}

void C8251ConfigDlg::OnInitDialog() {
    g_Sim.m_nWork8251Count = g_Sim.m_n8251Count;
    for (int i = 0; i < kMaxChips; ++i) {
        g_Sim.m_Work8251Address[i] = g_Sim.m_n8251Address[i];
        g_Sim.m_Work8251Route[i] = g_Irq8251Route[i];
    }
    ShowChip(0);
}

void C8251ConfigDlg::ShowChip(int nChip) {
    m_nChip = nChip;
    m_pChips->SetChecked(nChip);
    m_pAddress->SetWindowText(QString::number(g_Sim.m_Work8251Address[nChip], 16));
    m_pRoute->SetCode(g_Sim.m_Work8251Route[nChip]);
    const int state = PrefixBoxState(nChip, g_Sim.m_nWork8251Count);
    m_pConnect->SetCheck(state);
    EnableControls(state == kConnectTicked);
    if (state == kConnectTicked) m_pAddress->setFocus(Qt::TabFocusReason);
}

bool C8251ConfigDlg::SaveChip() {
    UpdateData();
    if (m_pConnect->GetCheck() == kConnectClear) return true;
    return g_Sim.ValidateHexInput(this, IDC_ADDRESS, 1) && KeepShownChip();
}

bool C8251ConfigDlg::KeepShownChip() {
    const std::optional<u32> address = ReadHex(m_pAddress);
    if (!address) {
        RefuseNotCorrect(m_pAddress);
        return false;
    }
    g_Sim.m_Work8251Address[m_nChip] = *address;
    g_Sim.m_Work8251Route[m_nChip] = m_pRoute->Code(u8(g_Sim.m_Work8251Route[m_nChip]));
    return true;
}

void C8251ConfigDlg::OnChip(int nChip) {
    if (SaveChip()) {
        ShowChip(nChip);
        return;
    }
    // The chip whose fields are still shown stays the selected one.
    m_pChips->SetChecked(m_nChip);
}

void C8251ConfigDlg::OnConnect() {
    const int state = m_pConnect->GetCheck();
    if (state == kConnectGreyed) return;
    g_Sim.m_nWork8251Count = u8(PrefixCountAfterClick(state, m_nChip, g_Sim.m_nWork8251Count));
    ShowChip(m_nChip);
}

void C8251ConfigDlg::EnableControls(bool bEnable) {
    m_pAddress->setEnabled(bEnable);
    m_pRoute->SetEnabled(bEnable);
}

void C8251ConfigDlg::OnOK() {
    UpdateData();
    if (m_pConnect->GetCheck() != kConnectClear && !g_Sim.ValidateHexInput(this, IDC_ADDRESS, 1)) return;
    // The shown chip is kept, connected or not, before anything is written.
    if (!KeepShownChip()) return;
    for (int i = 0; i < kMaxChips; ++i) {
        g_Sim.m_n8251Address[i] = u8(g_Sim.m_Work8251Address[i]);
        g_Irq8251Route[i] = u8(g_Sim.m_Work8251Route[i]);
    }
    g_Sim.m_n8251Count = g_Sim.m_nWork8251Count;
    g_Sim.OnConfigChanged();
    EndDialogOK();
}
