#include "watch/CpuInfoDlg.h"

#include <QVBoxLayout>

#include "dialogs/DialogButtons.h"

CCpuInfoDlg::CCpuInfoDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("CPU Status"));
    (new QVBoxLayout(this))->addWidget(CreateDialogButtons(this, QDialogButtonBox::Ok));
}
