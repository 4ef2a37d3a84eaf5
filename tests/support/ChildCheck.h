// A check that must run in a process of its own, one that has given up a
// right or is refused a system call for the rest of its life.
#pragma once

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs the check in a child process once `enter` has set the child up; the
// check's failures are reported where they happen and fail the test. False,
// with nothing checked, when `enter` fails.
inline bool CheckInChild(const std::function<bool()>& enter, const std::function<void()>& check) {
    constexpr int kNotEntered = 77;
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        if (!enter()) ::_exit(kNotEntered);
        check();
        std::fflush(stdout);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    const bool bExited = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status);
    if (bExited && WEXITSTATUS(status) == kNotEntered) return false;
    EXPECT_TRUE(bExited && WEXITSTATUS(status) == 0) << "the check failed in a child process";
    return true;
}
