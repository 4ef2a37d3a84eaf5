#include <cstddef>
#include <gtest/gtest.h>
#include <string>

#include "periph/ConfigFile.h"
#include "tests/support/ConfigFileFixture.h"

namespace {
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
