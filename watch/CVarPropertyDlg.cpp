#include "watch/CVarPropertyDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CCVarPropertyDlg::CCVarPropertyDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("C Variable Properties"));
    auto* pLayout = new QVBoxLayout(this);
    for (QLabel*& pLabel : m_labels) {
        pLabel = new QLabel(QStringLiteral("Static"), this);
        pLayout->addWidget(pLabel);
    }
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    pLayout->addWidget(pButtons);
}

int CCVarPropertyDlg::DoModal() {
    // The fields go to ids 1182, 1180, 1183 and 1181, in that order.
    const QString* fields[kFields] = {&m_strField2, &m_strField4, &m_strField1, &m_strField3};
    for (int i = 0; i < kFields; ++i) m_labels[std::size_t(i)]->setText(*fields[i]);
    return exec();
}
