// A text file walked line by line through byte offsets: it remembers where
// the current line starts, moves back a number of lines, finds the line that
// holds an offset, counts lines and searches for a text.
#pragma once

#include <QFile>
#include <QString>

class CLineFile : public QFile {
    Q_OBJECT
public:
    // How far back a move may reach at most, and the line length assumed
    // when guessing where to start looking back.
    static constexpr int kMaxBackLines = 200;
    static constexpr qint64 kAssumedLineLength = 100;

    CLineFile();
    // Opens the file; when it cannot be opened the object stays closed.
    CLineFile(const QString& name, QIODevice::OpenMode flags);

    // Makes the line at the current position the current line, consumes it
    // and returns the position after it. The line's bytes, cut to maximum - 1,
    // go to buffer with a closing NUL (buffer may be null).
    virtual qint64 ReadLine(char* buffer, int maximum);
    // Makes the line n lines before the current one current and returns its
    // offset; -1 when the file cannot be positioned.
    virtual qint64 BackLines(char* buffer, int maximum, int n);
    // Makes the line that holds offset current and returns its offset, or -1.
    virtual qint64 LineNear(char* buffer, int maximum, qint64 offset);
    // Sets the current line's offset and returns the previous one.
    virtual qint64 SetLineStart(qint64 offset);

    // The 1-based number of the line that holds offset; the file is left
    // positioned at offset.
    qint64 LineNumberAt(qint64 offset);
    // Searches from start for text; true with the file positioned after the
    // first occurrence, false at the end of the file. m_nLineNo counts the
    // line ends read on the way.
    bool FindText(const char* text, qint64 start);

    qint64 m_nLineStart = 0;
    qint64 m_nLineNo = 0;
};
