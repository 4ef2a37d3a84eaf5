// An open file that is closed when its one holder lets it go.
#pragma once

#include <unistd.h>
#include <utility>

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor(Descriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    // The file held before goes with the other, which closes it.
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    int Get() const { return m_fd; }
    // For a close whose result counts, or for a new owner (a QFile, say)
    // that closes it instead: this holder no longer closes it.
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};
