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
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <optional>
#include <string>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "periph/ConfigFile.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/PowerOn.h"

namespace fs = std::filesystem;
using Result = CSimulator::ConfigResult;
using Bytes = std::vector<u8>;

namespace {
constexpr std::size_t kFileSize = 1360;

// A fresh folder per test, removed afterwards.
class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        StartFromPowerOn();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() / (std::string("torvan-config-") + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const char* name) const { return (m_dir / name).string(); }

    // The distinct settings, saved as the file a test compares against later.
    void SaveDistinctReference();
    // The settings as they stand, saved again, give the reference file's bytes.
    void ExpectSettingsAsInReference();

    fs::path m_dir;
};

Bytes ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

u16 Le16(const Bytes& b, std::size_t at) { return static_cast<u16>(b[at] | b[at + 1] << 8); }
u32 Le32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<u32>(b[at + 3]) << 24;
}
void PutLe16(Bytes& b, std::size_t at, u16 v) {
    b[at] = static_cast<u8>(v);
    b[at + 1] = static_cast<u8>(v >> 8);
}
void PutLe32(Bytes& b, std::size_t at, u32 v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<u8>(v >> (8 * i));
}

// Every byte differs from its neighbours, with the counts made legal.
Bytes PatternImage() {
    Bytes image(kFileSize);
    for (std::size_t i = 0; i < kFileSize; ++i) image[i] = static_cast<u8>(i * 7 + 3 + (i >> 8));
    image[777] = 5;    // 8253 chips
    image[1220] = 4;   // 8251 chips
    image[1231] = 3;   // 8255 chips
    image[1264] = 4;   // EPROM banks
    image[1265] = 2;   // RAM banks
    image[1346] = 16;  // I/O watches
    image[1359] = 6;   // memory watches
    return image;
}

// Members that the file holds, set to values unlike the power-on ones.
void SetDistinctSettings() {
    g_Sim.m_n8279Address = 0xF0;
    g_Sim.m_b8279Connected = 1;
    g_Irq8279Route = 7;
    std::strcpy(g_Sim.m_8279SegTable[0x41], "3F");
    g_Sim.m_nLcdAddress = 0xB0;
    g_Sim.m_bLcdConnected = 1;
    g_Sim.m_nLcdCharsLogical = 20;
    g_Sim.m_nLcdCharsPhysical = 40;
    g_Sim.m_n8155Address = 0x20;
    g_Sim.m_b8155Connected = 1;
    g_Sim.m_n8253Count = 2;
    g_Sim.m_8253Address[4] = 0xC4;
    g_Sim.m_TimerPrescaler[1] = 0xBEEF;
    g_Sim.m_Timer[0].m_nCount = -2;
    g_Sim.m_Timer[3].m_nReload = 0x12345678;
    g_Sim.m_Timer[15].m_nIrqRoute = 6;
    g_Sim.m_Timer[15].m_nRwMode = 2;
    g_Sim.TimersWritten();
    g_Sim.m_n8251Address[2] = 0x52;
    g_Sim.m_n8251Count = 3;
    g_Irq8251Route[4] = 5;
    g_Sim.m_8255Address[0] = 0x80;
    g_Sim.m_n8255Count = 1;
    g_Sim.m_EpromStart[3] = 0x4000;
    g_Sim.m_RamEnd[0] = 0xFEFF;
    g_Sim.m_EpromStart[4] = 0x9999;  // beyond the stored banks
    g_Sim.m_nEpromBanks = 4;
    g_Sim.m_nRamBanks = 2;
    g_IOWatchKind[0] = 8253;
    g_IOWatchIndex[15] = 4;
    g_IOWatchValid[1] = 1;
    g_Sim.m_nIOWatchCount = 2;
    g_Sim.m_MemWatchAddr[5] = 0xE123;
    g_Sim.m_nMemWatchCount = 6;
}

constexpr const char* kReferenceName = "reference.cfg";

// This process behaves from now on as on a file system without a rename
// that refuses to replace, FAT's on older systems among them.
bool LacksNoReplaceRename() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_renameat2, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EINVAL),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

void ConfigFileTest::SaveDistinctReference() {
    SetDistinctSettings();
    ASSERT_EQ(g_Sim.SaveConfig(PathOf(kReferenceName).c_str()), Result::Saved);
}

void ConfigFileTest::ExpectSettingsAsInReference() {
    const std::string after = PathOf("after.cfg");
    ASSERT_EQ(g_Sim.SaveConfig(after.c_str()), Result::Saved);
    EXPECT_EQ(ReadFile(after), ReadFile(PathOf(kReferenceName)));
}
}  // namespace

TEST_F(ConfigFileTest, FieldsLandAtTheirOffsetsLittleEndian) {
    SetDistinctSettings();
    const std::string path = PathOf("fields.cfg");
    ASSERT_EQ(g_Sim.SaveConfig(path.c_str()), Result::Saved);
    const Bytes file = ReadFile(path);
    ASSERT_EQ(file.size(), kFileSize);

    Bytes expected(kFileSize, 0);
    expected[0] = 0xF0;
    expected[1] = 1;
    expected[2] = 7;
    expected[3 + 0x41 * 3] = '3';
    expected[3 + 0x41 * 3 + 1] = 'F';
    expected[771] = 0xB0;
    expected[772] = 1;
    expected[773] = 20;
    expected[774] = 40;
    expected[775] = 0x20;
    expected[776] = 1;
    expected[777] = 2;
    expected[782] = 0xC4;
    for (int slot = 0; slot < 16; ++slot) PutLe16(expected, 783 + 2 * slot, 1);
    PutLe16(expected, 785, 0xBEEF);
    for (int slot = 0; slot < 16; ++slot) {
        const std::size_t record = 815 + 25 * slot;
        expected[record + 18] = 1;  // OUT after Reset
        expected[record + 20] = 1;  // next read is the low byte
    }
    PutLe32(expected, 815 + 1, 0xFFFFFFFE);
    PutLe32(expected, 815 + 25 * 3 + 9, 0x12345678);
    expected[1212] = 6;  // the 8155 timer's route
    expected[1214] = 2;
    expected[1217] = 0x52;
    expected[1220] = 3;
    expected[1225] = 5;
    expected[1226] = 0x80;
    expected[1231] = 1;
    PutLe16(expected, 1238, 0x4000);
    for (int bank = 0; bank < 4; ++bank) {
        PutLe16(expected, 1248 + 2 * bank, 0xE000);
        PutLe16(expected, 1256 + 2 * bank, 0xFFFF);
    }
    PutLe16(expected, 1240, 0x1FFF);
    PutLe16(expected, 1256, 0xFEFF);
    expected[1264] = 4;
    expected[1265] = 2;
    PutLe16(expected, 1266, 8253);
    PutLe16(expected, 1298 + 30, 4);
    expected[1331] = 1;
    expected[1346] = 2;
    PutLe16(expected, 1347 + 10, 0xE123);
    expected[1359] = 6;

    for (std::size_t i = 0; i < kFileSize; ++i) EXPECT_EQ(file[i], expected[i]) << "offset " << i;
}

TEST_F(ConfigFileTest, LoadThenSaveGivesBackEveryByte) {
    const Bytes image = PatternImage();
    const std::string in = PathOf("in.cfg");
    const std::string out = PathOf("out.cfg");
    WriteFile(in, image);
    ASSERT_EQ(g_Sim.LoadConfig(in.c_str()), Result::Loaded);

    // Spot checks decoded straight from the image.
    EXPECT_EQ(g_Sim.m_n8279Address, image[0]);
    EXPECT_EQ(g_Irq8279Route, image[2]);
    EXPECT_EQ(static_cast<u8>(g_Sim.m_8279SegTable[255][2]), image[770]);
    EXPECT_EQ(g_Sim.m_nLcdCharsPhysical, image[774]);
    EXPECT_EQ(g_Sim.m_8253Address[0], image[778]);
    EXPECT_EQ(g_Sim.m_TimerPrescaler[15], Le16(image, 813));
    EXPECT_EQ(g_Sim.m_Timer[0].m_bRunning, image[815]);
    EXPECT_EQ(static_cast<u32>(g_Sim.m_Timer[0].m_nCount), Le32(image, 816));
    EXPECT_EQ(g_Sim.m_Timer[7].m_nReloadEven, Le32(image, 815 + 25 * 7 + 13));
    EXPECT_EQ(g_Sim.m_Timer[15].m_nIrqRoute, image[1212]);
    EXPECT_EQ(g_Sim.m_Timer[15].m_nRwMode, image[1214]);
    EXPECT_EQ(g_Sim.m_n8251Address[4], image[1219]);
    EXPECT_EQ(g_Irq8251Route[0], image[1221]);
    EXPECT_EQ(g_Sim.m_8255Address[4], image[1230]);
    EXPECT_EQ(g_Sim.m_EpromStart[0], Le16(image, 1232));
    EXPECT_EQ(g_Sim.m_RamEnd[3], Le16(image, 1262));
    EXPECT_EQ(g_IOWatchKind[1], Le16(image, 1268));
    EXPECT_EQ(g_IOWatchIndex[0], Le16(image, 1298));
    EXPECT_EQ(g_IOWatchValid[15], image[1345]);
    EXPECT_EQ(g_Sim.m_MemWatchAddr[0], Le16(image, 1347));
    EXPECT_EQ(g_Sim.m_nMemWatchCount, 6);

    ASSERT_EQ(g_Sim.SaveConfig(out.c_str()), Result::Saved);
    EXPECT_EQ(ReadFile(out), image);
}

TEST_F(ConfigFileTest, SaveThenLoadRestoresTheSettings) {
    SetDistinctSettings();
    const std::string path = PathOf("settings.cfg");
    ASSERT_EQ(g_Sim.SaveConfig(path.c_str()), Result::Saved);
    const Bytes saved = ReadFile(path);
    StartFromPowerOn();
    ASSERT_EQ(g_Sim.LoadConfig(path.c_str()), Result::Loaded);
    EXPECT_EQ(g_Sim.m_TimerPrescaler[1], 0xBEEF);
    EXPECT_EQ(g_Sim.m_Timer[0].m_nCount, -2);
    EXPECT_EQ(g_Sim.m_Timer[15].m_nIrqRoute, 6);
    EXPECT_STREQ(g_Sim.m_8279SegTable[0x41], "3F");
    EXPECT_EQ(g_Irq8251Route[4], 5);
    EXPECT_EQ(g_Sim.m_EpromStart[4], 0);  // entries beyond four are not stored
    const std::string again = PathOf("again.cfg");
    ASSERT_EQ(g_Sim.SaveConfig(again.c_str()), Result::Saved);
    EXPECT_EQ(ReadFile(again), saved);
}

TEST_F(ConfigFileTest, WrongSizesAreRefusedAndSettingsStay) {
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    for (std::size_t size : {kFileSize - 1, kFileSize + 1, std::size_t{0}}) {
        Bytes image = PatternImage();
        image.resize(size);
        const std::string path = PathOf("sized.cfg");
        WriteFile(path, image);
        EXPECT_EQ(g_Sim.LoadConfig(path.c_str()), Result::NotValid) << size;
        EXPECT_EQ(ConfigResultMessage(Result::NotValid, path), path + " is not a valid Configuration file");
        EXPECT_EQ(ReadFile(path), image) << "a refused file is left as it was";
    }
    ExpectSettingsAsInReference();
}

TEST_F(ConfigFileTest, CountsBeyondTheArraysRefuseTheWholeFile) {
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    struct Count {
        std::size_t offset;
        u8 largest;
    };
    const Count counts[] = {{777, 5}, {1220, 5}, {1231, 5}, {1264, 4}, {1265, 4}, {1346, 16}, {1359, 6}};
    const std::string path = PathOf("counts.cfg");
    for (const Count& count : counts) {
        Bytes image = PatternImage();
        image[count.offset] = static_cast<u8>(count.largest + 1);
        WriteFile(path, image);
        EXPECT_EQ(g_Sim.LoadConfig(path.c_str()), Result::NotValid) << count.offset;
        image[count.offset] = 0xFF;
        WriteFile(path, image);
        EXPECT_EQ(g_Sim.LoadConfig(path.c_str()), Result::NotValid) << count.offset;
    }
    ASSERT_NO_FATAL_FAILURE(ExpectSettingsAsInReference());

    // The largest legal counts are taken.
    Bytes image = PatternImage();
    for (const Count& count : counts) image[count.offset] = count.largest;
    WriteFile(path, image);
    EXPECT_EQ(g_Sim.LoadConfig(path.c_str()), Result::Loaded);
    EXPECT_EQ(g_Sim.m_nIOWatchCount, 16);
    EXPECT_EQ(g_Sim.m_n8253Count, 5);
}

TEST_F(ConfigFileTest, AbsentFileIsCreatedFromTheCurrentSettings) {
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    const std::string path = PathOf("new program.cfg");
    EXPECT_EQ(g_Sim.LoadConfig(path.c_str()), Result::Created);
    EXPECT_EQ(ConfigResultMessage(Result::Created, path), "");
    EXPECT_EQ(ReadFile(path), ReadFile(PathOf(kReferenceName)));
    EXPECT_EQ(g_Sim.m_n8253Count, 2);
}

TEST_F(ConfigFileTest, WhereARenameCannotRefuseToReplaceTheFileIsStillCreatedWhole) {
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    const std::string path = PathOf("new program.cfg");
    const pid_t child = ::fork();
    if (child == 0) ::_exit(LacksNoReplaceRename() && g_Sim.LoadConfig(path.c_str()) == Result::Created ? 0 : 1);
    int status = 0;
    EXPECT_TRUE(child > 0 && ::waitpid(child, &status, 0) == child && status == 0);
    EXPECT_EQ(ReadFile(path), ReadFile(PathOf(kReferenceName)));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 2) << "no scratch file is left";
}

TEST_F(ConfigFileTest, UnwritableFolderIsReported) {
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

TEST_F(ConfigFileTest, FailedReplaceLeavesTheOldEntryAndNoLeftovers) {
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

TEST_F(ConfigFileTest, SavingReplacesALongerOldFileWhole) {
    const std::string path = PathOf("old.cfg");
    WriteFile(path, Bytes(4000, 0xEE));
    ASSERT_EQ(g_Sim.SaveConfig(path.c_str()), Result::Saved);
    const Bytes file = ReadFile(path);
    ASSERT_EQ(file.size(), kFileSize);
    EXPECT_EQ(file[1359], 0);
    EXPECT_EQ(ConfigResultMessage(Result::Saved, path), "");
    EXPECT_EQ(ConfigResultMessage(Result::Loaded, path), "");
}

TEST_F(ConfigFileTest, SavingThroughALinkReplacesItsTargetAndKeepsTheLink) {
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

TEST_F(ConfigFileTest, SavingKeepsTheOldFilesPermissions) {
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

TEST_F(ConfigFileTest, MessageTakesThePathAsText) {
    const std::string odd = "C:\\progs\\100%s %d.cfg";
    EXPECT_EQ(ConfigResultMessage(Result::NotValid, odd), odd + " is not a valid Configuration file");
}

TEST_F(ConfigFileTest, EveryFieldIsReadFromItsOwnBytes) {
    const Bytes image = PatternImage();
    const std::string path = PathOf("every.cfg");
    WriteFile(path, image);
    ASSERT_EQ(g_Sim.LoadConfig(path.c_str()), Result::Loaded);

    EXPECT_EQ(g_Sim.m_n8279Address, image[0]);
    EXPECT_EQ(g_Sim.m_b8279Connected, image[1]);
    EXPECT_EQ(g_Irq8279Route, image[2]);
    for (int code = 0; code < 256; ++code)
        for (int k = 0; k < 3; ++k)
            ASSERT_EQ(static_cast<u8>(g_Sim.m_8279SegTable[code][k]), image[3 + 3 * code + k]) << code << ' ' << k;
    EXPECT_EQ(g_Sim.m_nLcdAddress, image[771]);
    EXPECT_EQ(g_Sim.m_bLcdConnected, image[772]);
    EXPECT_EQ(g_Sim.m_nLcdCharsLogical, image[773]);
    EXPECT_EQ(g_Sim.m_nLcdCharsPhysical, image[774]);
    EXPECT_EQ(g_Sim.m_n8155Address, image[775]);
    EXPECT_EQ(g_Sim.m_b8155Connected, image[776]);
    EXPECT_EQ(g_Sim.m_n8253Count, image[777]);
    for (int chip = 0; chip < 5; ++chip) {
        EXPECT_EQ(g_Sim.m_8253Address[chip], image[778 + chip]) << chip;
        EXPECT_EQ(g_Sim.m_n8251Address[chip], image[1215 + chip]) << chip;
        EXPECT_EQ(g_Irq8251Route[chip], image[1221 + chip]) << chip;
        EXPECT_EQ(g_Sim.m_8255Address[chip], image[1226 + chip]) << chip;
    }
    for (int slot = 0; slot < 16; ++slot) {
        SCOPED_TRACE(slot);
        const std::size_t r = 815 + 25 * slot;
        const CounterState& t = g_Sim.m_Timer[slot];
        EXPECT_EQ(g_Sim.m_TimerPrescaler[slot], Le16(image, 783 + 2 * slot));
        EXPECT_EQ(t.m_bRunning, image[r]);
        EXPECT_EQ(static_cast<u32>(t.m_nCount), Le32(image, r + 1));
        EXPECT_EQ(t.m_nLatch, Le32(image, r + 5));
        EXPECT_EQ(t.m_nReload, Le32(image, r + 9));
        EXPECT_EQ(t.m_nReloadEven, Le32(image, r + 13));
        EXPECT_EQ(t.m_bLatched, image[r + 17]);
        EXPECT_EQ(t.m_bOut, image[r + 18]);
        EXPECT_EQ(t.m_nMode, image[r + 19]);
        EXPECT_EQ(t.m_bReadLsb, image[r + 20]);
        EXPECT_EQ(t.m_bGate, image[r + 21]);
        EXPECT_EQ(t.m_nIrqRoute, image[r + 22]);
        EXPECT_EQ(t.m_bBcd, image[r + 23]);
        EXPECT_EQ(t.m_nRwMode, image[r + 24]);
    }
    EXPECT_EQ(g_Sim.m_n8251Count, image[1220]);
    EXPECT_EQ(g_Sim.m_n8255Count, image[1231]);
    for (int bank = 0; bank < 4; ++bank) {
        EXPECT_EQ(g_Sim.m_EpromStart[bank], Le16(image, 1232 + 2 * bank)) << bank;
        EXPECT_EQ(g_Sim.m_EpromEnd[bank], Le16(image, 1240 + 2 * bank)) << bank;
        EXPECT_EQ(g_Sim.m_RamStart[bank], Le16(image, 1248 + 2 * bank)) << bank;
        EXPECT_EQ(g_Sim.m_RamEnd[bank], Le16(image, 1256 + 2 * bank)) << bank;
    }
    EXPECT_EQ(g_Sim.m_nEpromBanks, image[1264]);
    EXPECT_EQ(g_Sim.m_nRamBanks, image[1265]);
    for (int entry = 0; entry < 16; ++entry) {
        EXPECT_EQ(g_IOWatchKind[entry], Le16(image, 1266 + 2 * entry)) << entry;
        EXPECT_EQ(g_IOWatchIndex[entry], Le16(image, 1298 + 2 * entry)) << entry;
        EXPECT_EQ(g_IOWatchValid[entry], image[1330 + entry]) << entry;
    }
    EXPECT_EQ(g_Sim.m_nIOWatchCount, image[1346]);
    for (int watch = 0; watch < 6; ++watch)
        EXPECT_EQ(g_Sim.m_MemWatchAddr[watch], Le16(image, 1347 + 2 * watch)) << watch;
    EXPECT_EQ(g_Sim.m_nMemWatchCount, image[1359]);
}

TEST_F(ConfigFileTest, LoadingLeavesWhatTheFileDoesNotHold) {
    g_Sim.m_LcdRam[5] = 'Q';
    g_Sim.m_nLcdAddr = 0x45;
    g_Sim.m_8253Select[0] = 1;
    g_Sim.m_8253RwMode[2][1] = 2;
    g_Sim.m_8253Bcd[1][0] = 1;
    g_Sim.m_8253MsbNext[3][2] = 1;
    g_Sim.m_TimerResidue[4] = 7;
    g_Sim.m_TimerPulses[5] = 9;
    g_Sim.TimersWritten();
    for (int bank = 4; bank < 8; ++bank) {
        g_Sim.m_EpromStart[bank] = static_cast<u16>(0x1100 * bank);
        g_Sim.m_EpromEnd[bank] = static_cast<u16>(0x1200 * bank);
        g_Sim.m_RamStart[bank] = static_cast<u16>(0x1300 * bank);
        g_Sim.m_RamEnd[bank] = static_cast<u16>(0x1400 * bank);
    }
    g_Sim.m_8279DisplayRam[3] = 0x6D;
    g_Sim.m_n8279FifoCount = 2;
    g_Sim.m_n8279Prescaler = 5;
    g_Sim.m_8155Port[1] = 0x5A;
    g_Sim.m_8255PortB[2] = 0xA5;
    g_Sim.m_n8251Status[1] = 0x07;
    g_Sim.ToggleBreakpoint(0x2345);
    g_Sim.m_pMemory[0x8000] = 0x77;
    g_Sim.m_pc = 0x1234;
    g_Sim.m_regA = 0x42;
    g_Sim.SetTStates(1000);

    const std::string path = PathOf("partial.cfg");
    WriteFile(path, PatternImage());
    ASSERT_EQ(g_Sim.LoadConfig(path.c_str()), Result::Loaded);

    EXPECT_EQ(g_Sim.m_LcdRam[5], 'Q');
    EXPECT_EQ(g_Sim.m_nLcdAddr, 0x45);
    EXPECT_EQ(g_Sim.m_8253Select[0], 1);
    EXPECT_EQ(g_Sim.m_8253RwMode[2][1], 2);
    EXPECT_EQ(g_Sim.m_8253Bcd[1][0], 1);
    EXPECT_EQ(g_Sim.m_8253MsbNext[3][2], 1);
    EXPECT_EQ(g_Sim.m_TimerResidue[4], 7);
    EXPECT_EQ(g_Sim.m_TimerPulses[5], 9);
    for (int bank = 4; bank < 8; ++bank) {
        EXPECT_EQ(g_Sim.m_EpromStart[bank], static_cast<u16>(0x1100 * bank)) << bank;
        EXPECT_EQ(g_Sim.m_EpromEnd[bank], static_cast<u16>(0x1200 * bank)) << bank;
        EXPECT_EQ(g_Sim.m_RamStart[bank], static_cast<u16>(0x1300 * bank)) << bank;
        EXPECT_EQ(g_Sim.m_RamEnd[bank], static_cast<u16>(0x1400 * bank)) << bank;
    }
    EXPECT_EQ(g_Sim.m_8279DisplayRam[3], 0x6D);
    EXPECT_EQ(g_Sim.m_n8279FifoCount, 2);
    EXPECT_EQ(g_Sim.m_n8279Prescaler, 5);
    EXPECT_EQ(g_Sim.m_8155Port[1], 0x5A);
    EXPECT_EQ(g_Sim.m_8255PortB[2], 0xA5);
    EXPECT_EQ(g_Sim.m_n8251Status[1], 0x07);
    EXPECT_EQ(g_nBreakpointCount, 1u);
    EXPECT_EQ(g_Sim.FindBreakpoint(0x2345), 1u);
    EXPECT_EQ(g_Sim.m_pMemory[0x8000], 0x77);
    EXPECT_EQ(g_Sim.m_pc, 0x1234);
    EXPECT_EQ(g_Sim.m_regA, 0x42);
    EXPECT_EQ(g_Sim.TStates(), 1000u);
}

TEST_F(ConfigFileTest, FirstProgramGetsThePowerOnSettings) {
    const std::string path = PathOf("first.cfg");
    ASSERT_EQ(g_Sim.LoadConfig(path.c_str()), Result::Created);

    // Nothing connected, LCD 8 of 16 characters, prescalers 1, every timer
    // idle with OUT high and the low byte read first, EPROM 0000-1FFF and
    // RAM E000-FFFF one bank each, no watches.
    Bytes expected(kFileSize, 0);
    expected[773] = 8;
    expected[774] = 16;
    for (int slot = 0; slot < 16; ++slot) {
        PutLe16(expected, 783 + 2 * slot, 1);
        expected[815 + 25 * slot + 18] = 1;
        expected[815 + 25 * slot + 20] = 1;
    }
    PutLe16(expected, 1240, 0x1FFF);
    for (int bank = 0; bank < 4; ++bank) {
        PutLe16(expected, 1248 + 2 * bank, 0xE000);
        PutLe16(expected, 1256 + 2 * bank, 0xFFFF);
    }
    expected[1264] = 1;
    expected[1265] = 1;
    EXPECT_EQ(ReadFile(path), expected);
}

TEST_F(ConfigFileTest, WriteProtectedFileIsNotReplacedNorAnUnreadableOneByALoad) {
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
    EXPECT_EQ(ReadFile(unreadable), old);
}

TEST_F(ConfigFileTest, FileInAReadOnlyFolderIsWrittenInPlace) {
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
// fileLimit bytes, as on a full disk; true when it was refused.
bool SaveRefusedWithFilesLimitedTo(const std::string& path, rlim_t fileLimit) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{fileLimit, fileLimit};
        const bool bRefused =
            ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && g_Sim.SaveConfig(path.c_str()) == Result::CannotWrite;
        ::_exit(bRefused ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(ConfigFileTest, AFileWithASecondNameStaysOneFileAndKeepsItsContentsUntilTheNewAreWritten) {
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

TEST_F(ConfigFileTest, LinksPlantedAtTheOldScratchNamesAreNotWrittenThrough) {
    const std::string victim = PathOf("victim");
    WriteFile(victim, Bytes{1, 2, 3});
    fs::permissions(victim, fs::perms::owner_read | fs::perms::owner_write);
    const std::string existing = PathOf("prog.cfg");
    const std::string absent = PathOf("new.cfg");
    WriteFile(existing, Bytes(kFileSize, 0x55));
    for (const std::string& path : {existing, absent}) fs::create_symlink(victim, path + ".saving");
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    for (const std::string& path : {existing, absent}) {
        SCOPED_TRACE(path);
        ASSERT_EQ(g_Sim.SaveConfig(path.c_str()), Result::Saved);
        EXPECT_FALSE(fs::is_symlink(path));
        EXPECT_EQ(ReadFile(path), ReadFile(PathOf(kReferenceName)));
    }
    EXPECT_EQ(ReadFile(victim), (Bytes{1, 2, 3}));
    EXPECT_EQ(fs::status(victim).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

namespace {
using Clock = std::chrono::steady_clock;
// Long enough for a thousand saves or more, each a chance to lose a race.
constexpr auto kRaceTime = std::chrono::seconds(1);

// Neither the user nor the superuser.
OrdinaryUser Stranger(const OrdinaryUser& user) { return OrdinaryUser{user.uid - 1, user.gid - 1}; }

// The action runs as the user, over and over, while a second process swaps
// what the two names stand for as fast as it can; the names end as they
// began. The user's checks of what the actions met run last.
void RaceAsUser(const OrdinaryUser& user, const fs::path& a, const fs::path& b, const std::function<void()>& action,
                const std::function<void()>& afterwards = [] {}) {
    const Clock::time_point until = Clock::now() + kRaceTime;
    const pid_t racer = ::fork();
    if (racer == 0) {
        const auto swap = [&] { return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0; };
        bool bSwapped = true;
        while (bSwapped && Clock::now() < until) bSwapped = swap() && swap();
        ::_exit(bSwapped ? 0 : 1);
    }
    RunAsUser(user, [&] {
        while (Clock::now() < until) action();
        afterwards();
    });
    int status = 0;
    EXPECT_TRUE(racer > 0 && ::waitpid(racer, &status, 0) == racer && status == 0) << "could not swap " << a;
}

// The user's link and someone else's, side by side in a folder where both
// may add and rename (no sticky bit), to be swapped while the user works.
struct LinkPair {
    fs::path mine;
    fs::path theirs;
};

LinkPair PlantLinkPair(const fs::path& folder, const OrdinaryUser& user, const fs::path& myTarget,
                       const fs::path& theirTarget) {
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all);
    const LinkPair links{folder / "prog.cfg", folder / "spare.cfg"};
    fs::create_symlink(myTarget, links.mine);
    fs::create_symlink(theirTarget, links.theirs);
    GiveTo(links.mine, user);
    GiveTo(links.theirs, Stranger(user));
    return links;
}
}  // namespace

TEST_F(ConfigFileTest, ALinkSwappedDuringSavesNeverAimsThem) {
    const std::optional<OrdinaryUser> user = FindOrdinaryUser();
    if (::geteuid() != 0 || !user) GTEST_SKIP() << "needs a second user to plant a link";
    ASSERT_NO_FATAL_FAILURE(GiveTo(m_dir, *user));
    const std::string own = PathOf("own.cfg");
    const std::string victim = PathOf("victim");
    WriteFile(victim, Bytes{1, 2, 3});
    ASSERT_NO_FATAL_FAILURE(GiveTo(victim, *user));
    const LinkPair links = PlantLinkPair(m_dir / "shared", *user, own, victim);
    RaceAsUser(*user, links.mine, links.theirs, [&] { g_Sim.SaveConfig(links.mine.c_str()); });
    EXPECT_EQ(ReadFile(victim), (Bytes{1, 2, 3}));
    EXPECT_EQ(ReadFile(own).size(), kFileSize);
}

TEST_F(ConfigFileTest, ALinkSwappedDuringLoadsNeverLetsThemWrite) {
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
    const LinkPair links = PlantLinkPair(m_dir / "shared", *user, own, PathOf("nowhere.cfg"));
    int met[2] = {0, 0};  // the user's link, read; the other, refused
    const auto load = [&] {
        const Result result = g_Sim.LoadConfig(links.mine.c_str());
        ++met[result == Result::Loaded ? 0 : 1];
        EXPECT_TRUE(result == Result::Loaded || result == Result::CannotWrite);
    };
    RaceAsUser(*user, links.mine, links.theirs, load, [&] { EXPECT_TRUE(met[0] > 0 && met[1] > 0); });
    ASSERT_EQ(::stat(own.c_str(), &after), 0);
    EXPECT_TRUE(after.st_ino == before.st_ino && after.st_mtim.tv_sec == before.st_mtim.tv_sec) << "written";
}

TEST_F(ConfigFileTest, AnyonesLinkIsReadButOnlyTheUsersOrTheSuperusersAreWrittenThrough) {
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

TEST_F(ConfigFileTest, AFolderSwappedDuringSavesLeavesNothingBehind) {
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

TEST_F(ConfigFileTest, APipeADeviceOrAFolderIsNeverOpened) {
    ASSERT_NO_FATAL_FAILURE(SaveDistinctReference());
    const std::string pipe = PathOf("pipe.cfg");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string folder = PathOf("folder.cfg");
    fs::create_directory(folder);
    for (const std::string& path : {pipe, folder, std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(WithoutWaiting(pipe, [&] { return g_Sim.LoadConfig(path.c_str()); }), Result::NotValid);
        EXPECT_EQ(WithoutWaiting(pipe, [&] { return g_Sim.SaveConfig(path.c_str()); }), Result::CannotWrite);
    }
    EXPECT_EQ(fs::status(pipe).type(), fs::file_type::fifo);
    EXPECT_TRUE(fs::is_directory(folder));
    ExpectSettingsAsInReference();
}

TEST_F(ConfigFileTest, APipeSwappedInDuringLoadsIsNeverWaitedOn) {
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
