#include "platform/Trace.h"

#include <QtGlobal>
#include <cstdarg>
#include <cstdio>
#include <cstring>

void DebugTrace(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    // The texts end with their own line break; qDebug adds one.
    std::size_t length = std::strlen(text);
    if (length > 0 && text[length - 1] == '\n') text[length - 1] = '\0';
    qDebug("%s", text);
}
