// A column of five radio buttons in a group box, one for each chip of a
// kind, labelled by a format that numbers them 1 to 5 ("8253 #%d",
// "Chip #%d"). The input dialogs and the configuration dialogs that edit
// one chip at a time choose the chip with it; chips the board lacks can be
// disabled.
#pragma once

#include <QGroupBox>
#include <array>

#include "sim/Simulator.h"

class QRadioButton;

class CChipRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // A null title leaves the group box untitled.
    CChipRadioGroup(const char* title, const char* labelFormat, QWidget* parent);

    // Chips 0 to count - 1 can be chosen.
    void EnableChips(int count);
    // The chosen chip, -1 for none.
    int GetChecked() const;
    void SetChecked(int chip);
    QRadioButton* Radio(int chip) const { return m_radios[std::size_t(chip)]; }

signals:
    void chipClicked(int chip);

private:
    std::array<QRadioButton*, kMaxChips> m_radios{};
};
