// tests/engine/options_test.cpp: the options survive a run, and a bad file never stops the game.
#include "engine/options.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/blockfile.h"
#include "engine/filename.h"
#include "tests/support/support.h"

namespace {

bool SameOptions(const OptionsBlock& a, const OptionsBlock& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Writes "OPTIONS.DAT" as another program might: any version, any block size.
void SaveFile(const OptionsBlock& block, uint32_t version, uint32_t size)
{
    const BlockFileBlock file = {"OPTS", &block, size};
    ASSERT_EQ(BlockFileSave("OPTIONS.DAT", "OPT0", version, &file, 1), BLOCKFILE_OK);
}

// OptionsLoad with its standard output.
std::string LoadCapturingOutput()
{
    testing::internal::CaptureStdout();
    OptionsLoad();
    return testing::internal::GetCapturedStdout();
}

class OptionsFile : public testing::Test {
protected:
    ScopedCore m_core;
    TempHome m_home;
    const std::string m_path = HostPath("OPTIONS.DAT");

    OptionsFile() { Options = OPTIONS_DEFAULTS; }
    ~OptionsFile() override { Options = OPTIONS_DEFAULTS; }
};

TEST_F(OptionsFile, MissingFileGivesTheDefaultsQuietly)
{
    Options.menuVolume = 2;
    EXPECT_EQ(LoadCapturingOutput(), "");
    EXPECT_TRUE(SameOptions(Options, OPTIONS_DEFAULTS));
}

TEST_F(OptionsFile, SavedOptionsComeBackAtTheNextStart)
{
    Options.menuVolume = 3;
    Options.crowdVolume = 0;
    Options.cameraViewType = 2;
    Options.video.mode = 5;
    Options.video.deviceGuid[15] = 0x7F;
    const OptionsBlock saved = Options;
    OptionsSave();

    Options = OPTIONS_DEFAULTS;
    EXPECT_EQ(LoadCapturingOutput(), "");
    EXPECT_TRUE(SameOptions(Options, saved));
}

TEST_F(OptionsFile, DamagedFileGivesTheDefaultsWithOneWarningAndIsRewritten)
{
    OptionsBlock changed = OPTIONS_DEFAULTS;
    changed.menuVolume = 1;
    std::vector<std::string> damagedFiles;
    SaveFile(changed, OPTIONS_FILE_VERSION + 1, sizeof changed);
    damagedFiles.push_back(ReadTextFile(m_path));
    SaveFile(changed, OPTIONS_FILE_VERSION, sizeof changed - 2);
    damagedFiles.push_back(ReadTextFile(m_path));
    SaveFile(changed, OPTIONS_FILE_VERSION, sizeof changed);
    damagedFiles.push_back(ReadTextFile(m_path));
    damagedFiles.back()[30] ^= 0x10;
    damagedFiles.push_back("menu volume = 1\n");

    for (const std::string& damaged : damagedFiles) {
        ASSERT_TRUE(WriteTextFile(m_path, damaged));
        EXPECT_EQ(LoadCapturingOutput(), "Warning: OptionsLoad(): 'OPTIONS.DAT' is damaged - "
                                         "using the default options\n");
        EXPECT_TRUE(SameOptions(Options, OPTIONS_DEFAULTS));

        OptionsSave();
        OptionsBlock rewritten{};
        const BlockFileRequest request = {"OPTS", &rewritten, sizeof rewritten, nullptr, true};
        EXPECT_EQ(BlockFileLoad("OPTIONS.DAT", OPTIONS_FILE_MAX_BYTES, "OPT0", OPTIONS_FILE_VERSION,
                                &request, 1),
                  BLOCKFILE_OK);
        EXPECT_TRUE(SameOptions(rewritten, OPTIONS_DEFAULTS));
    }
}

TEST_F(OptionsFile, ValuesOutOfRangeAreClampedEachWithAWarning)
{
    OptionsBlock wild = OPTIONS_DEFAULTS;
    wild.crowdVolume = 11;
    wild.sfxVolume = -1;
    wild.menuVolume = 10;
    wild.panoramic = 2;
    wild.cameraViewType = 4;
    wild.modelDetail = -70000;
    wild.showNames = 1;
    SaveFile(wild, OPTIONS_FILE_VERSION, sizeof wild);

    const std::vector<std::string> lines = SplitLines(LoadCapturingOutput());
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0],
              "Warning: OptionsLoad(): 'OPTIONS.DAT': crowd volume 11 is outside 0-10 - using 10");
    EXPECT_EQ(int{Options.crowdVolume}, 10);
    EXPECT_EQ(int{Options.sfxVolume}, 0);
    EXPECT_EQ(int{Options.menuVolume}, 10);
    EXPECT_EQ(int{Options.panoramic}, 1);
    EXPECT_EQ(int{Options.cameraViewType}, 3);
    EXPECT_EQ(int{Options.modelDetail}, 0);
    EXPECT_EQ(int{Options.showNames}, 1);
}

TEST_F(OptionsFile, FailedSaveWarnsAndKeepsTheOldFile)
{
    // A folder, with something in it, stands where the file goes: it cannot be replaced.
    std::filesystem::create_directories(m_path + "/kept");
    Options.menuVolume = 4;

    testing::internal::CaptureStdout();
    OptionsSave();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Warning: OptionsSave(): cannot write 'OPTIONS.DAT' - the options were not saved\n");
    EXPECT_TRUE(std::filesystem::is_directory(m_path + "/kept"));
}

}  // namespace
