// "Add C Variable to Watch": a drop-down list to choose from. Nothing opens
// it; OK keeps the chosen index (-1 for none).
#pragma once

#include <QDialog>

class QComboBox;

class CCVarWatchAddDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDC_VARIABLES = 1177 };

    explicit CCVarWatchAddDlg(QWidget* parent = nullptr);

    int m_nSelection = -1;

    QComboBox* VariableList() const { return m_pList; }

public slots:
    void accept() override;

private:
    QComboBox* m_pList;
};
