// Pages of a PDF file as Qt's printer writes it.
#pragma once

#include <QFile>
#include <QString>

// -1 when the file cannot be read.
inline int PdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    return static_cast<int>(file.readAll().count("/Type /Page\n"));
}
