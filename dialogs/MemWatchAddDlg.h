// One-field value dialog: asks for a single value (an address, a byte, an
// origin) with the caption, prompt, length limit and initial text of the
// caller's mode. The caller parses the returned text itself.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

class CMemWatchAddDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDC_VALUE = 1146, IDC_PROMPT = 1164 };
    enum Mode {
        kModeMemWatch1 = 1,
        kModeMemWatch = 2,
        kMode8279 = 3,
        kMode8251First = 4,
        kMode8251Last = 9,
        kModeCVariable = 10,
        kModeNewValue = 11,
        kModeTabSize = 12,
        kModeOrigin = 13,
        kModeFrequency = 14
    };

    explicit CMemWatchAddDlg(QWidget* parent = nullptr);

    // Runs the dialog modally; QDialog::Accepted on OK, with m_strValue
    // holding the typed text.
    int DoModal();

    QString m_strValue;
    QString m_strLabel;
    // A mode outside 1-14 gives the template's caption and "00".
    int m_nMode = 0;
    QString m_strTitle;

    QLineEdit* ValueEdit() const { return m_pEdit; }
    QLabel* PromptLabel() const { return m_pPrompt; }

public slots:
    void accept() override;

private:
    void OnInitDialog();
    void OnChangeValue();
    void UpdateData(bool bSaveAndValidate);

    QLineEdit* m_pEdit;
    QLabel* m_pPrompt;
};
