#include "dialogs/BitButton.h"

namespace {
QString CaptionOf(bool bDown) { return QString::fromLatin1(bDown ? "1" : "0"); }
}  // namespace

CBitButton::CBitButton(QWidget* pParent) : QPushButton(CaptionOf(false), pParent) {
    setCheckable(true);
    // Enter in the dialog's field means OK, never a bit.
    setAutoDefault(false);
    connect(this, &QPushButton::toggled, this, [this](bool bDown) { setText(CaptionOf(bDown)); });
}
