// Reading and writing a file's bytes at a place in it, whole: a system call
// may be cut short or interrupted, and is then asked again for the rest.
#pragma once

#include <cerrno>
#include <cstddef>
#include <sys/types.h>
#include <unistd.h>

// False when the bytes cannot all be written from `from` on.
inline bool WriteAt(int fd, const unsigned char* bytes, std::size_t size, off_t from = 0) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, bytes + done, size - done, from + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// How many bytes there were to read from `from` on, up to size.
inline std::size_t ReadAt(int fd, unsigned char* bytes, std::size_t size, off_t from = 0) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, bytes + done, size - done, from + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}
