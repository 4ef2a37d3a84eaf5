#include "platform/RegularFile.h"

#include <QFileInfo>

// QFileInfo calls a pipe or a device a sequential file, not a file.
bool IsRegularFile(const QString& path) { return QFileInfo(path).isFile(); }

bool IsAbsentOrRegularFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() || (!info.exists() && !info.isSymLink());
}
