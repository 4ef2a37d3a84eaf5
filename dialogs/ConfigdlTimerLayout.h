// The prescaler row that both timer dialogs show.
#pragma once

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

// A prescaler is up to four hexadecimal digits, typed and taken alike.
constexpr int kPrescalerDigits = 4;

inline QGridLayout* PrescalerRow(QWidget* pBox, QLineEdit* pPrescaler) {
    auto* pGrid = new QGridLayout;
    pGrid->addWidget(new QLabel(QStringLiteral("Prescaler"), pBox), 0, 0);
    pGrid->addWidget(pPrescaler, 0, 1);
    pGrid->addWidget(new QLabel(QStringLiteral("(HEX)"), pBox), 0, 2);
    pGrid->addWidget(new QLabel(QStringLiteral("Timer Input = CLKOUT / Prescaler"), pBox), 1, 0, 1, 3);
    return pGrid;
}
