#include "framework/AbbreviatePath.h"

namespace {
constexpr QChar kSeparator = QLatin1Char('/');
const QString kEllipsis = QStringLiteral("/...");
}  // namespace

QString AbbreviatePath(const QString& path, int nMaxChars) {
    if (path.size() <= nMaxChars) return path;
    const int nameStart = path.lastIndexOf(kSeparator) + 1;
    const QString name = path.mid(nameStart);
    // The root and the first folder stay, as a drive and its first folder do.
    const int volumeEnd = path.indexOf(kSeparator, 1);
    if (volumeEnd < 0 || volumeEnd + kEllipsis.size() + 1 + name.size() > nMaxChars) return name;
    int restStart = volumeEnd;
    while (volumeEnd + kEllipsis.size() + (path.size() - restStart) > nMaxChars)
        restStart = path.indexOf(kSeparator, restStart + 1);
    return path.left(volumeEnd) + kEllipsis + path.mid(restStart);
}
