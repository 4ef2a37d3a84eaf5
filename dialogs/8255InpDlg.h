// "Input to 8255": the levels on the input ports of one 8255, port C as two
// halves of one hexadecimal digit each. Only input ports (and halves) can be
// typed into; OK writes them, and a text without a hexadecimal digit keeps
// that port's (or half's) latch.
#pragma once

#include <QDialog>
#include <QString>

class CChipRadioGroup;
class QLineEdit;

class C8255InpDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDC_CHIP1 = 1153, IDC_PORT_B = 1158, IDC_PORT_C_UPPER = 1160, IDC_PORT_C_LOWER = 1161, IDC_PORT_A = 1162 };

    explicit C8255InpDlg(QWidget* parent = nullptr);
    // Rejected at once, after the message, when no 8255 is connected.
    int DoModal();

    int m_nChip = -1;
    QString m_strPortA, m_strPortB, m_strPortCUpper, m_strPortCLower;

    CChipRadioGroup* ChipRadios() const { return m_pChips; }
    QLineEdit* PortAEdit() const { return m_pPortA; }
    QLineEdit* PortBEdit() const { return m_pPortB; }
    QLineEdit* PortCUpperEdit() const { return m_pPortCUpper; }
    QLineEdit* PortCLowerEdit() const { return m_pPortCLower; }

    void ShowChipPorts();

public slots:
    void accept() override;

private:
    bool OnInitDialog();
    void OnChangePort(int nID);
    void UpdateData(bool bSaveAndValidate);

    CChipRadioGroup* m_pChips;
    QLineEdit* m_pPortA;
    QLineEdit* m_pPortB;
    QLineEdit* m_pPortCUpper;
    QLineEdit* m_pPortCLower;
};
