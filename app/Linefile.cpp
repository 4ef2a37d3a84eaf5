#include "app/Linefile.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Trace.h"

namespace {
constexpr char kLineFeed = '\n';
constexpr char kReturn = '\r';
}  // namespace

CLineFile::CLineFile() = default;

CLineFile::CLineFile(const QString& name, QIODevice::OpenMode flags) : QFile(name) { open(flags); }

qint64 CLineFile::ReadLine(char* buffer, int maximum) {
    m_nLineStart = pos();
    int count = 0;
    int stored = 0;
    char c = 0;
    while (getChar(&c)) {
        ++count;
        if (buffer != nullptr && stored < maximum - 1) buffer[stored++] = c;
        if (c == kLineFeed) break;
        if (c != kReturn && count >= maximum) break;
    }
    if (buffer != nullptr && maximum > 0) buffer[stored] = '\0';
    return pos();
}

qint64 CLineFile::BackLines(char* buffer, int maximum, int n) {
    if (m_nLineStart == 0) {
        seek(0);
        return ReadLine(buffer, maximum);
    }
    // A current line beyond the end of the file counts as the end: the
    // search below could never reach it.
    m_nLineStart = std::min(m_nLineStart, size());
    n = std::clamp(n, 0, kMaxBackLines);
    const qint64 start = std::max<qint64>(0, m_nLineStart - kAssumedLineLength * n);
    if (!seek(start)) {
        DebugTrace("Bad Seek in BackLines %ld\n", static_cast<long>(start));
        return -1;
    }
    // The start may fall inside a line; the search begins with the next one.
    if (start != 0) readLine();

    // Starts of the last n + 1 lines passed, the newest first.
    std::vector<qint64> starts(static_cast<std::size_t>(n) + 1, -1);
    for (;;) {
        std::rotate(starts.rbegin(), starts.rbegin() + 1, starts.rend());
        starts[0] = pos();
        if (pos() >= m_nLineStart || readLine().isEmpty()) break;
    }
    while (n > 0 && starts[static_cast<std::size_t>(n)] == -1) --n;
    const qint64 offset = starts[static_cast<std::size_t>(n)];
    seek(offset);
    ReadLine(buffer, maximum);
    m_nLineStart = offset;
    return offset;
}

qint64 CLineFile::LineNear(char* buffer, int maximum, qint64 offset) {
    if (!seek(offset)) {
        DebugTrace("Bad Seek in LineNear %ld\n", static_cast<long>(offset));
        return -1;
    }
    m_nLineStart = ReadLine(buffer, maximum);
    return BackLines(buffer, maximum, 1);
}

qint64 CLineFile::SetLineStart(qint64 offset) {
    const qint64 previous = m_nLineStart;
    m_nLineStart = offset;
    return previous;
}

qint64 CLineFile::LineNumberAt(qint64 offset) {
    seek(0);
    m_nLineNo = 1;
    char c = 0;
    while (pos() <= offset && getChar(&c))
        if (c == kLineFeed) ++m_nLineNo;
    seek(offset);
    return m_nLineNo;
}

bool CLineFile::FindText(const char* text, qint64 start) {
    m_nLineNo = 0;
    const std::size_t length = text != nullptr ? std::strlen(text) : 0;
    if (length == 0 || !seek(start)) return false;
    // The last bytes read, as many as the text has: every occurrence is
    // found, also one that begins inside a partial match.
    QByteArray window;
    char c = 0;
    while (getChar(&c)) {
        if (c == kLineFeed) ++m_nLineNo;
        window.append(c);
        if (static_cast<std::size_t>(window.size()) > length) window.remove(0, 1);
        if (static_cast<std::size_t>(window.size()) == length && std::memcmp(window.constData(), text, length) == 0)
            return true;
    }
    return false;
}
