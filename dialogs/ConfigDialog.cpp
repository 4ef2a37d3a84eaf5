#include "dialogs/ConfigDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/ChipRadioGroup.h"
#include "framework/HexText.h"
#include "platform/MessageBox.h"

namespace {
constexpr const char* kLengthWarning = "Please enter no more than %1 characters.";
// More digits than any field takes; the value stays far from overflow.
constexpr int kMaxDecimalDigits = 9;
constexpr int kPortDigits = 4;
constexpr int kPortExchangeLimit = 2;
}  // namespace

CConfigDialog::CConfigDialog(const char* caption, QWidget* pParent) : QDialog(pParent) {
    setWindowTitle(QString::fromLatin1(caption));
}

int CConfigDialog::DoModal() {
    InitDialog();
    return exec();
}

void CConfigDialog::InitDialog() {
    OnInitDialog();
    // The dialog opens on the first control of its tab order that can take
    // the focus; a focus set while the controls were filled does not last.
    for (QWidget* pControl : m_tabOrder) {
        if (pControl->isEnabledTo(this) && pControl->focusPolicy() != Qt::NoFocus) {
            pControl->setFocus(Qt::TabFocusReason);
            break;
        }
    }
}

bool CConfigDialog::EndDisconnected(const QCheckBox* pConnect, u8& bConnected) {
    if (pConnect->isChecked()) return false;
    bConnected = 0;
    g_Sim.OnConfigChanged();
    EndDialogOK();
    return true;
}

// ---- controls ----

void CConfigDialog::Register(int nID, QWidget* pControl) {
    pControl->setObjectName(QString::number(nID));
    m_controls.insert(nID, pControl);
    if (!m_tabOrder.isEmpty()) setTabOrder(m_tabOrder.last(), pControl);
    m_tabOrder.append(pControl);
}

CConfigEdit* CConfigDialog::AddEdit(int nID, bool bUpperCase, int nTypedLimit, int nExchangeLimit) {
    auto* pEdit = new CConfigEdit(this, bUpperCase);
    pEdit->LimitText(nTypedLimit);
    pEdit->m_nExchangeLimit = nExchangeLimit;
    if (nExchangeLimit > 0) m_exchangeEdits.append(pEdit);
    Register(nID, pEdit);
    return pEdit;
}

CConfigEdit* CConfigDialog::AddPortEdit(int nID) { return AddEdit(nID, true, kPortDigits, kPortExchangeLimit); }

CConnectBox* CConfigDialog::AddConnectBox(int nID, const char* text) {
    auto* pBox = new CConnectBox(QString::fromLatin1(text), this);
    Register(nID, pBox);
    return pBox;
}

QCheckBox* CConfigDialog::AddCheckBox(int nID, const char* text) {
    auto* pBox = new QCheckBox(QString::fromLatin1(text), this);
    Register(nID, pBox);
    return pBox;
}

QRadioButton* CConfigDialog::AddRadio(int nID, const char* text) {
    auto* pRadio = new QRadioButton(QString::fromLatin1(text), this);
    Register(nID, pRadio);
    return pRadio;
}

QPushButton* CConfigDialog::AddButton(int nID, const char* text) {
    auto* pButton = new QPushButton(QString::fromLatin1(text), this);
    pButton->setAutoDefault(false);
    Register(nID, pButton);
    return pButton;
}

CRouteRow* CConfigDialog::AddRouteRow(int nFirstID, const char* noneLabel) {
    m_routeRows.push_back(std::make_unique<CRouteRow>(this, noneLabel));
    CRouteRow* pRow = m_routeRows.back().get();
    for (int r = 0; r < CRouteRow::kRadios; ++r) Register(nFirstID + r, pRow->Radios()[r]);
    return pRow;
}

CChipRadioGroup* CConfigDialog::AddChipRadios(int nFirstID, const char* title, const char* labelFormat) {
    auto* pGroup = new CChipRadioGroup(title, labelFormat, this);
    for (int chip = 0; chip < kMaxChips; ++chip) Register(nFirstID + chip, pGroup->Radio(chip));
    return pGroup;
}

QLayout* CConfigDialog::AddOkCancel(const char* okText, const char* cancelText) {
    auto* pRow = new QHBoxLayout;
    pRow->addStretch();
    QPushButton* pOk = AddButton(kIdOk, okText);
    pOk->setDefault(true);
    connect(pOk, &QPushButton::clicked, this, &CConfigDialog::accept);
    pRow->addWidget(pOk);
    if (cancelText != nullptr) {
        QPushButton* pCancel = AddButton(kIdCancel, cancelText);
        connect(pCancel, &QPushButton::clicked, this, &CConfigDialog::reject);
        pRow->addWidget(pCancel);
    }
    return pRow;
}

QGroupBox* CConfigDialog::GroupBox(const char* title) { return new QGroupBox(QString::fromLatin1(title), this); }

// ---- data exchange and values ----

CConfigEdit* CConfigDialog::UpdateData() {
    for (CConfigEdit* pEdit : m_exchangeEdits) {
        if (pEdit->text().size() <= pEdit->m_nExchangeLimit) continue;
        AfxMessageBox(QString::fromLatin1(kLengthWarning).arg(pEdit->m_nExchangeLimit), MB_OK | MB_ICONEXCLAMATION);
        pEdit->setFocus();
        pEdit->selectAll();
        return pEdit;
    }
    return nullptr;
}

std::optional<u32> CConfigDialog::ReadHex(const QLineEdit* pEdit) {
    std::uint32_t value = 0;
    if (!ScanHex(pEdit->text(), value)) return std::nullopt;
    return value;
}

std::optional<int> CConfigDialog::ReadDecimal(const QLineEdit* pEdit) {
    const QString text = pEdit->text();
    int i = 0;
    while (i < text.size() && text[i].isSpace()) ++i;
    const bool bNegative = i < text.size() && text[i] == QLatin1Char('-');
    if (i < text.size() && (bNegative || text[i] == QLatin1Char('+'))) ++i;
    int value = 0;
    int digits = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80; ++i, ++digits) {
        if (digits < kMaxDecimalDigits) value = value * 10 + (text[i].unicode() - '0');
    }
    if (digits == 0) return std::nullopt;
    return bNegative ? -value : value;
}

void CConfigDialog::Refuse(QWidget* pField, const QString& text, const QString& caption, unsigned nIcon) {
    AfxMessageBox(text, MB_OK | nIcon, caption);
    pField->setFocus();
    if (auto* pEdit = qobject_cast<QLineEdit*>(pField)) pEdit->selectAll();
}

void CConfigDialog::RefuseNotCorrect(QWidget* pField) {
    Refuse(pField, QString::fromLatin1(kNotCorrect), QString::fromUtf8(kAppTitle));
}
