// The chip choice of the input dialogs: five radio buttons "<chip> #1" to
// "<chip> #5" in an untitled group box, those without a configured chip
// disabled.
#pragma once

#include <QGroupBox>
#include <array>

#include "sim/Simulator.h"

class QRadioButton;

class CChipRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    CChipRadioGroup(const char* chipName, QWidget* parent);

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
