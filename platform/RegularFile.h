// The program's own files (programs, the last-program record, the version
// text) as Qt files. Only a regular file is opened to be read, and only a
// regular file, or nothing yet, is written.
#pragma once

#include <QFile>
#include <QString>

// Opens the file at path for reading when it is a regular file, as
// OpenRegularForReading decides: anything else is refused, a name that
// tells so without being opened.
bool OpenRegularFile(QFile& file, const QString& path);
// True when nothing is at path yet, or a regular file is: a file may be
// created or rewritten there.
bool IsAbsentOrRegularFile(const QString& path);
