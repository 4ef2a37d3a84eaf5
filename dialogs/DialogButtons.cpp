#include "dialogs/DialogButtons.h"

#include <QDialog>
#include <QPushButton>

QDialogButtonBox* CreateDialogButtons(QDialog* pDlg, QDialogButtonBox::StandardButtons buttons) {
    auto* pButtons = new QDialogButtonBox(buttons, pDlg);
    if (QPushButton* pOk = pButtons->button(QDialogButtonBox::Ok)) pOk->setDefault(true);
    QObject::connect(pButtons, &QDialogButtonBox::accepted, pDlg, &QDialog::accept);
    QObject::connect(pButtons, &QDialogButtonBox::rejected, pDlg, &QDialog::reject);
    return pButtons;
}
