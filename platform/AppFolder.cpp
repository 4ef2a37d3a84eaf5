#include "platform/AppFolder.h"

#include <QCoreApplication>

namespace {
QString& Override() {
    static QString folder;
    return folder;
}
}  // namespace

void SetAppFolderOverride(const QString& folder) { Override() = folder; }

QString AppFolder() {
    if (!Override().isEmpty()) return Override();
    return QCoreApplication::applicationDirPath();
}
