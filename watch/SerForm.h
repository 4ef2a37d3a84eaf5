// The serial window: a form with a pane for serial input, a pane for serial
// output, a two-digit hexadecimal entry with its Accept button and a toggle
// for a ninth data bit. An accepted byte goes to the machine's serial-input
// point, which takes no action: no chip changes and neither pane receives
// text. The window shows no machine state.
#pragma once

#include <QString>
#include <QWidget>

#include "framework/View.h"

class CDocument;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CSerForm : public QWidget, public CView {
    Q_OBJECT
public:
    enum {
        IDC_SERIAL_OUTPUT = 1169,
        IDC_SERIAL_INPUT = 1170,
        IDC_HEX_INPUT = 1171,
        IDC_ACCEPT = 1172,
        IDC_NINTH_BIT = 1173,
        IDC_INPUT_LABEL = 1174,
        IDC_OUTPUT_LABEL = 1175,
        IDC_BAUD_RATE = 1185,
    };
    static constexpr int kHexDigits = 2;
    // Where OnSize puts the panes, in pixels of the form.
    static constexpr int kInputPaneTop = 110;
    static constexpr int kInputPaneHeight = 60;
    static constexpr int kOutputLabelTop = 175;
    static constexpr int kOutputLabelHeight = 15;
    static constexpr int kOutputPaneTop = 190;

    explicit CSerForm(CDocument* pDoc, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    // The form shows nothing of the machine.
    void OnUpdate(CView* pSender, long lHint) override {}

    QString m_strSerialInput;
    QString m_strHexInput;
    int m_bNinthBit = 0;

    QPlainTextEdit* SerialInputPane() const { return m_pSerialInput; }
    QPlainTextEdit* SerialOutputPane() const { return m_pSerialOutput; }
    QLineEdit* HexInputEdit() const { return m_pHexInput; }
    QPushButton* AcceptButton() const { return m_pAccept; }
    QPushButton* NinthBitButton() const { return m_pNinthBit; }
    QLabel* OutputLabel() const { return m_pOutputLabel; }
    QLabel* BaudRateLabel() const { return m_pBaudRate; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnSize();
    void OnNinthBit();
    void OnChangeHexInput();
    void OnAcceptHexInput();
    void UpdateData(bool bSaveAndValidate);
    void PlaceFromTemplate(QWidget* pControl, int x, int y, int cx, int cy);

    QLabel* m_pBaudRate;
    QLabel* m_pInputLabel;
    QLabel* m_pNinthBitLabel;
    QPushButton* m_pNinthBit;
    QLineEdit* m_pHexInput;
    QPushButton* m_pAccept;
    QLabel* m_pOutputLabel;
    QPlainTextEdit* m_pSerialInput;
    QPlainTextEdit* m_pSerialOutput;
};
