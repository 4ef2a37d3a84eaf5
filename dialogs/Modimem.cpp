#include "dialogs/Modimem.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <cstring>

#include "dialogs/DialogButtons.h"
#include "framework/HexText.h"
#include "platform/EditStyles.h"

char g_szAddrText[8] = "0000";

namespace {
constexpr u32 kAddressMask = 0xFFFF;
constexpr int kByteDigits = 2;
constexpr int kAddressDigits = 4;
// Room for two digits in the dialog's font, as the template's fields have.
constexpr int kFieldChars = 3;

// Copies at most size - 1 characters of text, always ending with a NUL.
template <std::size_t N> void CopyText(char (&target)[N], const QString& text) {
    const QByteArray bytes = text.toLatin1();
    const std::size_t length = std::min<std::size_t>(std::size_t(bytes.size()), N - 1);
    std::memcpy(target, bytes.constData(), length);
    target[length] = '\0';
}

QPushButton* MakeButton(const char* text, QWidget* parent) {
    auto* pButton = new QPushButton(QString::fromLatin1(text), parent);
    pButton->setAutoDefault(false);
    return pButton;
}
}  // namespace

// ---- Modify Memory ----

CModiMem::CModiMem(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Modify Memory Contents"));
    m_pOk = new QPushButton(QStringLiteral("&Ok"), this);
    m_pOk->setDefault(true);
    m_pPageUp = MakeButton("Page &Up", this);
    m_pPageDown = MakeButton("Page &Down", this);
    m_pChangeAddress = MakeButton("&Change Address", this);

    auto* pGroup = new QGroupBox(QStringLiteral("Memory Location"), this);
    auto* pGrid = new QGridLayout(pGroup);
    pGrid->setHorizontalSpacing(2);
    for (int r = 0; r < kRows; ++r) {
        m_rowLabels[r] = new QLabel(pGroup);
        pGrid->addWidget(m_rowLabels[r], r, 0);
    }
    const int fieldWidth = fontMetrics().horizontalAdvance(QString(kFieldChars, QLatin1Char('D'))) + 8;
    for (int k = 0; k < kPageBytes; ++k) {
        auto* pField = new QLineEdit(pGroup);
        pField->setObjectName(QStringLiteral("byte%1").arg(k));
        pField->setMaxLength(kByteDigits);
        pField->setFixedWidth(fieldWidth);
        SetUpperCase(pField);
        const int nID = IDC_BYTE + k;
        connect(pField, &QLineEdit::textEdited, this, [this, nID] { OnChangeByte(nID); });
        m_byteFields[k] = pField;
        pGrid->addWidget(pField, k / kColumns, 1 + k % kColumns);
    }

    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(m_pPageUp);
    pButtons->addWidget(m_pPageDown);
    pButtons->addWidget(m_pChangeAddress);
    pButtons->addStretch();
    pButtons->addWidget(m_pOk);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pGroup);
    pLayout->addLayout(pButtons);

    // The template's tab order: the buttons, then the fields row by row.
    QWidget* previous = m_pOk;
    for (QWidget* next : {static_cast<QWidget*>(m_pPageUp), static_cast<QWidget*>(m_pPageDown),
                          static_cast<QWidget*>(m_pChangeAddress)}) {
        setTabOrder(previous, next);
        previous = next;
    }
    for (QLineEdit* pField : m_byteFields) {
        setTabOrder(previous, pField);
        previous = pField;
    }

    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pPageUp, &QPushButton::clicked, this, &CModiMem::OnPageUp);
    connect(m_pPageDown, &QPushButton::clicked, this, &CModiMem::OnPageDown);
    connect(m_pChangeAddress, &QPushButton::clicked, this, &CModiMem::OnChangeAddress);
}

int CModiMem::DoModal() {
    OnInitDialog();
    return exec();
}

void CModiMem::OnInitDialog() {
    ShowPage(false);
    m_pOk->setFocus();
}

u32 CModiMem::PageStart() const {
    u32 start = u32(m_nAddr) & kAddressMask;
    ScanHex(QString::fromLatin1(g_szAddrText), start, kAddressDigits);
    return start & kAddressMask;
}

void CModiMem::SetPageStart(u32 start) {
    std::snprintf(g_szAddrText, sizeof g_szAddrText, "%04X", unsigned(start & kAddressMask));
}

void CModiMem::ShowPage(bool bFromText) {
    if (bFromText) {
        m_nAddr = i32(PageStart());
    } else {
        // An opener's address outside the 64 KB still names an address in it.
        m_nAddr = i32(u32(m_nAddr) & kAddressMask);
        SetPageStart(u32(m_nAddr));
    }
    if (m_nAddr > kLastPageStart) {
        m_nAddr = kLastPageStart;
        SetPageStart(u32(m_nAddr));
    }
    for (int r = 0; r < kRows; ++r)
        m_rowLabels[r]->setText(QString::asprintf("%04X", unsigned(m_nAddr + kColumns * r)));
    FillGrid(u32(m_nAddr));
}

void CModiMem::FillGrid(u32 start) {
    for (int k = 0; k < kPageBytes; ++k)
        m_byteFields[k]->setText(QString::asprintf("%02X", g_Sim.m_pMemory[(start + u32(k)) & kAddressMask]));
}

void CModiMem::PageUp() {
    const u32 start = PageStart();
    SetPageStart(start >= u32(kPageBytes) ? start - kPageBytes : 0);
    ShowPage(true);
}

void CModiMem::PageDown() {
    u32 start = PageStart();
    if (start < u32(kLastPageStart)) start += kPageBytes;
    if (start > u32(kLastPageStart)) start = kLastPageStart;
    SetPageStart(start);
    ShowPage(true);
}

void CModiMem::OnChangeAddress() {
    CEnterValueDlg dlg(this);
    dlg.DoModal();
    ShowPage(true);
}

void CModiMem::OnChangeByte(int nID) {
    const int k = nID - IDC_BYTE;
    if (k < 0 || k >= kPageBytes) return;
    CopyText(m_szByteText, m_byteFields[k]->text());
    if (g_Sim.IsValidHexText(m_szByteText)) StoreByte(nID);
    else g_Sim.ReportBadInput(this, m_szByteText, nID);
}

void CModiMem::StoreByte(int nID) {
    // A field the user has emptied holds no value: memory keeps its byte
    // until a digit is typed.
    u32 value = 0;
    if (!ScanHex(QString::fromLatin1(m_szByteText), value)) return;
    const u32 address = (PageStart() + u32(nID - IDC_BYTE)) & kAddressMask;
    g_Sim.m_pMemory[address] = u8(value);
}

// ---- Enter value ----

CEnterValueDlg::CEnterValueDlg(QWidget* parent) : QDialog(parent), m_pEdit(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Enter value"));
    m_pEdit->setObjectName(QStringLiteral("value"));
    SetUpperCase(m_pEdit);
    connect(m_pEdit, &QLineEdit::textChanged, this, &CEnterValueDlg::OnChangeValue);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new QLabel(QStringLiteral("Enter hex value :"), this));
    pLayout->addWidget(m_pEdit);
    pLayout->addWidget(CreateDialogButtons(this));
}

int CEnterValueDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CEnterValueDlg::OnInitDialog() {
    m_pEdit->setText(QStringLiteral("00"));
    m_pEdit->setMaxLength(kMaxDigits);
    m_pEdit->setFocus();
    m_pEdit->selectAll();
}

void CEnterValueDlg::OnChangeValue(const QString& text) {
    CopyText(m_szValue, text);
    if (!g_Sim.IsValidHexText(m_szValue)) g_Sim.ReportBadInput(this, m_szValue, IDC_VALUE);
}

void CEnterValueDlg::accept() {
    u32 value = 0;
    if (ScanHex(QString::fromLatin1(m_szValue), value, kMaxDigits))
        std::memcpy(g_szAddrText, m_szValue, sizeof m_szValue);
    QDialog::accept();
}
