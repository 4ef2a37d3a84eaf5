// A process that meets what a file system or a sandbox may do to its system
// calls, without such a file system: calls refused with an error, and calls
// steered one by one, to fail one of them or to kill the process as it
// enters one. Both last for the rest of the process's life, so they are set
// up in a child process (see ChildCheck.h).
#pragma once

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <functional>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <map>
#include <memory>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <vector>

constexpr const char* kNoFilterReason = "this system lets no seccomp filter be installed";

namespace SystemCallFilterDetail {
// What the system answers: below 0 when the filter cannot be installed,
// else the listener's descriptor when one is asked for.
inline long Install(const std::vector<sock_filter>& filter, unsigned flags) {
    const sock_fprog program{static_cast<unsigned short>(filter.size()), const_cast<sock_filter*>(filter.data())};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) return -1;
    return ::syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, flags, &program);
}
constexpr int kWaiting = -1;
constexpr int kNoListener = -2;
}  // namespace SystemCallFilterDetail

struct Refusal {
    long call;  // a system call number, SYS_...
    int error;  // what the call fails with
};

// From now on this process is refused the calls, each with its error. False
// where no filter can be installed.
inline bool RefuseCalls(const std::vector<Refusal>& refusals) {
    std::vector<sock_filter> filter{BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
    for (const Refusal& refusal : refusals) {
        filter.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(refusal.call), 0, 1));
        filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | static_cast<unsigned>(refusal.error)));
    }
    filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    return SystemCallFilterDetail::Install(filter, 0) == 0;
}

// What a steered call does as it is entered.
struct Steer {
    enum Kind { Go, Fail, Kill } kind = Go;
    int error = 0;  // what a failed call fails with
};

// Decides for a call by its number, the how-many-th of that number it is,
// and the how-many-th of all the calls steered it is (both from 1).
using Steering = std::function<Steer(long call, int nthOfItsKind, int step)>;

// From now on every system call this thread makes, and the calls of the
// threads and processes it starts, is entered only as the steering decides.
// A refusal set up before stays in force without being steered. False where
// no call can be steered (before Linux 5.0); before 5.5 none can go on.
inline bool SteerCalls(Steering steering) {
    // The steering thread exists before the filter, so its own calls are
    // not steered; it learns the filter's descriptor through memory alone,
    // since any call this thread made to tell it would wait on it.
    using namespace SystemCallFilterDetail;
    auto listener = std::make_shared<std::atomic<int>>(kWaiting);
    std::thread([listener, steering = std::move(steering)] {
        int fd = kWaiting;
        while ((fd = listener->load()) == kWaiting) std::this_thread::sleep_for(std::chrono::microseconds(100));
        std::map<long, int> seen;
        int step = 0;
        while (fd >= 0) {
            seccomp_notif call{};
            if (::ioctl(fd, SECCOMP_IOCTL_NOTIF_RECV, &call) != 0) {
                // Interrupted, or a call whose caller went before it was received.
                if (errno == EINTR || errno == ENOENT) continue;
                return;
            }
            const Steer steer = steering(call.data.nr, ++seen[call.data.nr], ++step);
            if (steer.kind == Steer::Kill) ::kill(::getpid(), SIGKILL);
            seccomp_notif_resp answer{};
            answer.id = call.id;
            if (steer.kind == Steer::Fail) answer.error = -steer.error;
            else answer.flags = SECCOMP_USER_NOTIF_FLAG_CONTINUE;
            ::ioctl(fd, SECCOMP_IOCTL_NOTIF_SEND, &answer);
        }
    }).detach();
    const std::vector<sock_filter> filter{BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_USER_NOTIF)};
    const long fd = Install(filter, SECCOMP_FILTER_FLAG_NEW_LISTENER);
    listener->store(fd >= 0 ? static_cast<int>(fd) : kNoListener);
    return fd >= 0;
}
