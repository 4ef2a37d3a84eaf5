#include "watch/CVarPropertyDlg.h"

#include <QLabel>
#include <QVBoxLayout>

#include "dialogs/DialogButtons.h"

CCVarPropertyDlg::CCVarPropertyDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("C Variable Properties"));
    auto* pLayout = new QVBoxLayout(this);
    for (QLabel*& pLabel : m_labels) {
        pLabel = new QLabel(QStringLiteral("Static"), this);
        pLayout->addWidget(pLabel);
    }
    pLayout->addWidget(CreateDialogButtons(this, QDialogButtonBox::Ok));
}

int CCVarPropertyDlg::DoModal() {
    // The fields go to ids 1182, 1180, 1183 and 1181, in that order.
    const QString* fields[kFields] = {&m_strField2, &m_strField4, &m_strField1, &m_strField3};
    for (int i = 0; i < kFields; ++i) m_labels[std::size_t(i)]->setText(*fields[i]);
    return exec();
}
