#include "platform/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>

namespace {
constexpr int kUnitsPerCharWidth = 4;
constexpr int kUnitsPerCharHeight = 8;
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAlphabetLength = sizeof kAlphabet - 1;
}  // namespace

QRect MapDialogRect(const QWidget* pWidget, const QRect& dialogUnits) {
    const QFontMetrics metrics = pWidget->fontMetrics();
    // The average width of the letters, rounded, as the system measures it.
    const int charWidth = (metrics.horizontalAdvance(QLatin1String(kAlphabet)) / (kAlphabetLength / 2) + 1) / 2;
    const int charHeight = metrics.height();
    auto x = [&](int units) { return units * charWidth / kUnitsPerCharWidth; };
    auto y = [&](int units) { return units * charHeight / kUnitsPerCharHeight; };
    return QRect(x(dialogUnits.x()), y(dialogUnits.y()), x(dialogUnits.width()), y(dialogUnits.height()));
}
