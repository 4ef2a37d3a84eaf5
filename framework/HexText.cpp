#include "framework/HexText.h"

namespace {
int HexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}
}  // namespace

bool ScanHex(const QString& text, std::uint32_t& value) {
    int i = 0;
    const int n = text.size();
    while (i < n && text[i].isSpace()) ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    // "0x" is a prefix only when a digit follows it; otherwise the 0 is the value.
    if (i + 2 < n && text[i] == QLatin1Char('0') &&
        (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X')) && HexDigitValue(text[i + 2]) >= 0)
        i += 2;
    if (i >= n || HexDigitValue(text[i]) < 0) return false;
    std::uint32_t parsed = 0;
    for (; i < n && HexDigitValue(text[i]) >= 0; ++i) parsed = parsed << 4 | std::uint32_t(HexDigitValue(text[i]));
    value = negative ? 0u - parsed : parsed;
    return true;
}

bool ScanHex(const QString& text, std::uint32_t& value, int maxChars) {
    int i = 0;
    while (i < text.size() && text[i].isSpace()) ++i;
    return ScanHex(text.mid(i, maxChars), value);
}
