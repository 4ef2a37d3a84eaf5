// Debug trace for internal diagnostics: goes to the Qt debug output of the
// logging category "torvan.trace", which is off unless asked for
// (QT_LOGGING_RULES="torvan.trace.debug=true"), never to the user.
#pragma once

void DebugTrace(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
