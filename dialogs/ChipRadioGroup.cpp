#include "dialogs/ChipRadioGroup.h"

#include <QRadioButton>
#include <QVBoxLayout>

CChipRadioGroup::CChipRadioGroup(const char* title, const char* labelFormat, QWidget* parent)
    : QGroupBox(QString::fromLatin1(title), parent) {
    auto* pLayout = new QVBoxLayout(this);
    for (int chip = 0; chip < kMaxChips; ++chip) {
        auto* pRadio = new QRadioButton(QString::asprintf(labelFormat, chip + 1), this);
        connect(pRadio, &QRadioButton::clicked, this, [this, chip] { emit chipClicked(chip); });
        m_radios[std::size_t(chip)] = pRadio;
        pLayout->addWidget(pRadio);
    }
}

void CChipRadioGroup::EnableChips(int count) {
    for (int chip = 0; chip < kMaxChips; ++chip) m_radios[std::size_t(chip)]->setEnabled(chip < count);
}

int CChipRadioGroup::GetChecked() const {
    for (int chip = 0; chip < kMaxChips; ++chip) {
        if (m_radios[std::size_t(chip)]->isChecked()) return chip;
    }
    return -1;
}

void CChipRadioGroup::SetChecked(int chip) {
    if (chip >= 0 && chip < kMaxChips) m_radios[std::size_t(chip)]->setChecked(true);
}
