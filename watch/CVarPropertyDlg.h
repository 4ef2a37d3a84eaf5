// "C Variable Properties": four texts and an OK button. Nothing opens it.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QLabel;

class CCVarPropertyDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDC_FIELD_FIRST = 1180 };
    static constexpr int kFields = 4;

    explicit CCVarPropertyDlg(QWidget* parent = nullptr);
    // Shows the fields in their texts, then runs modally.
    int DoModal();

    QString m_strField1, m_strField2, m_strField3, m_strField4;

    // The text of id 1180 + i.
    QLabel* FieldLabel(int i) const { return m_labels[std::size_t(i)]; }

private:
    std::array<QLabel*, kFields> m_labels{};
};
