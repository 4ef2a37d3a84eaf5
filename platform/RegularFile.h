// Whether a path names a regular file, links followed. Opening anything else
// by name may block for ever (a named pipe waits for its other end, a device
// for its hardware) or read nothing meaningful (a folder), so the program
// opens only regular files and treats the rest as absent or refuses them.
#pragma once

#include <QString>

bool IsRegularFile(const QString& path);
// True when nothing is at path yet, or a regular file is: a file may be
// created or rewritten there.
bool IsAbsentOrRegularFile(const QString& path);
