// Edits a 16-bit register (the program counter or the stack pointer) as
// hexadecimal text. The caller formats the value into m_strValue and reads
// the text back after OK; the dialog itself touches no register.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

class CReg16Edit : public QDialog {
    Q_OBJECT
public:
    enum { IDC_VALUE = 1204 };

    explicit CReg16Edit(QWidget* parent = nullptr);
    int DoModal();

    QString m_strValue;

    QLineEdit* ValueEdit() const { return m_pEdit; }

public slots:
    void accept() override;

private:
    void OnChangeValue();

    QLineEdit* m_pEdit;
};
