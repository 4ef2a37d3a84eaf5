// The button row of the dialogs built on QDialog alone. OK is the default
// button, so Enter in a field closes the dialog with OK, and the buttons go
// through the dialog's own accept() and reject(), which the dialogs
// override to take their fields.
#pragma once

#include <QDialogButtonBox>

class QDialog;

QDialogButtonBox* CreateDialogButtons(QDialog* pDlg,
                                      QDialogButtonBox::StandardButtons buttons = QDialogButtonBox::Ok |
                                                                                  QDialogButtonBox::Cancel);
