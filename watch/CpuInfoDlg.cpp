#include "watch/CpuInfoDlg.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

CCpuInfoDlg::CCpuInfoDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("CPU Status"));
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    (new QVBoxLayout(this))->addWidget(pButtons);
}
