#include "platform/Trace.h"

#include <QLoggingCategory>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
// Off unless asked for, so that a user's terminal stays quiet.
Q_LOGGING_CATEGORY(lcTrace, "torvan.trace", QtInfoMsg)
}  // namespace

void DebugTrace(const char* format, ...) {
    if (!lcTrace().isDebugEnabled()) return;
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    // The texts end with their own line break; the message adds one.
    std::size_t length = std::strlen(text);
    if (length > 0 && text[length - 1] == '\n') text[length - 1] = '\0';
    qCDebug(lcTrace, "%s", text);
}
