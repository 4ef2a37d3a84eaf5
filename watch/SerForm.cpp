#include "watch/SerForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "dialogs/BitButton.h"
#include "framework/HexText.h"
#include "platform/DialogUnits.h"
#include "sim/Simulator.h"

namespace {
QPlainTextEdit* MakePane(QWidget* parent) {
    auto* pPane = new QPlainTextEdit(parent);
    pPane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pPane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return pPane;
}
}  // namespace

CSerForm::CSerForm(CDocument*, QWidget* parent)
    : QWidget(parent),
      m_pBaudRate(new QLabel(QStringLiteral("Baud Rate :"), this)),
      m_pInputLabel(new QLabel(QStringLiteral("Serial Input ->"), this)),
      m_pNinthBitLabel(new QLabel(QStringLiteral("9th bit for mode 2 & 3"), this)),
      m_pNinthBit(new CBitButton(this)),
      m_pHexInput(new QLineEdit(this)),
      // The button wraps its text over two lines, as its narrow place needs.
      m_pAccept(new QPushButton(QStringLiteral("&Accept hex\ninput"), this)),
      m_pOutputLabel(new QLabel(QStringLiteral("Serial Output ->"), this)),
      m_pSerialInput(MakePane(this)),
      m_pSerialOutput(MakePane(this)) {
    m_pBaudRate->setFrameShape(QFrame::Box);
    m_pNinthBitLabel->setWordWrap(true);
    m_pHexInput->setMaxLength(kHexDigits);
    m_pSerialOutput->setReadOnly(true);

    // The form template's places, in dialog units.
    PlaceFromTemplate(m_pBaudRate, 8, 7, 112, 20);
    PlaceFromTemplate(m_pInputLabel, 8, 31, 118, 8);
    PlaceFromTemplate(m_pNinthBitLabel, 10, 45, 36, 15);
    PlaceFromTemplate(m_pNinthBit, 49, 46, 10, 12);
    PlaceFromTemplate(m_pHexInput, 65, 46, 17, 12);
    PlaceFromTemplate(m_pAccept, 87, 40, 39, 23);
    PlaceFromTemplate(m_pOutputLabel, 19, 71, 59, 8);
    PlaceFromTemplate(m_pSerialInput, 16, 72, 75, 19);
    PlaceFromTemplate(m_pSerialOutput, 15, 111, 76, 20);

    connect(m_pNinthBit, &QPushButton::clicked, this, &CSerForm::OnNinthBit);
    connect(m_pHexInput, &QLineEdit::textEdited, this, &CSerForm::OnChangeHexInput);
    connect(m_pAccept, &QPushButton::clicked, this, &CSerForm::OnAcceptHexInput);
}

void CSerForm::PlaceFromTemplate(QWidget* pControl, int x, int y, int cx, int cy) {
    pControl->setGeometry(MapDialogRect(this, QRect(x, y, cx, cy)));
}

void CSerForm::OnInitialUpdate() {
    m_pSerialInput->setReadOnly(true);
    OnSize();
    m_bNinthBit = 0;
    UpdateData(false);
}

void CSerForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    OnSize();
}

void CSerForm::OnSize() {
    const QRect client = rect();
    m_pSerialInput->setGeometry(client.left(), kInputPaneTop, client.width(), kInputPaneHeight);
    // A form lower than the output pane's top gives the pane no height.
    m_pSerialOutput->setGeometry(client.left(), kOutputPaneTop, client.width(),
                                 std::max(0, client.height() - kOutputPaneTop));
    m_pOutputLabel->setGeometry(client.left(), kOutputLabelTop, client.width(), kOutputLabelHeight);
}

void CSerForm::OnNinthBit() { UpdateData(true); }

void CSerForm::OnChangeHexInput() { m_strHexInput = m_pHexInput->text(); }

void CSerForm::OnAcceptHexInput() {
    UpdateData(true);
    if (!g_Sim.ValidateHexInput(this, IDC_HEX_INPUT, 1)) return;
    u32 value = 0;
    if (ScanHex(m_strHexInput, value)) g_Sim.PutSerialInput(u8(value), m_bNinthBit);
}

void CSerForm::UpdateData(bool bSaveAndValidate) {
    if (bSaveAndValidate) {
        m_strSerialInput = m_pSerialInput->toPlainText();
        m_strHexInput = m_pHexInput->text();
        m_bNinthBit = m_pNinthBit->isChecked() ? 1 : 0;
        return;
    }
    if (m_pSerialInput->toPlainText() != m_strSerialInput) m_pSerialInput->setPlainText(m_strSerialInput);
    if (m_pHexInput->text() != m_strHexInput) m_pHexInput->setText(m_strHexInput);
    m_pNinthBit->setChecked(m_bNinthBit != 0);
}
