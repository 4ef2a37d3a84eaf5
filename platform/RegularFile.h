// Regular files only. Opening anything else by name may block for ever (a
// named pipe waits for its other end, a device for its hardware) or read
// nothing meaningful (a folder), so the program opens only regular files and
// treats the rest as absent or refuses them.
#pragma once

#include <QFile>
#include <QString>

// Opens the file at path for reading when it is a regular file, links
// followed. Anything else is refused without being opened. What was opened
// is checked again, without waiting: a named pipe put at the path after the
// look by name would still hold the program.
bool OpenRegularFile(QFile& file, const QString& path);
// True when nothing is at path yet, or a regular file is: a file may be
// created or rewritten there.
bool IsAbsentOrRegularFile(const QString& path);
