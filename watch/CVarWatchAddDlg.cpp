#include "watch/CVarWatchAddDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

CCVarWatchAddDlg::CCVarWatchAddDlg(QWidget* parent) : QDialog(parent), m_pList(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Add C Variable to Watch"));
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &CCVarWatchAddDlg::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pList);
    pLayout->addWidget(pButtons);
}

void CCVarWatchAddDlg::accept() {
    m_nSelection = m_pList->currentIndex();
    QDialog::accept();
}
