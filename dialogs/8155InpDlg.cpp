#include "dialogs/8155InpDlg.h"

#include <QFormLayout>
#include <QLineEdit>

#include "dialogs/DialogButtons.h"
#include "framework/HexText.h"
#include "platform/MessageBox.h"
#include "sim/Simulator.h"

namespace {
const char kNotConnected[] = "Sorry, No 8155 Connected";
constexpr int kByteDigits = 2;
const char kOutputText[] = "OP";
const struct {
    int nID;
    const char* label;
} kPortControls[C8155InpDlg::kPorts] = {
    {C8155InpDlg::IDC_PORT_A, "Port A (HEX)"},
    {C8155InpDlg::IDC_PORT_B, "Port B (HEX)"},
    {C8155InpDlg::IDC_PORT_C, "Port C (HEX)"},
};
}  // namespace

C8155InpDlg::C8155InpDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Give Input to 8155"));
    auto* pForm = new QFormLayout(this);
    for (int port = 0; port < kPorts; ++port) {
        auto* pEdit = new QLineEdit(this);
        pEdit->setMaxLength(kByteDigits);
        connect(pEdit, &QLineEdit::textEdited, this, [this, port] { OnChangePort(port); });
        m_edits[std::size_t(port)] = pEdit;
        pForm->addRow(QString::fromLatin1(kPortControls[port].label), pEdit);
    }
    pForm->addRow(CreateDialogButtons(this));
}

QString& C8155InpDlg::PortText(int port) {
    QString* texts[kPorts] = {&m_strPortA, &m_strPortB, &m_strPortC};
    return *texts[port];
}

int C8155InpDlg::DoModal() {
    if (!OnInitDialog()) return QDialog::Rejected;
    return exec();
}

bool C8155InpDlg::OnInitDialog() {
    if (!g_Sim.m_b8155Connected) {
        AfxMessageBox(QString::fromLatin1(kNotConnected));
        return false;
    }
    for (int port = 0; port < kPorts; ++port) {
        const bool bInput = g_Sim.m_8155PortIsInput[port] != 0;
        m_edits[std::size_t(port)]->setEnabled(bInput);
        PortText(port) =
            bInput ? QString::asprintf("%02X", unsigned(g_Sim.m_8155Port[port])) : QString::fromLatin1(kOutputText);
    }
    UpdateData(false);
    return true;
}

void C8155InpDlg::OnChangePort(int port) {
    UpdateData(true);
    if (!g_Sim.ValidateHexInput(this, kPortControls[port].nID, 1)) {
        PortText(port) = QStringLiteral("00");
        UpdateData(false);
    }
}

void C8155InpDlg::UpdateData(bool bSaveAndValidate) {
    for (int port = 0; port < kPorts; ++port) {
        if (bSaveAndValidate) PortText(port) = m_edits[std::size_t(port)]->text();
        else m_edits[std::size_t(port)]->setText(PortText(port));
    }
}

void C8155InpDlg::accept() {
    UpdateData(true);
    // Output ports are never written; the port C latch takes the byte as
    // typed.
    for (int port = 0; port < kPorts; ++port) {
        u32 value = 0;
        if (g_Sim.m_8155PortIsInput[port] != 0 && ScanHex(PortText(port), value)) g_Sim.m_8155Port[port] = u8(value);
    }
    QDialog::accept();
}
