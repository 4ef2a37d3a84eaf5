// Edits an 8-bit value (a register or the packed flag byte) as two
// hexadecimal digits and as eight toggle buttons, bit 7 on the left, kept in
// step with each other. The caller sets m_strValue, m_nValue and m_strTitle
// and reads m_strValue back after OK; the dialog touches no register.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QLineEdit;
class QPushButton;

class CSfrEditDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDC_VALUE = 1150, IDC_BIT7 = 1151, IDC_BIT0 = 1158 };
    static constexpr int kBits = 8;
    static constexpr int kMaxDigits = 2;

    explicit CSfrEditDlg(QWidget* parent = nullptr);
    int DoModal();

    QString m_strValue;
    int m_nValue = 0;
    QString m_strTitle;

    QLineEdit* ValueEdit() const { return m_pEdit; }
    // The button of a bit, 7 (leftmost) to 0.
    QPushButton* BitButton(int bit) const { return m_bitButtons[std::size_t(kBits - 1 - bit)]; }

public slots:
    void accept() override;

private:
    void OnInitDialog();
    void OnBit(int nID, int mask, int clearMask);
    void OnChangeValue();
    void SetBitButton(int nID, int mask);
    void UpdateData(bool bSaveAndValidate);

    QLineEdit* m_pEdit;
    // Ids 1151 (bit 7) to 1158 (bit 0), left to right.
    std::array<QPushButton*, kBits> m_bitButtons{};
};
