#include "dialogs/Configdl8279.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "framework/HexText.h"
#include "platform/MessageBox.h"

namespace {
constexpr int kCodeDigits = 2;
constexpr int kCharCount = 2;
constexpr u32 kLastCode = CSimulator::k8279SegCodes - 1;
// A line built from the table puts six blanks after the code, one added by
// Add five; both are read back by splitting at blanks.
constexpr const char* kTableLineGap = "      ";
constexpr const char* kAddedLineGap = "     ";
constexpr const char* kDeleteText = "Delete String";
constexpr const char* kDeleteCaption = "Delete Message";

// The words of a list line, split at blanks as "%s%s" reads them.
QStringList Words(const QString& line) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return line.split(blanks, Qt::SkipEmptyParts);
}

// The code a line begins with, read as "%x%s" does: the first word's
// leading hexadecimal digits.
std::optional<u32> LineCode(const QString& line) {
    const QStringList words = Words(line);
    std::uint32_t code = 0;
    if (words.isEmpty() || !ScanHex(words.first(), code) || code > kLastCode) return std::nullopt;
    return code;
}

// A code as the Code field must hold it: one or two hexadecimal digits.
std::optional<u32> CodeOfText(const QString& text) {
    static const QRegularExpression code(QStringLiteral("^[0-9A-Fa-f]{1,2}$"));
    if (!code.match(text).hasMatch()) return std::nullopt;
    return text.toUInt(nullptr, 16);
}
}  // namespace

C8279ConfigDlg::C8279ConfigDlg(QWidget* pParent) : CConfigDialog("8279 Configuration", pParent) {
    m_pConnect = AddCheckBox(IDC_CONNECT, "&Connect");
    m_pAddress = AddPortEdit(IDC_ADDRESS);
    m_pCode = AddEdit(IDC_CODE, true, kCodeDigits, kCodeDigits);
    m_pChar = AddEdit(IDC_CHAR, false, kCharCount, kCharCount);
    m_pTable = new QListWidget(this);
    Register(IDC_TABLE, m_pTable);
    m_pAdd = AddButton(IDC_ADD, "&Add");
    m_pDelete = AddButton(IDC_DELETE, "&Delete");
    m_pRoute = AddRouteRow(IDC_IRQ_NONE);

    auto* pDevice = new QFormLayout;
    pDevice->addRow(QStringLiteral("Status"), m_pConnect);
    pDevice->addRow(QStringLiteral("Address [HEX]"), m_pAddress);

    QGroupBox* pTableBox = GroupBox("7 Seg Table");
    auto* pTableLayout = new QGridLayout(pTableBox);
    auto* pEntry = new QFormLayout;
    pEntry->addRow(QStringLiteral("Code"), m_pCode);
    pEntry->addRow(QStringLiteral("Char"), m_pChar);
    pTableLayout->addLayout(pEntry, 0, 0);
    auto* pButtons = new QVBoxLayout;
    pButtons->addWidget(m_pAdd);
    pButtons->addWidget(m_pDelete);
    pButtons->addStretch();
    pTableLayout->addLayout(pButtons, 1, 0);
    pTableLayout->addWidget(m_pTable, 0, 1, 2, 1);

    QGroupBox* pRouteBox = GroupBox("IRQ is connected to: ");
    auto* pRouteLayout = new QHBoxLayout(pRouteBox);
    for (QRadioButton* pRadio : m_pRoute->Radios()) pRouteLayout->addWidget(pRadio);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pDevice);
    pLayout->addWidget(pTableBox);
    pLayout->addWidget(pRouteBox);
    pLayout->addLayout(AddOkCancel("&Ok", "&Cancel"));

    connect(m_pAdd, &QPushButton::clicked, this, &C8279ConfigDlg::OnAddEntry);
    connect(m_pDelete, &QPushButton::clicked, this, &C8279ConfigDlg::OnDeleteEntry);
    connect(m_pConnect, &QCheckBox::clicked, this, &C8279ConfigDlg::OnConnect);
    connect(m_pTable, &QListWidget::itemSelectionChanged, this, &C8279ConfigDlg::OnSelChangeTable);
}

void C8279ConfigDlg::OnInitDialog() {
    if (g_Sim.m_b8279Connected) m_pConnect->setChecked(true);
    else EnableControls(false);
    m_pRoute->SetCode(g_Irq8279Route);
    m_pAddress->SetWindowText(QString::number(g_Sim.m_n8279Address, 16));

    for (u32 code = 0; code <= kLastCode; ++code) {
        char text[CSimulator::k8279SegTextSize];
        g_Sim.Get8279SegmentText(u8(code), text);
        if (text[0] != '\0')
            AddString(QString::asprintf("%.2x", code) + QLatin1String(kTableLineGap) + QString::fromLatin1(text));
    }
    const QStringList first = m_pTable->count() > 0 ? Words(m_pTable->item(0)->text()) : QStringList();
    m_pCode->SetWindowText(first.value(0, QStringLiteral("00")));
    m_pChar->SetWindowText(first.value(1));
}

void C8279ConfigDlg::AddString(const QString& line) {
    // Only the user's choice of a line fills the fields.
    const QSignalBlocker blocker(m_pTable);
    int row = 0;
    while (row < m_pTable->count() && QString::compare(m_pTable->item(row)->text(), line, Qt::CaseInsensitive) <= 0)
        ++row;
    m_pTable->insertItem(row, line);
}

void C8279ConfigDlg::OnAddEntry() {
    const CConfigEdit* pWarned = UpdateData();
    const QString code = m_pCode->text();
    if (!g_Sim.ValidateHexInput(this, IDC_CODE, 2)) return;
    const QString chars = m_pChar->text();
    if (code.isEmpty() || chars.trimmed().isEmpty()) return;
    // Only a code of the table's 256 can make a line; the warning of the
    // exchange already told the user about a code too long for the field.
    const std::optional<u32> value = CodeOfText(code);
    if (!value) {
        if (pWarned != m_pCode) RefuseNotCorrect(m_pCode);
        return;
    }

    const QString line = code + QLatin1String(kAddedLineGap) + chars;
    // A line is the code's when it names the same number: code 1 is the
    // line of 01, never that of 1A.
    for (int row = 0; row < m_pTable->count(); ++row) {
        if (LineCode(m_pTable->item(row)->text()) != value) continue;
        DeleteString(row);
        AddString(line);
        return;
    }
    AddString(line);
    // Repeated Adds fill consecutive codes with the same characters.
    m_pCode->SetWindowText(QString::asprintf("%.2x", *value + 1));
}

void C8279ConfigDlg::OnDeleteEntry() {
    AfxMessageBox(QString::fromLatin1(kDeleteText), MB_OK, QString::fromLatin1(kDeleteCaption));
    const QList<QListWidgetItem*> selected = m_pTable->selectedItems();
    if (selected.isEmpty()) return;
    // The table loses the entry now; Cancel does not bring it back.
    if (const std::optional<u32> code = LineCode(selected.first()->text())) g_Sim.m_8279SegTable[*code][0] = '\0';
    DeleteString(m_pTable->row(selected.first()));
}

void C8279ConfigDlg::DeleteString(int row) {
    const QSignalBlocker blocker(m_pTable);
    delete m_pTable->takeItem(row);
    // No other line takes the deleted line's selection.
    m_pTable->clearSelection();
}

void C8279ConfigDlg::OnSelChangeTable() {
    const QList<QListWidgetItem*> selected = m_pTable->selectedItems();
    if (selected.isEmpty()) return;
    const QStringList words = Words(selected.first()->text());
    if (words.isEmpty()) return;
    m_pCode->SetWindowText(words.value(0));
    m_pChar->SetWindowText(words.value(1));
}

void C8279ConfigDlg::OnConnect() { EnableControls(m_pConnect->isChecked()); }

void C8279ConfigDlg::EnableControls(bool bEnable) {
    for (QWidget* pControl : std::initializer_list<QWidget*>{m_pAddress, m_pAdd, m_pDelete, m_pTable, m_pCode, m_pChar})
        pControl->setEnabled(bEnable);
    m_pRoute->SetEnabled(bEnable);
}

void C8279ConfigDlg::OnOK() {
    UpdateData();
    if (EndDisconnected(m_pConnect, g_Sim.m_b8279Connected)) return;
    if (!g_Sim.ValidateHexInput(this, IDC_ADDRESS, 1)) return;
    const std::optional<u32> address = ReadHex(m_pAddress);
    if (!address) {
        RefuseNotCorrect(m_pAddress);
        return;
    }
    g_Sim.m_b8279Connected = 1;
    g_Irq8279Route = m_pRoute->Code(g_Irq8279Route);
    g_Sim.m_n8279Address = u8(*address);
    // Every line came from the table or through Add's check, so each names
    // a code of the table. Entries without a line keep their characters.
    for (int row = 0; row < m_pTable->count(); ++row) {
        const QString line = m_pTable->item(row)->text();
        const std::optional<u32> code = LineCode(line);
        const QByteArray chars = Words(line).value(1).toLatin1();
        if (!code || chars.isEmpty()) continue;
        char* entry = g_Sim.m_8279SegTable[*code];
        entry[0] = chars[0];
        entry[1] = chars.size() > 1 ? chars[1] : '\0';
        entry[2] = '\0';
    }
    EndDialogOK();
}
