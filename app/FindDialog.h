// "Find String.." dialog of the program window: a search text and a
// direction, exchanged with its members when it opens and on OK.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QRadioButton;

class CFindDialog : public QDialog {
    Q_OBJECT
public:
    enum { IDC_FIND_TEXT = 1143, IDC_FIND_FORWARD = 1144, IDC_FIND_BACKWARD = 1145 };
    enum Direction { kForward = 0, kBackward = 1 };

    explicit CFindDialog(QWidget* parent = nullptr);

    // Runs the dialog modally; QDialog::Accepted on OK.
    int DoModal();

    QString m_strFind;
    int m_nDirection = -1;

    QLineEdit* FindEdit() const { return m_pEdit; }
    QRadioButton* ForwardButton() const { return m_pForward; }
    QRadioButton* BackwardButton() const { return m_pBackward; }

public slots:
    void accept() override;

private:
    void OnInitDialog();
    void UpdateData(bool bSaveAndValidate);

    QLineEdit* m_pEdit;
    QRadioButton* m_pForward;
    QRadioButton* m_pBackward;
};
