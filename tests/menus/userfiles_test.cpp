// tests/menus/userfiles_test.cpp: every kind of user file refused, without blocking and before a
// byte of it is read, when something other than a regular file of its size stands in its place;
// and every file the game writes written into a file of its own, whatever stands at its
// temporary. A blocking open or read hangs the test into ctest's time-out, which is the failure.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/filename.h"
#include "engine/options.h"
#include "engine/userfile.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/matchblocks.h"
#include "game/savegame.h"
#include "menus/replayslots.h"
#include "menus/saveindex.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

namespace fs = std::filesystem;

// What stands in the file's place.
enum class BadFile { Fifo, LinkToZero, SparseGiB, Folder, DanglingLink };

void PutBadFile(const std::string& path, BadFile kind)
{
    fs::create_directories(fs::path(path).parent_path());
    fs::remove_all(path);
    switch (kind) {
        case BadFile::Fifo: ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); break;
        case BadFile::LinkToZero: fs::create_symlink("/dev/zero", path); break;
        case BadFile::SparseGiB: {
            const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
            ASSERT_GE(fd, 0);
            ASSERT_EQ(ftruncate(fd, off_t{1} << 30), 0);
            close(fd);
            break;
        }
        case BadFile::Folder: fs::create_directory(path); break;
        case BadFile::DanglingLink: fs::create_symlink(path + ".gone", path); break;
    }
}

// One kind of user file: its name, and a load that is true when the file was refused.
struct UserFileKind {
    const char* what;
    std::string gameName;
    std::function<bool()> refused;
    uint64_t bytesOfOthers;  // of the good files the load reads before this one
    bool sizeBound;          // false while the kind's format, and so its maximum, is to come
};

class UserFiles : public testing::Test {
protected:
    void SetUp() override
    {
        NewGameForTest(1, 3);
        GameState.humanClub = 3;
        VTW_SetClubControl(3, MANAGER_HUMAN);
        ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
        m_saveBytes = fs::file_size(HostPath(SaveGame_SaveName(1)));
    }

    TempHome m_home;
    ScopedWorld m_world;
    ScopedSeason m_season;
    uint64_t m_saveBytes = 0;
};

}  // namespace

TEST_F(UserFiles, EveryKindRefusesEveryBadFileUnread)
{
    const UserFileKind kinds[] = {
        {"options", "OPTIONS.DAT",
         [] {
             Options.menuVolume = 3;
             OptionsLoad();
             return Options.menuVolume == OPTIONS_DEFAULTS.menuVolume;
         },
         0, true},
        {"save", SaveGame_SaveName(1), [] { return LoadGame(1) != SAVEGAME_OK; }, 0, true},
        {"perm", SaveGame_PermName(1), [] { return LoadGame(1) != SAVEGAME_OK; }, m_saveBytes,
         true},
        {"index", SAVEINDEX_FILE,
         [] {
             SaveIndexInit();
             return LoadIndexFile() != 0;
         },
         0, true},
        {"team", TEAM_FILE_NAME, [] { return LoadTeamFile(0) != 0; }, 0, true},
        {"replay", "Replay03.sav", [] { return Replay_CountSaved() == 0; }, 0, false},
    };
    for (const UserFileKind& kind : kinds) {
        for (const BadFile bad : {BadFile::Fifo, BadFile::LinkToZero, BadFile::SparseGiB,
                                  BadFile::Folder, BadFile::DanglingLink}) {
            if (bad == BadFile::SparseGiB && !kind.sizeBound) continue;
            const std::string path = HostPath(kind.gameName.c_str());
            const std::string keep = path + ".keep";
            if (fs::exists(path)) fs::rename(path, keep);
            PutBadFile(path, bad);
            const uint64_t before = UserFile_BytesRead();
            EXPECT_TRUE(kind.refused()) << kind.what << " " << static_cast<int>(bad);
            EXPECT_EQ(UserFile_BytesRead() - before, kind.bytesOfOthers)
                << kind.what << " " << static_cast<int>(bad);
            fs::remove_all(path);
            fs::remove_all(HostPath(SAVEINDEX_DAMAGED_FILE));
            if (fs::exists(keep)) fs::rename(keep, path);
        }
    }
    EXPECT_EQ(LoadGame(1), SAVEGAME_OK);  // the real files were never touched
}

TEST(UserFileLimits, TheLargestWorldsSaveStaysBelowItsMaximum)
{
    TempHome home;
    ScopedWorld world;
    ScopedSeason season;
    for (int32_t country = 0; country < COUNTRY_COUNT; ++country) {
        NewGameForTest(country, 5);
        ASSERT_EQ(SaveGame(0), SAVEGAME_OK);
        const uint64_t save = fs::file_size(HostPath(SaveGame_SaveName(0)));
        const uint64_t perm = fs::file_size(HostPath(SaveGame_PermName(0)));
        EXPECT_LT(save, SAVEGAME_SAVE_MAX_BYTES) << country;
        EXPECT_LT(perm, SAVEGAME_PERM_MAX_BYTES) << country;
    }
}

namespace {

// What stands at the name a write goes through.
enum class Planted { Fifo, LinkToOtherFile, LinkToNull, Folder };

void Plant(const std::string& path, Planted kind, const std::string& other)
{
    fs::create_directories(fs::path(path).parent_path());
    fs::remove_all(path);
    switch (kind) {
        case Planted::Fifo: ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); break;
        case Planted::LinkToOtherFile: fs::create_symlink(other, path); break;
        case Planted::LinkToNull: fs::create_symlink("/dev/null", path); break;
        case Planted::Folder: fs::create_directory(path); break;
    }
}

// One file the game writes: the name the write goes through, and the write, true when it says
// it succeeded.
struct WrittenKind {
    const char* what;
    std::string through;
    std::string target;
    std::function<bool()> write;
};

// The log as the program sends it: a stream of its own redirected into the file, written, read.
bool WriteLog(const char* gameName)
{
    FILE* stream = std::tmpfile();
    if (stream == nullptr) return false;
    const bool redirected = UserFile_RedirectLog(gameName, stream);
    if (redirected) std::fputs("log line\n", stream);
    std::fclose(stream);
    return redirected;
}

}  // namespace

TEST_F(UserFiles, EveryWriteGoesIntoAFileOfItsOwnWhateverStandsAtItsName)
{
    const std::string other = HostPath("SaveData\\save2");
    const std::string otherBytes = "another user's file";
    const auto save = [] { return SaveGame(1) == SAVEGAME_OK; };
    const WrittenKind kinds[] = {
        {"options", "OPTIONS.DAT.tmp", "OPTIONS.DAT",
         [] {
             testing::internal::CaptureStdout();
             OptionsSave();
             return testing::internal::GetCapturedStdout().empty();
         }},
        {"save", "SaveData\\save1.new.tmp", "SaveData\\save1", save},
        {"perm", "SaveData\\perm1.new.tmp", "SaveData\\perm1", save},
        {"commit", "SaveData\\commit1.tmp", "SaveData\\save1", save},
        {"index", std::string(SAVEINDEX_FILE) + ".tmp", SAVEINDEX_FILE,
         [] { return SaveIndexFile() == 0; }},
        {"index with its slot", std::string(SAVEINDEX_FILE) + ".new.tmp", SAVEINDEX_FILE,
         [] { return SaveIndex_SaveSlot(1) == SAVEGAME_OK; }},
        {"team", std::string(TEAM_FILE_NAME) + ".tmp", TEAM_FILE_NAME,
         [] { return SaveTeamFile() == 0; }},
        {"stdout log", "stdout.log", "stdout.log", [] { return WriteLog("stdout.log"); }},
        {"stderr log", "stderr.log", "stderr.log", [] { return WriteLog("stderr.log"); }},
    };
    for (const WrittenKind& kind : kinds) {
        for (const Planted planted :
             {Planted::Fifo, Planted::LinkToOtherFile, Planted::LinkToNull, Planted::Folder}) {
            const std::string label =
                std::string(kind.what) + " " + std::to_string(static_cast<int>(planted));
            ASSERT_TRUE(WriteTextFile(other, otherBytes));
            const std::string through = HostPath(kind.through.c_str());
            const std::string target = HostPath(kind.target.c_str());
            Plant(through, planted, other);
            EXPECT_TRUE(kind.write()) << label;
            EXPECT_EQ(ReadTextFile(other), otherBytes) << label;
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target))) << label;
            EXPECT_GT(fs::file_size(target), 0u) << label;
            fs::remove_all(through);
        }
    }
    EXPECT_EQ(LoadGame(1), SAVEGAME_OK);
}
