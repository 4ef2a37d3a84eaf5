#include "dialogs/MemWatchAddDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/DialogButtons.h"
#include "sim/Simulator.h"

namespace {

const char kTemplateCaption[] = "Add Memory Watch ";
const char kTemplatePrompt[] = "Memory Address (HEX)";
const char k8251CaptionFormat[] = "Enter input to 8251 #%1d";
constexpr int kNoLimit = -1;

enum class Caption { Fixed, CallerTitle, Template, Chip8251 };

struct ModeRow {
    Caption caption;
    const char* text;  // the caption when Fixed
    const char* prompt;
    int limit;            // characters, or kNoLimit
    const char* initial;  // nullptr keeps the caller's text
};

// Modes 1 to 14; modes 4 to 9 share one row.
const ModeRow kModes[] = {
    {Caption::Fixed, "Memory Watch", "Memory Address (HEX)", 4, "0000"},
    {Caption::Fixed, "Memory Watch", "Memory Address (HEX)", 4, "0000"},
    {Caption::Fixed, "Give Input to 8279", "Scancode (HEX)", 2, "00"},
    {Caption::Chip8251, nullptr, "8251 Data (HEX)", 2, "00"},
    {Caption::Chip8251, nullptr, "8251 Data (HEX)", 2, "00"},
    {Caption::Chip8251, nullptr, "8251 Data (HEX)", 2, "00"},
    {Caption::Chip8251, nullptr, "8251 Data (HEX)", 2, "00"},
    {Caption::Chip8251, nullptr, "8251 Data (HEX)", 2, "00"},
    {Caption::Chip8251, nullptr, "8251 Data (HEX)", 2, "00"},
    {Caption::Fixed, "C Variable Watch", "C Variable", 32, ""},
    {Caption::CallerTitle, nullptr, "New value", 100, nullptr},
    {Caption::Fixed, "Enter Tab Size", "New tab size", 1, nullptr},
    {Caption::Fixed, "Set Origin for disassembly for binary file", "New origin (HEX)", 4, "0000"},
    {Caption::CallerTitle, nullptr, "Frequency in Hz", kNoLimit, nullptr},
};
const ModeRow kOtherMode = {Caption::Template, nullptr, "", kNoLimit, "00"};

const ModeRow& RowOf(int mode) {
    constexpr int kModeCount = sizeof kModes / sizeof kModes[0];
    if (mode < 1 || mode > kModeCount) return kOtherMode;
    return kModes[mode - 1];
}

}  // namespace

CMemWatchAddDlg::CMemWatchAddDlg(QWidget* parent)
    : QDialog(parent), m_pEdit(new QLineEdit(this)), m_pPrompt(new QLabel(QString::fromLatin1(kTemplatePrompt), this)) {
    setWindowTitle(QString::fromLatin1(kTemplateCaption));
    m_pEdit->setObjectName(QStringLiteral("value"));
    m_pPrompt->setObjectName(QStringLiteral("prompt"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pPrompt);
    layout->addWidget(m_pEdit);
    layout->addWidget(CreateDialogButtons(this));
}

int CMemWatchAddDlg::DoModal() {
    OnInitDialog();
    connect(m_pEdit, &QLineEdit::textEdited, this, &CMemWatchAddDlg::OnChangeValue, Qt::UniqueConnection);
    return exec();
}

void CMemWatchAddDlg::OnInitDialog() {
    const ModeRow& row = RowOf(m_nMode);
    switch (row.caption) {
    case Caption::Fixed: setWindowTitle(QString::fromLatin1(row.text)); break;
    case Caption::CallerTitle: setWindowTitle(m_strTitle); break;
    case Caption::Chip8251: setWindowTitle(QString::asprintf(k8251CaptionFormat, m_nMode - kMode8251First)); break;
    case Caption::Template: break;
    }
    if (row.limit != kNoLimit) m_pEdit->setMaxLength(row.limit);
    m_strLabel = QString::fromLatin1(row.prompt);
    if (row.initial) m_strValue = QString::fromLatin1(row.initial);
    UpdateData(false);
    // The whole text is selected so that typing replaces it.
    m_pEdit->setFocus();
    m_pEdit->selectAll();
}

void CMemWatchAddDlg::OnChangeValue() {
    if (m_nMode == kModeCVariable || m_nMode == kModeNewValue) return;
    UpdateData(true);
    g_Sim.ValidateHexInput(this, IDC_VALUE, 1);
}

void CMemWatchAddDlg::UpdateData(bool bSaveAndValidate) {
    if (bSaveAndValidate) {
        m_strValue = m_pEdit->text();
        m_strLabel = m_pPrompt->text();
        return;
    }
    m_pEdit->setText(m_strValue);
    m_pPrompt->setText(m_strLabel);
}

void CMemWatchAddDlg::accept() {
    UpdateData(true);
    QDialog::accept();
}
