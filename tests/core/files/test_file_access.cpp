#include <array>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

#include "periph/ConfigFile.h"
#include "tests/support/ChildCheck.h"
#include "tests/support/ConfigFileFixture.h"
#include "tests/support/FileSystems.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/PowerOn.h"

namespace {
// The file access rules, met through the configuration file's load and save.
class FileAccessTest : public ConfigFileTest {};
}  // namespace

TEST_F(FileAccessTest, WhereARenameCannotRefuseToReplaceTheFileIsStillCreatedWhole) {
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    for (const FileSystem& system : {kRenameRefused, kRenameDenied, kRenameAndLinkRefused}) {
        SCOPED_TRACE(system.name);
        const std::string path = PathOf("new program.cfg");
        const auto load = [&] { EXPECT_EQ(g_Sim.LoadConfig(path.c_str()), Result::Created); };
        if (!CheckOn(system, load)) GTEST_SKIP() << kNoFilterReason;
        EXPECT_EQ(ReadFile(path), ReadFile(PathOf(kReferenceName)));
        EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 2)
            << "a scratch file is left";
        fs::remove(path);
    }
}

TEST_F(FileAccessTest, UnwritableFolderIsReported) {
    const std::string inMissingFolder = (m_dir / "missing" / "prog.cfg").string();
    EXPECT_EQ(g_Sim.SaveConfig(inMissingFolder.c_str()), Result::CannotWrite);
    EXPECT_EQ(g_Sim.LoadConfig(inMissingFolder.c_str()), Result::CannotWrite);
    EXPECT_EQ(ConfigResultMessage(Result::CannotWrite, inMissingFolder),
              "Cannot open " + inMissingFolder + " file for writing");

    // A "folder" that is really a file cannot hold one either.
    const std::string plainFile = PathOf("plain");
    WriteFile(plainFile, Bytes{1, 2, 3});
    const std::string underFile = plainFile + "/prog.cfg";
    EXPECT_EQ(g_Sim.SaveConfig(underFile.c_str()), Result::CannotWrite);
    EXPECT_EQ(ReadFile(plainFile), (Bytes{1, 2, 3}));
}

TEST_F(FileAccessTest, FailedReplaceLeavesTheOldEntryAndNoLeftovers) {
    // The target is a folder: the new contents cannot take its place.
    const std::string path = PathOf("busy.cfg");
    fs::create_directories(fs::path(path) / "inside");
    EXPECT_EQ(g_Sim.SaveConfig(path.c_str()), Result::CannotWrite);
    EXPECT_TRUE(fs::is_directory(fs::path(path) / "inside"));
    std::size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(m_dir)) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
    EXPECT_EQ(g_Sim.LoadConfig(path.c_str()), Result::NotValid);
}

TEST_F(FileAccessTest, SavingReplacesALongerOldFileWhole) {
    const std::string path = PathOf("old.cfg");
    WriteFile(path, Bytes(4000, 0xEE));
    ASSERT_EQ(g_Sim.SaveConfig(path.c_str()), Result::Saved);
    const Bytes file = ReadFile(path);
    ASSERT_EQ(file.size(), kFileSize);
    EXPECT_EQ(file[1359], 0);
    EXPECT_EQ(ConfigResultMessage(Result::Saved, path), "");
    EXPECT_EQ(ConfigResultMessage(Result::Loaded, path), "");
}

TEST_F(FileAccessTest, SavesAndLoadsFollowTheUsersLinksAndKeepThemButNotALoop) {
    // A relative link to a link to the shared file, and a loop of links.
    fs::create_directories(m_dir / "shared");
    const std::string shared = PathOf("shared/board.cfg");
    WriteFile(shared, Bytes(kFileSize, 0xEE));
    fs::create_symlink("shared/board.cfg", m_dir / "middle.cfg");
    fs::create_symlink("middle.cfg", m_dir / "prog.cfg");
    SetDistinctSettings();
    ASSERT_EQ(g_Sim.SaveConfig(PathOf("prog.cfg").c_str()), Result::Saved);
    EXPECT_TRUE(fs::is_symlink(m_dir / "prog.cfg"));
    EXPECT_TRUE(fs::is_symlink(m_dir / "middle.cfg"));
    const Bytes saved = ReadFile(shared);
    ASSERT_EQ(saved.size(), kFileSize);
    EXPECT_EQ(saved[0], 0xF0);
    // Nothing but the file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "shared"), fs::directory_iterator()), 1);

    // A link whose target is missing gets the file where it points, from a
    // save or a load.
    fs::create_symlink("shared/new.cfg", m_dir / "dangling.cfg");
    ASSERT_EQ(g_Sim.SaveConfig(PathOf("dangling.cfg").c_str()), Result::Saved);
    EXPECT_TRUE(fs::is_symlink(m_dir / "dangling.cfg"));
    EXPECT_EQ(ReadFile(PathOf("shared/new.cfg")).size(), kFileSize);
    fs::create_symlink("shared/loaded.cfg", m_dir / "dangling load.cfg");
    ASSERT_EQ(g_Sim.LoadConfig(PathOf("dangling load.cfg").c_str()), Result::Created);
    EXPECT_EQ(ReadFile(PathOf("shared/loaded.cfg")).size(), kFileSize);

    fs::create_symlink("loop-b.cfg", m_dir / "loop-a.cfg");
    fs::create_symlink("loop-a.cfg", m_dir / "loop-b.cfg");
    EXPECT_EQ(g_Sim.SaveConfig(PathOf("loop-a.cfg").c_str()), Result::CannotWrite);
    EXPECT_TRUE(fs::is_symlink(m_dir / "loop-a.cfg"));
}

TEST_F(FileAccessTest, SavingKeepsTheOldFilesPermissions) {
    for (const fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write,
                                 fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                     fs::perms::others_read | fs::perms::others_write}) {
        const std::string path = PathOf("kept.cfg");
        WriteFile(path, Bytes(kFileSize, 0));
        fs::permissions(path, mode);
        ASSERT_EQ(g_Sim.SaveConfig(path.c_str()), Result::Saved);
        EXPECT_EQ(fs::status(path).permissions(), mode);
        fs::remove(path);
    }
}

TEST_F(FileAccessTest, WriteProtectedFileIsNotReplacedNorAnUnreadableOneByALoad) {
    const std::optional<OrdinaryUser> user = FindOrdinaryUser();
    if (!user) GTEST_SKIP() << "no ordinary user to run as";
    const std::string path = PathOf("protected.cfg"), unreadable = PathOf("unreadable.cfg");
    const Bytes old(kFileSize, 0x11);
    WriteFile(path, old);
    WriteFile(unreadable, old);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(unreadable, fs::perms::owner_write);
    for (const std::string& owned : {m_dir.string(), path, unreadable}) ASSERT_NO_FATAL_FAILURE(GiveTo(owned, *user));
    RunAsUser(*user, [&] {
        EXPECT_EQ(g_Sim.SaveConfig(path.c_str()), Result::CannotWrite);
        EXPECT_EQ(g_Sim.LoadConfig(unreadable.c_str()), Result::CannotWrite);
    });
    EXPECT_EQ(ReadFile(path), old);
    // Made readable again only to be compared, for a test run by the user too.
    fs::permissions(unreadable, fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(ReadFile(unreadable), old);
}

TEST_F(FileAccessTest, FileInAReadOnlyFolderIsWrittenInPlace) {
    const std::optional<OrdinaryUser> user = FindOrdinaryUser();
    if (!user) GTEST_SKIP() << "no ordinary user to run as";
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    ASSERT_NO_FATAL_FAILURE(GiveTo(m_dir, *user));
    const fs::path folder = m_dir / "readonly";
    fs::create_directories(folder);
    const std::string old = (folder / "old.cfg").string();
    WriteFile(old, Bytes(kFileSize, 0x22));
    ASSERT_NO_FATAL_FAILURE(GiveTo(old, *user));
    fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::string fresh = (folder / "fresh.cfg").string();
    RunAsUser(*user, [&] {
        EXPECT_EQ(g_Sim.SaveConfig(old.c_str()), Result::Saved);
        EXPECT_EQ(g_Sim.LoadConfig(fresh.c_str()), Result::CannotWrite);
    });
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(ReadFile(old), ReadFile(PathOf(kReferenceName)));
    EXPECT_FALSE(fs::exists(fresh));
}

// A save in a child process that may not make any file longer than
// fileLimit bytes, as on a full disk, must be refused; false when the limit
// cannot be set.
bool SaveRefusedWithFilesLimitedTo(const std::string& path, rlim_t fileLimit) {
    const auto limit = [fileLimit] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limits{fileLimit, fileLimit};
        return ::setrlimit(RLIMIT_FSIZE, &limits) == 0;
    };
    return CheckInChild(limit, [&] { EXPECT_EQ(g_Sim.SaveConfig(path.c_str()), Result::CannotWrite); });
}

TEST_F(FileAccessTest, AFileWithASecondNameStaysOneFileAndKeepsItsContentsUntilTheNewAreWritten) {
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    const std::string path = PathOf("prog.cfg");
    const std::string second = PathOf("second.cfg");
    const Bytes old(kFileSize / 4, 0x44);
    WriteFile(path, old);
    fs::create_hard_link(path, second);
    EXPECT_TRUE(SaveRefusedWithFilesLimitedTo(path, kFileSize / 2));
    EXPECT_EQ(ReadFile(second), old);
    ASSERT_EQ(g_Sim.SaveConfig(path.c_str()), Result::Saved);
    EXPECT_TRUE(fs::equivalent(path, second));
    EXPECT_EQ(ReadFile(second), ReadFile(PathOf(kReferenceName)));
}

namespace {
using Clock = std::chrono::steady_clock;
// Long enough for a thousand saves or more, each a chance to lose a race.
constexpr auto kRaceTime = std::chrono::seconds(1);
// Enough for the loads to meet at the creation many times over.
constexpr int kRoundsOfLoadsTogether = 300;

// Neither the user nor the superuser.
OrdinaryUser Stranger(const OrdinaryUser& user) { return OrdinaryUser{user.uid - 1, user.gid - 1}; }

// A second process takes the step over and over until the race ends, or
// until a step fails.
class Racer {
public:
    explicit Racer(const std::function<bool()>& step) : m_until(Clock::now() + kRaceTime), m_pid(::fork()) {
        if (m_pid != 0) return;
        bool bStepped = true;
        while (bStepped && Clock::now() < m_until) bStepped = step();
        ::_exit(bStepped ? 0 : 1);
    }
    Racer(const Racer&) = delete;
    Racer& operator=(const Racer&) = delete;

    bool Running() const { return Clock::now() < m_until; }
    // True when every step was taken.
    bool Finished() const { return WaitForChild(m_pid) == ChildEnd::Passed; }

private:
    Clock::time_point m_until;
    pid_t m_pid;
};

// The action runs as the user, over and over, while a second process swaps
// what the two names stand for as fast as it can; the names end as they
// began. The user's checks of what the actions met run last.
void RaceAsUser(
    const OrdinaryUser& user, const fs::path& a, const fs::path& b, const std::function<void()>& action,
    const std::function<void()>& afterwards = [] {}) {
    const auto swap = [&] { return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0; };
    const Racer racer([&] { return swap() && swap(); });
    RunAsUser(user, [&] {
        while (racer.Running()) action();
        afterwards();
    });
    EXPECT_TRUE(racer.Finished()) << "could not swap " << a;
}

// A file comes to the name and goes back aside, moved by renames that
// replace nothing; whatever else stands at the name when it is to come is
// removed. False when it cannot go back.
bool ComeAndGo(const fs::path& aside, const fs::path& name) {
    const auto move = [](const fs::path& from, const fs::path& to) {
        return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
    };
    while (!move(aside, name))
        if (errno != EEXIST || (::unlink(name.c_str()) != 0 && errno != ENOENT)) return false;
    return move(name, aside);
}

// The user's link and someone else's, side by side in a folder where both
// may add and rename (no sticky bit), to be swapped while the user works.
struct LinkPair {
    fs::path mine;
    fs::path theirs;
};

void PlantLinkPair(const fs::path& folder, const OrdinaryUser& user, const fs::path& myTarget,
                   const fs::path& theirTarget, LinkPair& links) {
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all);
    links = LinkPair{folder / "prog.cfg", folder / "spare.cfg"};
    fs::create_symlink(myTarget, links.mine);
    fs::create_symlink(theirTarget, links.theirs);
    ASSERT_NO_FATAL_FAILURE(GiveTo(links.mine, user));
    ASSERT_NO_FATAL_FAILURE(GiveTo(links.theirs, Stranger(user)));
}

// Loads of the file in as many processes, released at the same moment; how
// many of them neither loaded nor created it, nor, where that may happen,
// found it not yet written.
int LoadsTogetherThatFail(const std::string& path, int count, bool bUnwrittenMayBeFound) {
    int release[2];
    if (::pipe(release) != 0) return count;
    std::vector<pid_t> loads(static_cast<std::size_t>(count));
    for (pid_t& load : loads) {
        load = ::fork();
        if (load != 0) continue;
        ::close(release[1]);
        char none = 0;
        // Returns as the last write end closes.
        (void)!::read(release[0], &none, 1);
        const Result result = g_Sim.LoadConfig(path.c_str());
        const bool bMet = result == Result::Created || result == Result::Loaded ||
                          (bUnwrittenMayBeFound && result == Result::NotValid);
        ::_exit(bMet ? 0 : 1);
    }
    ::close(release[0]);
    ::close(release[1]);
    int failed = 0;
    for (const pid_t load : loads) failed += WaitForChild(load) != ChildEnd::Passed;
    return failed;
}
}  // namespace

TEST_F(FileAccessTest, ALinkSwappedDuringSavesNeverAimsThem) {
    const std::optional<OrdinaryUser> user = FindOrdinaryUser();
    if (::geteuid() != 0 || !user) GTEST_SKIP() << "needs a second user to plant a link";
    ASSERT_NO_FATAL_FAILURE(GiveTo(m_dir, *user));
    const std::string own = PathOf("own.cfg");
    const std::string victim = PathOf("victim");
    WriteFile(victim, Bytes{1, 2, 3});
    ASSERT_NO_FATAL_FAILURE(GiveTo(victim, *user));
    LinkPair links;
    ASSERT_NO_FATAL_FAILURE(PlantLinkPair(m_dir / "shared", *user, own, victim, links));
    RaceAsUser(*user, links.mine, links.theirs, [&] { g_Sim.SaveConfig(links.mine.c_str()); });
    EXPECT_EQ(ReadFile(victim), (Bytes{1, 2, 3}));
    EXPECT_EQ(ReadFile(own).size(), kFileSize);
}

TEST_F(FileAccessTest, ALinkSwappedDuringLoadsNeverLetsThemWrite) {
    const std::optional<OrdinaryUser> user = FindOrdinaryUser();
    if (::geteuid() != 0 || !user) GTEST_SKIP() << "needs a second user to plant a link";
    ASSERT_NO_FATAL_FAILURE(GiveTo(m_dir, *user));
    // The user's own file, which any write would leave with a new time.
    const std::string own = PathOf("own.cfg");
    WriteFile(own, PatternImage());
    fs::last_write_time(own, fs::last_write_time(own) - std::chrono::hours(1));
    ASSERT_NO_FATAL_FAILURE(GiveTo(own, *user));
    struct stat before {};
    struct stat after {};
    ASSERT_EQ(::stat(own.c_str(), &before), 0);
    const std::string nowhere = PathOf("nowhere.cfg");
    LinkPair links;
    ASSERT_NO_FATAL_FAILURE(PlantLinkPair(m_dir / "shared", *user, own, nowhere, links));
    int loaded = 0, refused = 0, other = 0;  // the user's link read, the other's refused
    const auto load = [&] {
        const Result result = g_Sim.LoadConfig(links.mine.c_str());
        ++(result == Result::Loaded ? loaded : result == Result::CannotWrite ? refused : other);
    };
    RaceAsUser(*user, links.mine, links.theirs, load, [&] {
        EXPECT_TRUE(loaded > 0 && refused > 0) << loaded << " loaded, " << refused << " refused";
        EXPECT_EQ(other, 0);
    });
    ASSERT_EQ(::stat(own.c_str(), &after), 0);
    EXPECT_TRUE(after.st_ino == before.st_ino && after.st_mtim.tv_sec == before.st_mtim.tv_sec) << "written";
    EXPECT_FALSE(fs::exists(nowhere)) << "created through the other's link";
}

TEST_F(FileAccessTest, AFileThatComesAndGoesAtTheNameIsNeverReplacedByALoadsNewFile) {
    const fs::path name = m_dir / "prog.cfg", aside = m_dir / "aside";
    // Bytes that no load takes for settings, so none can copy them and
    // hide a write over them.
    const Bytes own(kFileSize / 2, 0x5A);
    WriteFile(aside, own);
    // By the rename that refuses to replace, by a link, and made in place.
    for (const FileSystem& system : {kEveryCallWorks, kRenameRefused, kRenameAndLinkRefused}) {
        SCOPED_TRACE(system.name);
        const Racer racer([&] { return ComeAndGo(aside, name); });
        const auto loads = [&] {
            int created = 0;
            while (racer.Running()) created += g_Sim.LoadConfig(name.c_str()) == Result::Created;
            EXPECT_GT(created, 0) << "no load made the file";
        };
        const bool bRaced = CheckOn(system, loads);
        EXPECT_TRUE(racer.Finished()) << "the file could not go back aside";
        ASSERT_EQ(ReadFile(aside), own);
        fs::remove(name);
        if (!bRaced) GTEST_SKIP() << kNoFilterReason;
    }
}

// Where the file is made in place, a load at that very moment may find it
// not yet written, but never takes the name found taken for a failure.
TEST_F(FileAccessTest, ANewProgramOpenedSeveralTimesAtOnceIsLoadedFromOneWholeFile) {
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    const std::string path = PathOf("new.cfg");
    struct Openings {
        const FileSystem& system;
        int count;
        bool bInPlace;
    };
    for (const Openings& openings : {Openings{kEveryCallWorks, 2, false}, Openings{kRenameRefused, 8, false},
                                     Openings{kRenameAndLinkRefused, 8, true}}) {
        SCOPED_TRACE(openings.system.name);
        const auto rounds = [&] {
            int failed = 0;
            for (int round = 0; round < kRoundsOfLoadsTogether; ++round) {
                failed += LoadsTogetherThatFail(path, openings.count, openings.bInPlace);
                ASSERT_EQ(ReadFile(path), ReadFile(PathOf(kReferenceName))) << "round " << round;
                fs::remove(path);
            }
            EXPECT_EQ(failed, 0);
        };
        if (!CheckOn(openings.system, rounds)) GTEST_SKIP() << kNoFilterReason;
    }
}

TEST_F(FileAccessTest, AnyonesLinkIsReadButOnlyTheUsersOrTheSuperusersAreWrittenThrough) {
    const std::optional<OrdinaryUser> user = FindOrdinaryUser();
    if (::geteuid() != 0 || !user) GTEST_SKIP() << "needs a second user to plant the links";
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    ASSERT_NO_FATAL_FAILURE(GiveTo(m_dir, *user));
    const std::string victim = PathOf("victim");
    WriteFile(victim, PatternImage());
    ASSERT_NO_FATAL_FAILURE(GiveTo(victim, *user));
    // A folder anyone may add to, as /tmp, and a teacher's lab folder that
    // the user may write, whose owner made the links and a board file that
    // every program there is to read.
    const fs::path shared = m_dir / "shared", lab = m_dir / "lab";
    for (const fs::path& folder : {shared, lab}) {
        fs::create_directory(folder);
        fs::permissions(folder, folder == shared ? fs::perms::all | fs::perms::sticky_bit : fs::perms::all);
        fs::create_symlink(victim, folder / "prog.cfg");
        fs::create_symlink(PathOf("created"), folder / "new.cfg");
    }
    fs::copy_file(PathOf(kReferenceName), lab / "board.cfg");
    fs::create_symlink("board.cfg", lab / "other.cfg");
    for (const fs::path& path : {lab, lab / "prog.cfg", lab / "new.cfg", lab / "board.cfg", lab / "other.cfg"})
        ASSERT_NO_FATAL_FAILURE(GiveTo(path, Stranger(*user)));
    for (const char* name : {"prog.cfg", "new.cfg"}) ASSERT_NO_FATAL_FAILURE(GiveTo(shared / name, Stranger(*user)));
    // The superuser's link, dangling, in the folder anyone may add to.
    const fs::path rootsLink = shared / "root.cfg";
    fs::create_symlink(PathOf("by root.cfg"), rootsLink);
    RunAsUser(*user, [&] {
        for (const fs::path& folder : {shared, lab}) {
            EXPECT_EQ(g_Sim.SaveConfig((folder / "prog.cfg").c_str()), Result::CannotWrite) << folder;
            EXPECT_EQ(g_Sim.LoadConfig((folder / "new.cfg").c_str()), Result::CannotWrite) << folder;
        }
        EXPECT_EQ(g_Sim.LoadConfig(rootsLink.c_str()), Result::Created);
        EXPECT_EQ(g_Sim.SaveConfig(rootsLink.c_str()), Result::Saved);
        StartFromPowerOn();
        EXPECT_EQ(g_Sim.LoadConfig((lab / "other.cfg").c_str()), Result::Loaded);
        ExpectSettingsAsInReference();
    });
    EXPECT_EQ(ReadFile(victim), PatternImage());
    EXPECT_FALSE(fs::exists(PathOf("created")));
    EXPECT_TRUE(fs::is_symlink(rootsLink));
    EXPECT_EQ(ReadFile(PathOf("by root.cfg")), ReadFile(PathOf(kReferenceName)));
}

TEST_F(FileAccessTest, AFolderSwappedDuringSavesLeavesNothingBehind) {
    const std::optional<OrdinaryUser> user = FindOrdinaryUser();
    if (!user) GTEST_SKIP() << "no ordinary user to run as";
    ASSERT_NO_FATAL_FAILURE(GiveTo(m_dir, *user));
    // Each folder's file has a mode that only a save within that folder keeps.
    const fs::path files[] = {m_dir / "a" / "prog.cfg", m_dir / "b" / "prog.cfg"};
    const fs::perms modes[] = {fs::perms::owner_read | fs::perms::owner_write, fs::perms::owner_all};
    for (int i = 0; i < 2; ++i) {
        fs::create_directory(files[i].parent_path());
        WriteFile(files[i], Bytes(kFileSize, 0));
        fs::permissions(files[i], modes[i]);
        for (const fs::path& path : {files[i].parent_path(), files[i]}) ASSERT_NO_FATAL_FAILURE(GiveTo(path, *user));
    }
    RaceAsUser(*user, m_dir / "a", m_dir / "b", [&] { g_Sim.SaveConfig(files[0].c_str()); });
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(std::distance(fs::directory_iterator(files[i].parent_path()), fs::directory_iterator()), 1);
        EXPECT_EQ(fs::status(files[i]).permissions(), modes[i]);
    }
}

namespace {
// Runs a load or save that must not wait on what it is given; one that does
// is released by opening the pipe's other end, and the test fails instead of
// hanging.
template <class F> auto WithoutWaiting(const std::string& pipe, F call) {
    auto pending = std::async(std::launch::async, call);
    if (pending.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << "waited on " << pipe;
        // Closed at once, so that what the call then reads is the end of the pipe.
        const int releaser = ::open(pipe.c_str(), O_RDWR | O_NONBLOCK);
        if (releaser >= 0) ::close(releaser);
        pending.wait();
    }
    return pending.get();
}
}  // namespace

TEST_F(FileAccessTest, APipeOrAFolderIsRefusedWithoutWaiting) {
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    const std::string pipe = PathOf("pipe.cfg");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string folder = PathOf("folder.cfg");
    fs::create_directory(folder);
    for (const std::string& path : {pipe, folder}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(WithoutWaiting(pipe, [&] { return g_Sim.LoadConfig(path.c_str()); }), Result::NotValid);
        EXPECT_EQ(WithoutWaiting(pipe, [&] { return g_Sim.SaveConfig(path.c_str()); }), Result::CannotWrite);
    }
    EXPECT_EQ(fs::status(pipe).type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_directory(folder));
    ExpectSettingsAsInReference();
}

TEST_F(FileAccessTest, ADeviceIsNeitherReadNorReplaced) {
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    // A null device of the test's own: a save that took it for a file would
    // put a file in its place, which must never happen to the system's.
    const std::string device = PathOf("device.cfg");
    constexpr unsigned kMemoryDevices = 1, kNull = 3;
    if (::mknod(device.c_str(), S_IFCHR | 0600, ::makedev(kMemoryDevices, kNull)) != 0)
        GTEST_SKIP() << "a device node can be made only by the superuser";
    EXPECT_EQ(g_Sim.LoadConfig(device.c_str()), Result::NotValid);
    EXPECT_EQ(g_Sim.SaveConfig(device.c_str()), Result::CannotWrite);
    EXPECT_EQ(fs::status(device).type(), fs::file_type::character);
    ExpectSettingsAsInReference();
}

TEST_F(FileAccessTest, APipeSwappedInDuringLoadsIsNeverWaitedOn) {
    const std::optional<OrdinaryUser> user = FindOrdinaryUser();
    if (!user) GTEST_SKIP() << "no ordinary user to run as";
    ASSERT_NO_FATAL_FAILURE(GiveTo(m_dir, *user));
    const std::string path = PathOf("prog.cfg");
    const std::string pipe = PathOf("pipe");
    WriteFile(path, PatternImage());
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& name : {path, pipe}) ASSERT_NO_FATAL_FAILURE(GiveTo(name, *user));
    // A load that waits is released after the race, with the pipe back at its own name.
    RaceAsUser(*user, path, pipe, [&] {
        const Result result = WithoutWaiting(pipe, [&] { return g_Sim.LoadConfig(path.c_str()); });
        EXPECT_TRUE(result == Result::Loaded || result == Result::NotValid);
    });
}
