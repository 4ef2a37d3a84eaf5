#include "dialogs/Configdl8155.h"

#include <QFormLayout>
#include <QVBoxLayout>

namespace {
constexpr const char* kRefusalCaption = "Ok";
}  // namespace

C8155ConfigDlg::C8155ConfigDlg(QWidget* pParent) : CConfigDialog("8155 Configuration", pParent) {
    m_pConnect = AddCheckBox(IDC_CONNECT, "Connect");
    m_pAddress = AddPortEdit(IDC_ADDRESS);
    m_pAddress->SetWindowText(QStringLiteral("0"));

    auto* pFields = new QFormLayout;
    pFields->addRow(QStringLiteral("Status"), m_pConnect);
    pFields->addRow(QStringLiteral("Address [HEX]"), m_pAddress);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pFields);
    pLayout->addLayout(AddOkCancel("&Ok", "&Cancel"));

    connect(m_pConnect, &QCheckBox::clicked, this, &C8155ConfigDlg::OnConnect);
}

void C8155ConfigDlg::OnInitDialog() {
    m_pAddress->SetWindowText(QString::number(g_Sim.m_n8155Address, 16).toUpper());
    m_pConnect->setChecked(g_Sim.m_b8155Connected != 0);
    m_pAddress->setEnabled(g_Sim.m_b8155Connected != 0);
}

void C8155ConfigDlg::OnConnect() {
    m_pAddress->setEnabled(m_pConnect->isChecked());
    m_pAddress->setFocus(Qt::TabFocusReason);
}

void C8155ConfigDlg::OnOK() {
    UpdateData();
    if (EndDisconnected(m_pConnect, g_Sim.m_b8155Connected)) return;
    const std::optional<u32> address = ReadHex(m_pAddress);
    if (!g_Sim.IsValidHexText(m_pAddress->text().toLatin1().constData()) || !address) {
        Refuse(m_pAddress, QString::fromLatin1(kNotCorrect), QString::fromLatin1(kRefusalCaption));
        return;
    }
    g_Sim.m_b8155Connected = 1;
    g_Sim.m_n8155Address = u8(*address);
    EndDialogOK();
}
