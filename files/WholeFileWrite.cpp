#include "files/WholeFileWrite.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "files/Descriptor.h"
#include "files/FileBytes.h"
#include "files/OwnPath.h"

namespace {
constexpr int kScratchAttempts = 16;
constexpr const char* kScratchFormat = ".torvan-%016llx.saving";
constexpr std::size_t kScratchNameSize = 32;
// A new file gets what the umask leaves of read and write for everyone, as
// any file the program creates; a scratch that is to replace a file is the
// user's alone until it has the old file's owner and mode.
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPrivateMode = 0600;
constexpr mode_t kModeBits = 07777;
// Nothing is opened through a link, and nothing opened may wait: a named
// pipe put where the file was is refused, not waited on.
constexpr int kOpenFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

// The bytes are on the disk, and the system has reported no error for them
// up to the close, before anything else changes.
bool WriteDurably(Descriptor& file, const unsigned char* bytes, std::size_t size) {
    return WriteAt(file.Get(), bytes, size) && ::fsync(file.Get()) == 0 && ::close(file.Release()) == 0;
}

// A file in the target's folder, created there and then under a name nobody
// can guess: were anything already there, a planted link included, creating
// it fails rather than opening what is there. It goes again unless it takes
// the target's place, which is in the same folder whatever is renamed meanwhile.
class ScratchFile {
public:
    ScratchFile(int folder, mode_t mode) : m_folder(folder) {
        for (int attempt = 0; attempt < kScratchAttempts && m_file.Get() < 0; ++attempt) {
            std::uint64_t random = 0;
            if (::getrandom(&random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) break;
            char name[kScratchNameSize];
            std::snprintf(name, sizeof name, kScratchFormat, static_cast<unsigned long long>(random));
            m_name = name;
            m_file = Descriptor(::openat(m_folder, m_name.c_str(), O_WRONLY | O_CREAT | O_EXCL | kOpenFlags, mode));
            if (m_file.Get() < 0 && errno != EEXIST) break;
        }
        if (m_file.Get() < 0) m_name.clear();
    }
    ~ScratchFile() {
        if (!m_name.empty()) ::unlinkat(m_folder, m_name.c_str(), 0);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    int Get() const { return m_file.Get(); }

    bool Fill(const unsigned char* bytes, std::size_t size) { return WriteDurably(m_file, bytes, size); }

    bool TakePlaceOf(const std::string& target) { return Become(target, 0); }

    // Fails when anything has the name, even something that appeared after
    // the name was found free.
    bool TakeFreeName(const std::string& target) { return Become(target, RENAME_NOREPLACE); }

    // The same by a second name, where the rename above is refused: a link
    // too fails when anything has the name, a link planted there included,
    // and follows nothing. The scratch name goes as ever, which leaves the
    // file the target's name alone.
    bool LinkAsFreeName(const std::string& target) {
        return ::linkat(m_folder, m_name.c_str(), m_folder, target.c_str(), 0) == 0;
    }

    // Gone now rather than when the attempt ends, for room to make the file
    // another way.
    void Remove() {
        ::unlinkat(m_folder, m_name.c_str(), 0);
        m_name.clear();
    }

private:
    bool Become(const std::string& target, unsigned flags) {
        if (::renameat2(m_folder, m_name.c_str(), m_folder, target.c_str(), flags) != 0) return false;
        m_name.clear();
        return true;
    }

    int m_folder;
    Descriptor m_file;
    std::string m_name;
};

// The one refusal that means something is at the name. Any other refusal
// of a rename or a link, from a file system without it or a sandbox that
// denies it, leaves the file to be made another way, which cannot take
// anything's place either.
bool NameTaken(int error) { return error == EEXIST; }

// Made under its own name, where nothing can be in its way either; it is
// there, if only in part, while it is written, and goes again when the
// bytes cannot all be written. Only the file this open made is removed:
// in a folder others may write, the name may hold another's file by then,
// and without the made file's identity there is no telling, so the name
// is left alone.
Creation CreateInPlace(const OwnPath& target, const unsigned char* bytes, std::size_t size) {
    const int folder = target.folder.Get();
    Descriptor made(::openat(folder, target.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | kOpenFlags, kNewFileMode));
    if (made.Get() < 0) return NameTaken(errno) ? Creation::NameTaken : Creation::Failed;
    struct stat own {};
    const bool bKnown = ::fstat(made.Get(), &own) == 0;
    if (bKnown && WriteDurably(made, bytes, size)) return Creation::Made;
    struct stat now {};
    const bool bStillOurs = bKnown && ::fstatat(folder, target.name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
                            now.st_dev == own.st_dev && now.st_ino == own.st_ino;
    if (bStillOurs) ::unlinkat(folder, target.name.c_str(), 0);
    return Creation::Failed;
}

// A file new to its folder never takes the place of anything: had something
// taken the name since it was found free, the file is not made. It appears
// whole or not at all, by the rename that refuses to replace or else by a
// link; only where links are refused too (FAT) is it made in place, once
// the scratch has made room for it.
Creation CreateWhole(const OwnPath& target, const unsigned char* bytes, std::size_t size) {
    ScratchFile scratch(target.folder.Get(), kNewFileMode);
    if (scratch.Get() < 0 || !scratch.Fill(bytes, size)) return Creation::Failed;
    if (scratch.TakeFreeName(target.name)) return Creation::Made;
    if (NameTaken(errno)) return Creation::NameTaken;
    if (scratch.LinkAsFreeName(target.name)) return Creation::Made;
    if (NameTaken(errno)) return Creation::NameTaken;
    scratch.Remove();
    return CreateInPlace(target, bytes, size);
}

// A rename would give someone else's file a new owner, and split a file
// with a second name in two.
bool MayReplace(const struct stat& old) { return old.st_nlink == 1 && old.st_uid == ::geteuid(); }

// The new file has the old one's owner, group and mode before it holds
// anything; where the old group cannot be given, the file is not replaced.
bool ReplaceWhole(const OwnPath& target, const struct stat& old, const unsigned char* bytes, std::size_t size) {
    ScratchFile scratch(target.folder.Get(), kPrivateMode);
    return scratch.Get() >= 0 && ::fchown(scratch.Get(), old.st_uid, old.st_gid) == 0 &&
           ::fchmod(scratch.Get(), old.st_mode & kModeBits) == 0 && scratch.Fill(bytes, size) &&
           scratch.TakePlaceOf(target.name);
}

// As far as the system lets it, the file is as it was.
void Restore(int fd, const std::vector<unsigned char>& kept, off_t oldSize) {
    if (WriteAt(fd, kept.data(), kept.size()) && ::ftruncate(fd, oldSize) == 0) ::fsync(fd);
}

// The space for the new bytes is taken before any old byte changes, so a
// full disk refuses the save rather than leaving half a file. The old bytes
// that the new overwrite are kept until the new are on the disk, and an old
// file's longer tail is cut only then.
bool WriteInPlace(int fd, const struct stat& old, const unsigned char* bytes, std::size_t size) {
    std::vector<unsigned char> kept(size);
    kept.resize(ReadAt(fd, kept.data(), size));
    const bool bWritten = ::posix_fallocate(fd, 0, static_cast<off_t>(size)) == 0 && WriteAt(fd, bytes, size) &&
                          ::fsync(fd) == 0 && ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    if (!bWritten) Restore(fd, kept, old.st_size);
    return bWritten;
}
}  // namespace

Creation CreateWholeFile(const std::string& path, const unsigned char* bytes, std::size_t size) {
    const std::optional<OwnPath> target = FindOwnPath(path);
    if (!target) return Creation::Failed;
    return target->exists ? Creation::NameTaken : CreateWhole(*target, bytes, size);
}

bool WriteWholeFile(const std::string& path, const unsigned char* bytes, std::size_t size) {
    const std::optional<OwnPath> target = FindOwnPath(path);
    if (!target) return false;
    if (!target->exists) return CreateWhole(*target, bytes, size) == Creation::Made;
    const struct stat& seen = target->status;
    // A named pipe or a device may wait or act when opened; a folder holds no bytes.
    if (!S_ISREG(seen.st_mode)) return false;
    // Opened to be written even when it is to be replaced: a file whose own
    // write protection refuses the user is not replaced either.
    const Descriptor old(::openat(target->folder.Get(), target->name.c_str(), O_RDWR | kOpenFlags));
    struct stat opened {};
    if (old.Get() < 0 || ::fstat(old.Get(), &opened) != 0 || opened.st_dev != seen.st_dev ||
        opened.st_ino != seen.st_ino)
        return false;
    if (MayReplace(opened) && ReplaceWhole(*target, opened, bytes, size)) return true;
    return WriteInPlace(old.Get(), opened, bytes, size);
}
