// A toggle button for one bit: down shows "1", up shows "0", whoever
// changes it. The 8-bit edit dialog's bit buttons and the serial window's
// ninth bit are such buttons.
#pragma once

#include <QPushButton>

class CBitButton : public QPushButton {
public:
    explicit CBitButton(QWidget* pParent);
};
