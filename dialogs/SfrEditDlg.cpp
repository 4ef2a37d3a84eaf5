#include "dialogs/SfrEditDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/BitButton.h"
#include "dialogs/DialogButtons.h"
#include "framework/HexText.h"
#include "sim/Simulator.h"

namespace {
constexpr int kByteMask = 0xFF;
}  // namespace

CSfrEditDlg::CSfrEditDlg(QWidget* parent) : QDialog(parent), m_pEdit(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Edit Register (8 bit)"));
    m_pEdit->setObjectName(QStringLiteral("value"));
    m_pEdit->setMaxLength(kMaxDigits);
    connect(m_pEdit, &QLineEdit::textEdited, this, &CSfrEditDlg::OnChangeValue);

    auto* pBits = new QHBoxLayout;
    for (int i = 0; i < kBits; ++i) {
        const int nID = IDC_BIT7 + i;
        const int mask = 1 << (kBits - 1 - i);
        auto* pButton = new CBitButton(this);
        pButton->setFixedWidth(pButton->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 12);
        connect(pButton, &QPushButton::clicked, this, [=] { OnBit(nID, mask, kByteMask & ~mask); });
        m_bitButtons[std::size_t(i)] = pButton;
        pBits->addWidget(pButton);
    }

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new QLabel(QStringLiteral("Enter Hex Value"), this));
    pLayout->addWidget(m_pEdit);
    pLayout->addWidget(new QLabel(QStringLiteral("Binary Representation:"), this));
    pLayout->addLayout(pBits);
    pLayout->addWidget(CreateDialogButtons(this));
}

int CSfrEditDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CSfrEditDlg::OnInitDialog() {
    for (int bit = kBits - 1; bit >= 0; --bit) SetBitButton(IDC_BIT0 - bit, 1 << bit);
    setWindowTitle(m_strTitle);
    UpdateData(false);
    m_pEdit->setFocus();
    m_pEdit->selectAll();
}

void CSfrEditDlg::SetBitButton(int nID, int mask) {
    m_bitButtons[std::size_t(nID - IDC_BIT7)]->setChecked((m_nValue & mask) != 0);
}

void CSfrEditDlg::OnBit(int nID, int mask, int clearMask) {
    QPushButton* pButton = m_bitButtons[std::size_t(nID - IDC_BIT7)];
    if (pButton->isChecked()) m_nValue |= mask;
    else m_nValue &= clearMask;
    m_strValue = QString::asprintf("%02X", m_nValue & kByteMask);
    UpdateData(false);
}

void CSfrEditDlg::OnChangeValue() {
    UpdateData(true);
    g_Sim.ValidateHexInput(this, IDC_VALUE, 1);
    // A text without a digit leaves the buttons showing the last value.
    u32 value = 0;
    if (ScanHex(m_strValue, value, kMaxDigits)) m_nValue = int(value & kByteMask);
    for (int bit = kBits - 1; bit >= 0; --bit) SetBitButton(IDC_BIT0 - bit, 1 << bit);
}

void CSfrEditDlg::UpdateData(bool bSaveAndValidate) {
    if (bSaveAndValidate) m_strValue = m_pEdit->text();
    else if (m_pEdit->text() != m_strValue) m_pEdit->setText(m_strValue);
}

void CSfrEditDlg::accept() {
    UpdateData(true);
    QDialog::accept();
}
