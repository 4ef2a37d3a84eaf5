#include "dialogs/ConfigdlLcd.h"

#include <QFormLayout>
#include <QVBoxLayout>

namespace {
constexpr int kPortDigits = 4;
constexpr int kWidthDigits = 2;
constexpr const char* kRefusalCaption = "Message";
}  // namespace

CLcdConfigDlg::CLcdConfigDlg(QWidget* pParent) : CConfigDialog("LCD Configuration", pParent) {
    m_pConnect = AddCheckBox(IDC_CONNECT, "&Connect");
    m_pAddress = AddEdit(IDC_ADDRESS, true, kPortDigits, kPortDigits);
    m_pAddress->SetWindowText(QStringLiteral("0"));
    m_pLogical = AddEdit(IDC_LOGICAL, false, kWidthDigits, kWidthDigits);
    m_pPhysical = AddEdit(IDC_PHYSICAL, false, kWidthDigits, kWidthDigits);

    auto* pFields = new QFormLayout;
    pFields->addRow(QStringLiteral("Status"), m_pConnect);
    pFields->addRow(QStringLiteral("Address [HEX]"), m_pAddress);
    pFields->addRow(QStringLiteral("Chars per Line (Logical)"), m_pLogical);
    pFields->addRow(QStringLiteral("Chars per Line (Physical)"), m_pPhysical);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pFields);
    pLayout->addLayout(AddOkCancel("OK", "Cancel"));

    connect(m_pConnect, &QCheckBox::clicked, this, &CLcdConfigDlg::OnConnect);
}

void CLcdConfigDlg::OnInitDialog() {
    m_pAddress->SetWindowText(QString::number(g_Sim.m_nLcdAddress, 16).toUpper());
    m_pLogical->SetWindowText(QString::number(g_Sim.m_nLcdCharsLogical));
    m_pPhysical->SetWindowText(QString::number(g_Sim.m_nLcdCharsPhysical));
    m_pConnect->setChecked(g_Sim.m_bLcdConnected != 0);
    EnableFields(g_Sim.m_bLcdConnected != 0);
}

void CLcdConfigDlg::EnableFields(bool bEnable) {
    m_pAddress->setEnabled(bEnable);
    m_pLogical->setEnabled(bEnable);
    m_pPhysical->setEnabled(bEnable);
}

void CLcdConfigDlg::OnConnect() {
    EnableFields(m_pConnect->isChecked());
    m_pAddress->setFocus(Qt::TabFocusReason);
}

void CLcdConfigDlg::OnOK() {
    UpdateData();
    if (EndDisconnected(m_pConnect, g_Sim.m_bLcdConnected)) return;
    const QString caption = QString::fromLatin1(kRefusalCaption);
    const QString notCorrect = QString::fromLatin1(kNotCorrect);
    const std::optional<u32> address = ReadHex(m_pAddress);
    if (!g_Sim.IsValidHexText(m_pAddress->text().toLatin1().constData()) || !address) {
        Refuse(m_pAddress, notCorrect, caption);
        return;
    }
    if (!g_Sim.ValidateDecInput(this, IDC_LOGICAL, 2)) return;
    // Widths the LCD cannot show never reach it.
    const std::optional<int> physical = ReadDecimal(m_pPhysical);
    if (!physical || *physical < 0 || *physical > kMaxPhysical) {
        Refuse(m_pPhysical, notCorrect, caption);
        return;
    }
    const std::optional<int> logical = ReadDecimal(m_pLogical);
    if (!logical || *logical < 0 || *logical > (*logical == *physical ? kMaxPhysical : kMaxJoinedLogical)) {
        Refuse(m_pLogical, notCorrect, caption);
        return;
    }
    g_Sim.m_bLcdConnected = 1;
    g_Sim.m_nLcdAddress = u8(*address);
    g_Sim.m_nLcdCharsLogical = u8(*logical);
    g_Sim.m_nLcdCharsPhysical = u8(*physical);
    EndDialogOK();
}
