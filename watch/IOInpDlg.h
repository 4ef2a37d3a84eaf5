// "Select the peripheral.": which chip the I/O watch's Edit gives input to.
// It has an OK button only; Escape cancels.
#pragma once

#include <QDialog>
#include <array>

class QRadioButton;

class CIOInpDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDC_FIRST_RADIO = 1167 };
    // The radios in order, as m_nPeripheral counts them.
    enum Peripheral { k8255, k8155, k8279, k8253, k8251, kPeripheralCount };

    explicit CIOInpDlg(QWidget* parent = nullptr);
    int DoModal();

    // -1 for no radio chosen.
    int m_nPeripheral = -1;

    QRadioButton* Radio(int peripheral) const { return m_radios[std::size_t(peripheral)]; }

public slots:
    void accept() override;

private:
    std::array<QRadioButton*, kPeripheralCount> m_radios{};
};
