// What reaches the disk: bytes that the system cannot make durable are never
// reported written and leave the old ones; a first load killed at any step
// leaves no file or a whole one; a new file takes room for one copy only.
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

#include "periph/ConfigFile.h"
#include "tests/support/ChildCheck.h"
#include "tests/support/ConfigFileFixture.h"
#include "tests/support/FileSystems.h"
#include "tests/support/SystemCallFilter.h"

namespace {
class FileDurabilityTest : public ConfigFileTest {
protected:
    // Everything in the folder but the reference goes, leftovers of a
    // killed load included.
    void KeepOnlyTheReference() {
        for (const auto& entry : fs::directory_iterator(m_dir))
            if (entry.path().filename() != kReferenceName) fs::remove_all(entry.path());
    }
};

constexpr const char* kNoSteeringReason = "this system cannot steer system calls (seccomp user notification)";

// A disk that takes written bytes but cannot say they are kept.
const FileSystem kFsyncFails{"fsync fails", {{SYS_fsync, EIO}}};

// More calls than a load makes, even under the sanitizers.
constexpr int kMostSteps = 1000;

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The process is killed as it enters its step-th system call from now on,
// on a file system without the rename that replaces nothing.
bool KilledAtStep(int step) {
    return RefuseCalls(kRenameRefused.refused) &&
           SteerCalls([step](long, int, int at) { return at == step ? Steer{Steer::Kill} : Steer{}; });
}

// The folder becomes a file system of this process's own, with room for
// one file of a page and no more.
bool RoomForOneFile(const fs::path& folder) {
    const std::string options = "size=" + std::to_string(::sysconf(_SC_PAGESIZE));
    return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount("torvan-test", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}
}  // namespace

TEST_F(FileDurabilityTest, BytesTheDiskCannotKeepAreReportedAndTheOldOnesStay) {
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    const Bytes old(kFileSize, 0x33);
    // A file a save replaces, one with a second name that a save writes in
    // place, and a new program's file that a load creates.
    const std::string replaced = PathOf("replaced.cfg"), linked = PathOf("linked.cfg"), fresh = PathOf("fresh.cfg");
    WriteFile(replaced, old);
    WriteFile(linked, old);
    fs::create_hard_link(linked, PathOf("second.cfg"));
    const auto check = [&] {
        EXPECT_EQ(g_Sim.SaveConfig(replaced.c_str()), Result::CannotWrite);
        EXPECT_EQ(g_Sim.SaveConfig(linked.c_str()), Result::CannotWrite);
        EXPECT_EQ(g_Sim.LoadConfig(fresh.c_str()), Result::CannotWrite);
    };
    if (!CheckOn(kFsyncFails, check)) GTEST_SKIP() << kNoFilterReason;
    EXPECT_EQ(ReadFile(replaced), old);
    EXPECT_EQ(ReadFile(linked), old);
    EXPECT_TRUE(fs::equivalent(linked, PathOf("second.cfg")));
    // Neither the new file nor a scratch file is left.
    EXPECT_EQ(NamesIn(m_dir), (std::vector<std::string>{"linked.cfg", kReferenceName, "replaced.cfg", "second.cfg"}));
}

TEST_F(FileDurabilityTest, AFileMadeInPlaceThatTheDiskCannotKeepIsRemoved) {
    const std::string path = PathOf("new.cfg");
    // Where links are refused too, the scratch is made durable first and
    // then removed; the file made in place after it is the second to be.
    const auto enter = [] {
        return RefuseCalls(kRenameAndLinkRefused.refused) && SteerCalls([](long call, int nth, int) {
                   return call == SYS_fsync && nth == 2 ? Steer{Steer::Fail, EIO} : Steer{};
               });
    };
    const ChildEnd end = RunInChild(enter, [&] { EXPECT_EQ(g_Sim.LoadConfig(path.c_str()), Result::CannotWrite); });
    if (end == ChildEnd::NotEntered) GTEST_SKIP() << kNoSteeringReason;
    EXPECT_TRUE(end == ChildEnd::Passed) << "the load did not report it";
    EXPECT_EQ(NamesIn(m_dir), std::vector<std::string>{});
}

TEST_F(FileDurabilityTest, AFirstLoadKilledAtAnyStepLeavesNoFileOrAWholeOne) {
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    const Bytes whole = ReadFile(PathOf(kReferenceName));
    const std::string path = PathOf("new.cfg");
    for (int step = 1; step <= kMostSteps; ++step) {
        SCOPED_TRACE("killed at step " + std::to_string(step));
        const ChildEnd end = RunInChild([step] { return KilledAtStep(step); }, [&] { g_Sim.LoadConfig(path.c_str()); });
        if (end == ChildEnd::NotEntered) GTEST_SKIP() << kNoSteeringReason;
        ASSERT_TRUE(end == ChildEnd::Killed || end == ChildEnd::Passed);
        if (fs::exists(path)) {
            EXPECT_EQ(ReadFile(path), whole);
        }
        // The next opening of the program loads the file or creates it.
        CheckOn(kRenameRefused, [&] {
            const Result result = g_Sim.LoadConfig(path.c_str());
            EXPECT_TRUE(result == Result::Loaded || result == Result::Created) << static_cast<int>(result);
        });
        EXPECT_EQ(ReadFile(path), whole);
        KeepOnlyTheReference();
        // A load that was not killed ran past its last step.
        if (end == ChildEnd::Passed) return;
    }
    FAIL() << "the load was still going after " << kMostSteps << " steps";
}

TEST_F(FileDurabilityTest, ANewFileTakesRoomForOneCopyOnly) {
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    const Bytes whole = ReadFile(PathOf(kReferenceName));
    const fs::path small = m_dir / "small";
    fs::create_directory(small);
    const std::string path = (small / "new.cfg").string();
    for (const FileSystem& system : {kEveryCallWorks, kRenameRefused, kRenameAndLinkRefused}) {
        SCOPED_TRACE(system.name);
        const auto enter = [&] { return RoomForOneFile(small) && RefuseCalls(system.refused); };
        const ChildEnd end = RunInChild(enter, [&] {
            EXPECT_EQ(g_Sim.LoadConfig(path.c_str()), Result::Created);
            EXPECT_EQ(ReadFile(path), whole);
        });
        if (end == ChildEnd::NotEntered) GTEST_SKIP() << "a file system of the test's own takes the superuser";
        EXPECT_TRUE(end == ChildEnd::Passed) << "the file was not created whole";
    }
}
