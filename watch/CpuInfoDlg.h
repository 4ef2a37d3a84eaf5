// "CPU Status": a box with an OK button only. Nothing opens it.
#pragma once

#include <QDialog>

class CCpuInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCpuInfoDlg(QWidget* parent = nullptr);
};
