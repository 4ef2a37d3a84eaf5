#include "platform/RegularFile.h"

#include <QFileInfo>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Opening a named pipe for reading returns at once instead of waiting for a
// writer; the flag changes nothing for a regular file's reads.
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
}  // namespace

bool OpenRegularFile(QFile& file, const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    // Anything else is refused by its look alone: opening a named pipe
    // releases a writer waiting on it, and a device may act when opened.
    struct stat seen {};
    if (::stat(name.constData(), &seen) != 0 || !S_ISREG(seen.st_mode)) return false;
    const int fd = ::open(name.constData(), kReadFlags);
    if (fd < 0) return false;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
}

bool IsAbsentOrRegularFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() || (!info.exists() && !info.isSymLink());
}
