#include "files/RegularFileRead.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {
// Opening a named pipe for reading returns at once instead of waiting for a
// writer; the flag changes nothing for a regular file's reads.
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
}  // namespace

ReadOpening OpenRegularForReading(const char* path, Descriptor& file) {
    struct stat seen {};
    if (::stat(path, &seen) != 0) return errno == ENOENT ? ReadOpening::Absent : ReadOpening::Unreadable;
    if (!S_ISREG(seen.st_mode)) return ReadOpening::NotRegular;
    file = Descriptor(::open(path, kReadFlags));
    if (file.Get() < 0) return ReadOpening::Unreadable;
    struct stat opened {};
    if (::fstat(file.Get(), &opened) != 0 || !S_ISREG(opened.st_mode)) {
        file = Descriptor();
        return ReadOpening::NotRegular;
    }
    return ReadOpening::Opened;
}
