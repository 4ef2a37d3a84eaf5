// Reading a typed hexadecimal value the way "%X" does (leading blanks, an
// optional sign and "0x", then digits up to the first other character), but
// without overflow: the value is kept modulo 2^32, so a caller masking it to
// its width gets the low bits of whatever was typed.
#pragma once

#include <QString>
#include <cstdint>

// False, leaving value unchanged, when the text holds no hexadecimal digit
// where "%X" expects one.
bool ScanHex(const QString& text, std::uint32_t& value);

// As above, reading at most maxChars characters after the leading blanks, as
// "%4X" reads at most four: "12345" gives 0x1234.
bool ScanHex(const QString& text, std::uint32_t& value, int maxChars);
