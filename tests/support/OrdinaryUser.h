// Refusals that the superuser overrides happen only to an ordinary user, and
// a link planted by someone else needs a second user: as root, a check runs
// in a child process that has become "nobody"; as anyone else, it runs here.
#pragma once

#include <filesystem>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <optional>
#include <pwd.h>
#include <unistd.h>

#include "tests/support/ChildCheck.h"

struct OrdinaryUser {
    uid_t uid;
    gid_t gid;
};

// Nothing when running as root on a system without "nobody".
inline std::optional<OrdinaryUser> FindOrdinaryUser() {
    if (::geteuid() != 0) return OrdinaryUser{::geteuid(), ::getegid()};
    const passwd* entry = ::getpwnam("nobody");
    if (entry == nullptr) return std::nullopt;
    return OrdinaryUser{entry->pw_uid, entry->pw_gid};
}

// The file or folder becomes the user's (a no-op for the user running the test).
inline void GiveTo(const std::filesystem::path& path, const OrdinaryUser& user) {
    ASSERT_EQ(::lchown(path.c_str(), user.uid, user.gid), 0) << path;
}

// The check's failures are reported where they happen and fail the test.
inline void RunAsUser(const OrdinaryUser& user, const std::function<void()>& check) {
    if (user.uid == ::geteuid()) {
        check();
        return;
    }
    const auto become = [&] {
        return ::setgroups(0, nullptr) == 0 && ::setgid(user.gid) == 0 && ::setuid(user.uid) == 0;
    };
    EXPECT_TRUE(CheckInChild(become, check)) << "could not become user " << user.uid;
}
