// Debug trace for internal diagnostics: goes to the Qt debug output, never
// to the user.
#pragma once

void DebugTrace(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
