#include "dialogs/8255InpDlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <iterator>

#include "dialogs/ChipRadioGroup.h"
#include "dialogs/DialogButtons.h"
#include "framework/HexText.h"
#include "periph/InterruptRoutes.h"
#include "platform/MessageBox.h"
#include "sim/Simulator.h"

namespace {
const char kNotConnected[] = "Sorry, No 8255 Connected";
constexpr int kByteDigits = 2;
constexpr int kHalfDigits = 1;
constexpr u8 kLowHalf = 0x0F;
constexpr u8 kHighHalf = 0xF0;
constexpr int kHalfShift = 4;

QLineEdit* MakePortEdit(int maxLength, QWidget* parent) {
    auto* pEdit = new QLineEdit(parent);
    pEdit->setMaxLength(maxLength);
    return pEdit;
}

// Shows a port's latch in an enabled edit when the port is an input; an
// output port's edit is disabled and keeps the text it had.
void ShowPort(QString& text, bool bInput, QLineEdit* pEdit, const char* format, unsigned value) {
    pEdit->setEnabled(bInput);
    if (bInput) text = QString::asprintf(format, value);
}
}  // namespace

C8255InpDlg::C8255InpDlg(QWidget* parent)
    : QDialog(parent),
      m_pChips(new CChipRadioGroup(nullptr, "8255 #%d", this)),
      m_pPortA(MakePortEdit(kByteDigits, this)),
      m_pPortB(MakePortEdit(kByteDigits, this)),
      m_pPortCUpper(MakePortEdit(kHalfDigits, this)),
      m_pPortCLower(MakePortEdit(kHalfDigits, this)) {
    setWindowTitle(QStringLiteral("Input to 8255"));
    connect(m_pChips, &CChipRadioGroup::chipClicked, this, &C8255InpDlg::ShowChipPorts);
    auto* pPorts = new QFormLayout;
    const struct {
        QLineEdit* pEdit;
        int nID;
        const char* label;
    } ports[] = {{m_pPortA, IDC_PORT_A, "Port A"},
                 {m_pPortB, IDC_PORT_B, "Port B"},
                 {m_pPortCUpper, IDC_PORT_C_UPPER, "Port C(H)"},
                 {m_pPortCLower, IDC_PORT_C_LOWER, "Port C(L)"}};
    for (const auto& port : ports) {
        const int nID = port.nID;
        connect(port.pEdit, &QLineEdit::textEdited, this, [this, nID] { OnChangePort(nID); });
        pPorts->addRow(QString::fromLatin1(port.label), port.pEdit);
    }

    auto* pRow = new QHBoxLayout;
    pRow->addWidget(m_pChips);
    pRow->addLayout(pPorts);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pRow);
    pLayout->addWidget(CreateDialogButtons(this));
}

int C8255InpDlg::DoModal() {
    if (!OnInitDialog()) return QDialog::Rejected;
    return exec();
}

bool C8255InpDlg::OnInitDialog() {
    if (PresentChips(g_Sim.m_n8255Count) == 0) {
        AfxMessageBox(QString::fromLatin1(kNotConnected));
        return false;
    }
    m_pChips->EnableChips(PresentChips(g_Sim.m_n8255Count));
    m_nChip = 0;
    UpdateData(false);
    ShowChipPorts();
    return true;
}

void C8255InpDlg::ShowChipPorts() {
    UpdateData(true);
    const int c = m_nChip;
    if (c < 0 || c >= kMaxChips) return;
    const u8 portC = g_Sim.m_8255PortC[c];
    ShowPort(m_strPortA, g_Sim.m_8255PortAIsInput[c] != 0, m_pPortA, "%02X", g_Sim.m_8255PortA[c]);
    ShowPort(m_strPortB, g_Sim.m_8255PortBIsInput[c] != 0, m_pPortB, "%02X", g_Sim.m_8255PortB[c]);
    ShowPort(m_strPortCUpper, g_Sim.m_8255PortCHighIsInput[c] != 0, m_pPortCUpper, "%01X", portC >> kHalfShift);
    ShowPort(m_strPortCLower, g_Sim.m_8255PortCLowIsInput[c] != 0, m_pPortCLower, "%01X", portC & kLowHalf);
    UpdateData(false);
}

void C8255InpDlg::OnChangePort(int nID) {
    UpdateData(true);
    g_Sim.ValidateHexInput(this, nID, 1);
}

void C8255InpDlg::UpdateData(bool bSaveAndValidate) {
    QString* texts[] = {&m_strPortA, &m_strPortB, &m_strPortCUpper, &m_strPortCLower};
    QLineEdit* edits[] = {m_pPortA, m_pPortB, m_pPortCUpper, m_pPortCLower};
    if (bSaveAndValidate) {
        m_nChip = m_pChips->GetChecked();
        for (std::size_t i = 0; i < std::size(edits); ++i) *texts[i] = edits[i]->text();
        return;
    }
    m_pChips->SetChecked(m_nChip);
    for (std::size_t i = 0; i < std::size(edits); ++i) edits[i]->setText(*texts[i]);
}

void C8255InpDlg::accept() {
    UpdateData(true);
    const int c = m_nChip;
    if (c >= 0 && c < PresentChips(g_Sim.m_n8255Count)) {
        u32 value = 0;
        if (g_Sim.m_8255PortAIsInput[c] != 0 && ScanHex(m_strPortA, value)) g_Sim.m_8255PortA[c] = u8(value);
        if (g_Sim.m_8255PortBIsInput[c] != 0 && ScanHex(m_strPortB, value)) g_Sim.m_8255PortB[c] = u8(value);
        // A half whose text holds no digit keeps its four bits.
        u8& portC = g_Sim.m_8255PortC[c];
        if (g_Sim.m_8255PortCHighIsInput[c] != 0 && ScanHex(m_strPortCUpper, value))
            portC = u8((portC & kLowHalf) | u8(value << kHalfShift));
        if (g_Sim.m_8255PortCLowIsInput[c] != 0 && ScanHex(m_strPortCLower, value))
            portC = u8((portC & kHighHalf) | u8(value));
    }
    QDialog::accept();
}
