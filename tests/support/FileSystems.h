// File systems as the program meets them, told apart by the calls they
// refuse, for checks run on each in a child process.
#pragma once

#include <cerrno>
#include <functional>
#include <sys/syscall.h>
#include <vector>

#include "tests/support/ChildCheck.h"
#include "tests/support/SystemCallFilter.h"

struct FileSystem {
    const char* name;
    std::vector<Refusal> refused;
};

inline const FileSystem kEveryCallWorks{"every call works", {}};
// A network or FUSE file system, without the rename that replaces nothing.
inline const FileSystem kRenameRefused{"rename refused", {{SYS_renameat2, EINVAL}}};
// A sandbox that denies that rename.
inline const FileSystem kRenameDenied{"rename denied", {{SYS_renameat2, EPERM}}};
// FAT, which refuses hard links too.
inline const FileSystem kRenameAndLinkRefused{"rename and link refused",
                                              {{SYS_renameat2, EINVAL}, {SYS_linkat, EPERM}}};

// The check runs in a child process on the file system. False, with nothing
// checked, where its refusals cannot be set up.
inline bool CheckOn(const FileSystem& system, const std::function<void()>& check) {
    return CheckInChild([&system] { return RefuseCalls(system.refused); }, check);
}
