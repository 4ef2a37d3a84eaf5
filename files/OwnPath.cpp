#include "files/OwnPath.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {
constexpr int kMaxLinkHops = 40;
constexpr uid_t kSuperuser = 0;
constexpr const char* kCurrentFolder = ".";
// A name is opened as itself, a link included, only to be looked at: its
// owner is checked and its target read on what was opened, never looked up
// again by name.
constexpr int kEntryFlags = O_PATH | O_NOFOLLOW | O_CLOEXEC;
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

struct SplitPath {
    std::string folder;
    std::string name;
};

// A bare name is in the current folder. The folder part is opened from the
// folder the path was found in, which an absolute one ignores.
SplitPath Split(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {kCurrentFolder, path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// Anyone else's link, the folder owner's included, could point at any of the
// user's files, or at a place where a new file would appear for them.
bool MayFollow(const struct stat& link) { return link.st_uid == ::geteuid() || link.st_uid == kSuperuser; }

std::optional<std::string> TargetOf(int link) {
    char target[PATH_MAX];
    const ssize_t length = ::readlinkat(link, "", target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) return std::nullopt;
    return std::string(target, static_cast<std::size_t>(length));
}
}  // namespace

std::optional<OwnPath> FindOwnPath(const std::string& path) {
    SplitPath split = Split(path);
    Descriptor folder(::open(split.folder.c_str(), kFolderFlags));
    for (int hop = 0; hop <= kMaxLinkHops && folder.Get() >= 0 && !split.name.empty(); ++hop) {
        const Descriptor entry(::openat(folder.Get(), split.name.c_str(), kEntryFlags));
        struct stat status {};
        if (entry.Get() < 0 && errno != ENOENT) break;
        if (entry.Get() >= 0 && ::fstat(entry.Get(), &status) != 0) break;
        if (entry.Get() < 0 || !S_ISLNK(status.st_mode))
            return OwnPath{std::move(folder), split.name, entry.Get() >= 0, status};
        const std::optional<std::string> target = MayFollow(status) ? TargetOf(entry.Get()) : std::nullopt;
        if (!target) break;
        split = Split(*target);
        folder = Descriptor(::openat(folder.Get(), split.folder.c_str(), kFolderFlags));
    }
    return std::nullopt;
}
