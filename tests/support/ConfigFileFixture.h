// What the configuration file's tests share: a fresh folder per test, the
// machine at power-on, a pattern image and settings unlike the power-on ones.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

#include "periph/ConfigFile.h"
#include "tests/support/PowerOn.h"

namespace fs = std::filesystem;
using Result = CSimulator::ConfigResult;
using Bytes = std::vector<u8>;

constexpr std::size_t kFileSize = 1360;
constexpr const char* kReferenceName = "reference.cfg";

// A fresh folder per test, removed afterwards. Its name is made unique as
// it is created, so test runs side by side on one machine, anyone's, never
// meet in it.
class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        StartFromPowerOn();
        std::string folder = (fs::temp_directory_path() / "torvan-config-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folder.data()), nullptr) << folder;
        m_dir = folder;
    }
    void TearDown() override {
        if (!m_dir.empty()) fs::remove_all(m_dir);
    }

    std::string PathOf(const char* name) const { return (m_dir / name).string(); }

    // The distinct settings, saved as the file a test compares against later.
    void SaveDistinctReference();
    // The settings as they stand, saved again, give the reference file's bytes.
    void ExpectSettingsAsInReference();

    fs::path m_dir;
};

inline Bytes ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Every byte differs from its neighbours, with the counts made legal.
inline Bytes PatternImage() {
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
inline void SetDistinctSettings() {
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

inline void ConfigFileTest::SaveDistinctReference() {
    SetDistinctSettings();
    ASSERT_EQ(g_Sim.SaveConfig(PathOf(kReferenceName).c_str()), Result::Saved);
}

inline void ConfigFileTest::ExpectSettingsAsInReference() {
    const std::string after = PathOf("after.cfg");
    ASSERT_EQ(g_Sim.SaveConfig(after.c_str()), Result::Saved);
    EXPECT_EQ(ReadFile(after), ReadFile(PathOf(kReferenceName)));
}
