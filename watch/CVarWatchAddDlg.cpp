#include "watch/CVarWatchAddDlg.h"

#include <QComboBox>
#include <QVBoxLayout>

#include "dialogs/DialogButtons.h"

CCVarWatchAddDlg::CCVarWatchAddDlg(QWidget* parent) : QDialog(parent), m_pList(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Add C Variable to Watch"));
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pList);
    pLayout->addWidget(CreateDialogButtons(this));
}

void CCVarWatchAddDlg::accept() {
    m_nSelection = m_pList->currentIndex();
    QDialog::accept();
}
