// A check that must run in a process of its own, one that has given up a
// right, is refused system calls for the rest of its life, or is killed on
// the way.
#pragma once

#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// How a child process ended.
enum class ChildEnd {
    NotEntered,  // its set-up failed; nothing was checked
    Passed,
    Failed,    // a check of its own failed
    Killed,    // by a signal, before its checks were done
    TimedOut,  // still running at the time limit, and killed then
};

namespace ChildCheckDetail {
constexpr int kNotEntered = 77;
constexpr int kFailed = 1;
// Far beyond any check's own time, even under the sanitizers; a child
// that waits for ever fails the test instead of hanging the suite.
constexpr auto kTimeLimit = std::chrono::seconds(60);
constexpr auto kPollInterval = std::chrono::milliseconds(1);

// The child inherits the failures that the test met before, so only those
// reported from here on are its own.
inline bool FailsOnItsOwn(const std::function<void()>& check) {
    const ::testing::TestResult& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
    const int before = result.total_part_count();
    check();
    for (int i = before; i < result.total_part_count(); ++i)
        if (result.GetTestPartResult(i).failed()) return true;
    return false;
}
}  // namespace ChildCheckDetail

// How the child ended, waited for up to the time limit; one still running
// then is killed.
inline ChildEnd WaitForChild(pid_t child) {
    using namespace ChildCheckDetail;
    if (child <= 0) return ChildEnd::Failed;
    const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
    int status = 0;
    pid_t ended = 0;
    while ((ended = ::waitpid(child, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kPollInterval);
    if (ended == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        return ChildEnd::TimedOut;
    }
    if (ended != child) return ChildEnd::Failed;
    if (WIFSIGNALED(status)) return ChildEnd::Killed;
    if (WEXITSTATUS(status) == kNotEntered) return ChildEnd::NotEntered;
    return WEXITSTATUS(status) == 0 ? ChildEnd::Passed : ChildEnd::Failed;
}

// Runs the check in a child process once `enter` has set the child up; the
// check's failures are reported where they happen.
inline ChildEnd RunInChild(const std::function<bool()>& enter, const std::function<void()>& check) {
    using namespace ChildCheckDetail;
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        if (!enter()) ::_exit(kNotEntered);
        const bool bFailed = FailsOnItsOwn(check);
        std::fflush(stdout);
        ::_exit(bFailed ? kFailed : 0);
    }
    return WaitForChild(child);
}

// The same for a check that must pass there. False, with nothing checked,
// when `enter` fails.
inline bool CheckInChild(const std::function<bool()>& enter, const std::function<void()>& check) {
    const ChildEnd end = RunInChild(enter, check);
    if (end == ChildEnd::NotEntered) return false;
    EXPECT_TRUE(end == ChildEnd::Passed) << (end == ChildEnd::TimedOut
                                                 ? "a child process was still checking at the time limit"
                                                 : "the check failed in a child process");
    return true;
}
