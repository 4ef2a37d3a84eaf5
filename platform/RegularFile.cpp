#include "platform/RegularFile.h"

#include <QFileInfo>

#include "files/RegularFileRead.h"

bool OpenRegularFile(QFile& file, const QString& path) {
    Descriptor opened;
    if (OpenRegularForReading(QFile::encodeName(path).constData(), opened) != ReadOpening::Opened) return false;
    if (!file.open(opened.Get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return false;
    opened.Release();
    return true;
}

bool IsAbsentOrRegularFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() || (!info.exists() && !info.isSymLink());
}
