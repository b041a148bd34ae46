// tests/game/savegame_test.cpp: saved games: identical bytes on a round trip, the same career
// after a load, and every refusal leaving the running career as it was.
#include "game/savegame.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/blockfile.h"
#include "engine/crc32.h"
#include "engine/debug.h"
#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/random.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/season.h"
#include "game/tactics.h"
#include "tests/support/game_world.h"
#include "tests/support/support.h"

namespace {

// A career of country 2 a few days in, with the modules that save state started, in a home of
// its own.
class SaveGameTest : public testing::Test {
protected:
    void SetUp() override
    {
        NewGameForTest(2, 21);
        VTW_SetClubControl(3, MANAGER_HUMAN);
        GameState.humanClub = 3;
        AutoRunMode = 1;
    }
    std::string SavePath(int32_t n) { return HostPath(SaveGame_SaveName(n)); }
    std::string PermPath(int32_t n) { return HostPath(SaveGame_PermName(n)); }

    ScopedWorld m_world;
    ScopedSeason m_season;
    TempHome m_home;
};

void PlayDays(int32_t days)
{
    for (int32_t d = 0; d < days; ++d) {
        VTW_FindHumanNextFixture();
        int32_t row = 0;
        while (VTW_PlayMatchDay(&row) != 0) {
        }
        VTW_AdvanceDay();
    }
}

void PlayUntil(int32_t season, int32_t day)
{
    while (GameState.seasonCounter < season || DayNo < day) {
        PlayDays(1);
    }
}

TEST_F(SaveGameTest, SaveLoadSaveGivesIdenticalFilesAndTheSameCareerAfterwards)
{
    const int32_t second = GameState.seasonCounter + 1;
    PlayUntil(second, 150);
    ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
    const std::vector<uint8_t> save = ReadBytes(SavePath(1));
    const std::vector<uint8_t> perm = ReadBytes(PermPath(1));
    ASSERT_EQ(LoadGame(1), SAVEGAME_OK);
    ASSERT_EQ(SaveGame(2), SAVEGAME_OK);
    EXPECT_EQ(ReadBytes(SavePath(2)), save);
    EXPECT_EQ(ReadBytes(PermPath(2)), perm);

    // On to the season's end, through the new-season rollover, twice from the same save.
    SRand(77);
    PlayUntil(second + 1, 0);
    const uint32_t hash = SaveGame_StateHash();
    ASSERT_EQ(LoadGame(1), SAVEGAME_OK);
    EXPECT_EQ(GameState.seasonCounter, second);
    SRand(77);
    PlayUntil(second + 1, 0);
    EXPECT_EQ(SaveGame_StateHash(), hash);
}

// A game saved while win bonuses were booked as spending loads with its figures adding up: such
// a club's bonuses move to its miscellaneous spending, balance untouched; bonuses booked as
// income, and a club whose figures never explained its balance, are left as they were.
TEST_F(SaveGameTest, WinBonusesSavedAsSpendingAreRestatedOnLoad)
{
    PlayDays(40);
    const auto booked = [](const ClubRecord& r) {
        int64_t sum = r.carriedForward;
        for (int32_t f = 0; f < CLUB_FIG_COUNT; ++f) {
            sum += f < CLUB_FIG_FIRST_SPENDING ? r.figures[f] : -int64_t(r.figures[f]);
        }
        return sum;
    };
    struct Case {
        int32_t club;
        bool spent;        // booked as the older games did
        int32_t unbooked;  // a change of the balance the figures do not explain
        int32_t bonusesAfter;
        int32_t miscOutAdded;
    };
    const Case cases[] = {
        {5, true, 0, 0, 70'000}, {6, false, 0, 70'000, 0}, {7, true, 1'000, 70'000, 0}};
    std::vector<ClubRecord> before;
    for (const Case& c : cases) {
        ClubRecord& r = DbClubs[c.club];
        r.figures[CLUB_FIG_WIN_BONUSES] = 0;
        r.carriedForward = static_cast<int32_t>(r.carriedForward + r.balance - booked(r));
        r.figures[CLUB_FIG_WIN_BONUSES] = 70'000;
        r.balance += (c.spent ? -70'000 : 70'000) + c.unbooked;
        before.push_back(r);
    }
    ASSERT_EQ(SaveGame(4), SAVEGAME_OK);
    ASSERT_EQ(LoadGame(4), SAVEGAME_OK);
    for (size_t k = 0; k < std::size(cases); ++k) {
        const Case& c = cases[k];
        const ClubRecord& r = DbClubs[c.club];
        SCOPED_TRACE(c.club);
        EXPECT_EQ(r.balance, before[k].balance);
        EXPECT_EQ(r.figures[CLUB_FIG_WIN_BONUSES], c.bonusesAfter);
        EXPECT_EQ(r.figures[CLUB_FIG_MISC_OUT] - before[k].figures[CLUB_FIG_MISC_OUT],
                  c.miscOutAdded);
        if (c.unbooked == 0) {
            EXPECT_EQ(booked(r), r.balance);
        }
    }
}

// A missing commit record is the usual case, not a thing to warn of.
TEST_F(SaveGameTest, AnOrdinarySaveAndLoadWarnOfNothing)
{
    DebugSetLevel(DBG_FILE, 1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(SaveGame(5), SAVEGAME_OK);
    SaveGame_Recover();
    EXPECT_EQ(LoadGame(5), SAVEGAME_OK);
    const std::string said = testing::internal::GetCapturedStdout();
    DebugSetLevel(DBG_FILE, 0);
    EXPECT_EQ(said.find("Warning"), std::string::npos) << said;
}

TEST_F(SaveGameTest, RefusalsReturnTheirCodeAndLeaveTheCareerUntouched)
{
    PlayDays(5);
    ASSERT_EQ(SaveGame(3), SAVEGAME_OK);
    PlayDays(2);
    const uint32_t hash = SaveGame_StateHash();
    const std::vector<uint8_t> save = ReadBytes(SavePath(3));
    const std::vector<uint8_t> perm = ReadBytes(PermPath(3));

    EXPECT_EQ(LoadGame(4), SAVEGAME_MISSING);
    WriteBytes(SavePath(4), save);
    EXPECT_EQ(LoadGame(4), SAVEGAME_MISSING);  // the archives of the slot are missing

    std::vector<uint8_t> wrongType = save;
    wrongType[4] = 'X';
    WriteBytes(SavePath(3), wrongType);
    EXPECT_EQ(LoadGame(3), SAVEGAME_WRONG_KIND);

    // 64 seeded positions over each file: the header, block heads and data, "END0", the CRC.
    SRand(5);
    for (const bool archives : {false, true}) {
        const std::vector<uint8_t>& good = archives ? perm : save;
        for (int32_t k = 0; k < 64; ++k) {
            const size_t at = k < 4 ? good.size() - 1 - k * 2
                                    : (static_cast<size_t>(Rand()) << 15 | Rand()) % good.size();
            std::vector<uint8_t> bad = good;
            bad[at] ^= 0x5A;
            WriteBytes(SavePath(3), archives ? save : bad);
            WriteBytes(PermPath(3), archives ? bad : perm);
            const int32_t result = LoadGame(3);
            // The magic, type and version are read before any checksum.
            if (at < 12) {
                EXPECT_TRUE(result == SAVEGAME_WRONG_KIND || result == SAVEGAME_DAMAGED) << at;
            } else {
                EXPECT_EQ(result, SAVEGAME_DAMAGED) << "byte " << at;
            }
        }
    }
    EXPECT_EQ(SaveGame_StateHash(), hash);

    // Another save's archives beside this save: the pair stamp refuses them.
    ASSERT_EQ(SaveGame(5), SAVEGAME_OK);
    WriteBytes(SavePath(3), save);
    WriteBytes(PermPath(3), ReadBytes(PermPath(5)));
    PlayDays(1);
    EXPECT_EQ(LoadGame(3), SAVEGAME_DAMAGED);

    // A block registered since the file was written is missing from it.
    WriteBytes(PermPath(3), perm);
    static uint8_t extra[8];
    SaveGame_RegisterBlock("XTRA", extra, sizeof extra);
    const uint32_t beforeExtra = SaveGame_StateHash();
    EXPECT_EQ(LoadGame(3), SAVEGAME_BLOCK_MISSING);
    EXPECT_EQ(SaveGame_StateHash(), beforeExtra);

    ASSERT_EQ(chmod(HostPath("SaveData").c_str(), 0), 0);
    if (access(HostPath("SaveData").c_str(), R_OK) != 0) {
        EXPECT_EQ(LoadGame(3), SAVEGAME_NO_FOLDER);
    }
    chmod(HostPath("SaveData").c_str(), 0755);
}

// A block added after a save was made: the save loads and the block keeps its own bytes; once
// saved, the block is read back, and a later size refuses it.
TEST_F(SaveGameTest, ALateBlockMissingFromASaveKeepsItsBytesAndIsReadOnceSaved)
{
    ASSERT_EQ(SaveGame(3), SAVEGAME_OK);
    static uint8_t late[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    static uint8_t longer[16];
    SaveGame_RegisterLateBlock("XLAT", late, sizeof late);
    ASSERT_EQ(LoadGame(3), SAVEGAME_OK);
    EXPECT_EQ(late[7], 8);

    ASSERT_EQ(SaveGame(4), SAVEGAME_OK);
    late[7] = 0;
    ASSERT_EQ(LoadGame(4), SAVEGAME_OK);
    EXPECT_EQ(late[7], 8);

    SaveGame_RegisterLateBlock("XLAT", longer, sizeof longer);
    const uint32_t hash = SaveGame_StateHash();
    EXPECT_EQ(LoadGame(4), SAVEGAME_BLOCK_MISSING);
    EXPECT_EQ(SaveGame_StateHash(), hash);
}

// A DAT0 image's blocks in file order: tag, where the head starts, the data's size.
struct BlockAt {
    std::string tag;
    size_t head;
    uint32_t size;
};

std::vector<BlockAt> BlocksOf(const std::vector<uint8_t>& file)
{
    std::vector<BlockAt> blocks;
    uint32_t count = 0;
    std::memcpy(&count, file.data() + 12, sizeof count);
    size_t at = 16;
    for (uint32_t k = 0; k < count; ++k) {
        BlockAt b{std::string(reinterpret_cast<const char*>(file.data() + at), 4), at, 0};
        std::memcpy(&b.size, file.data() + at + 4, sizeof b.size);
        blocks.push_back(b);
        at += 12 + (b.size + 3) / 4 * 4;
    }
    return blocks;
}

// The slot's pair of files as a program from before the block `tag` wrote them: without the
// block, with the pair stamp of the blocks left, and each file's checksums made good.
void WriteWithoutBlock(const std::string& savePath, const std::string& permPath, const char* tag)
{
    std::vector<uint8_t> files[2] = {ReadBytes(savePath), ReadBytes(permPath)};
    std::vector<BlockAt> blocks = BlocksOf(files[0]);
    const auto dropped =
        std::find_if(blocks.begin(), blocks.end(), [&](const BlockAt& b) { return b.tag == tag; });
    ASSERT_NE(dropped, blocks.end());
    const size_t length = 12 + (dropped->size + 3) / 4 * 4;
    files[0].erase(files[0].begin() + dropped->head, files[0].begin() + dropped->head + length);
    const uint32_t count = static_cast<uint32_t>(blocks.size() - 1);
    std::memcpy(files[0].data() + 12, &count, sizeof count);
    uint32_t stamp = 0;
    for (const BlockAt& b : BlocksOf(files[0])) {
        if (b.tag != "PAIR") stamp = Crc32(files[0].data() + b.head + 12, b.size, stamp);
    }
    for (std::vector<uint8_t>& file : files) {
        for (const BlockAt& b : BlocksOf(file)) {
            if (b.tag != "PAIR") continue;
            std::memcpy(file.data() + b.head + 12, &stamp, sizeof stamp);
            const uint32_t crc = Crc32(&stamp, sizeof stamp);
            std::memcpy(file.data() + b.head + 8, &crc, sizeof crc);
        }
        const size_t trailer = file.size() - 8;
        const uint32_t crc = Crc32(file.data(), trailer);
        std::memcpy(file.data() + trailer + 4, &crc, sizeof crc);
    }
    WriteBytes(savePath, files[0]);
    WriteBytes(permPath, files[1]);
}

// The season's clean sheets are saved with the game; a save made before they were kept loads
// with every count 0, whatever the running career held.
TEST_F(SaveGameTest, CleanSheetsAreSavedAndAnEarlierSaveLoadsWithNone)
{
    PlayDays(3);
    PlayerSeasonCleanSheets[1] = 7;
    ASSERT_EQ(SaveGame(3), SAVEGAME_OK);
    PlayerSeasonCleanSheets[1] = 0;
    ASSERT_EQ(LoadGame(3), SAVEGAME_OK);
    EXPECT_EQ(PlayerSeasonCleanSheets[1], 7);

    WriteWithoutBlock(SavePath(3), PermPath(3), "CLSH");
    ASSERT_EQ(LoadGame(3), SAVEGAME_OK);
    EXPECT_EQ(PlayerSeasonCleanSheets[1], 0);
    EXPECT_EQ(std::count(std::begin(PlayerSeasonCleanSheets), std::end(PlayerSeasonCleanSheets), 0),
              PLAYER_FULL_MAX);
}

TEST_F(SaveGameTest, AFailedSaveKeepsThePreviousFilesOfTheSlot)
{
    ASSERT_EQ(SaveGame(6), SAVEGAME_OK);
    const std::vector<uint8_t> save = ReadBytes(SavePath(6));
    const std::vector<uint8_t> perm = ReadBytes(PermPath(6));
    PlayDays(3);
    // The second file cannot be written, as a full disk refuses it.
    SaveGame_SetStepHook([](int32_t step) {
        return step == SAVEGAME_STEP_WRITE_PERM ? SAVEGAME_STEP_FAIL : SAVEGAME_STEP_GO;
    });
    EXPECT_LT(SaveGame(6), 0);
    SaveGame_SetStepHook(nullptr);
    EXPECT_EQ(ReadBytes(SavePath(6)), save);
    EXPECT_EQ(ReadBytes(PermPath(6)), perm);
    EXPECT_EQ(access((SavePath(6) + ".new").c_str(), F_OK), -1);
}

// The save's test seam: each step of a save failed as a disk call fails, or the save stopped
// there as a kill stops it; then the recovery a start runs.
int32_t s_seamStep;
int32_t s_seamOrder;
int32_t Seam(int32_t step) { return step == s_seamStep ? s_seamOrder : SAVEGAME_STEP_GO; }

constexpr const char* kCompanion = SAVEGAME_INDEX_FILE;  // the one file a save may replace

class SaveTransactionTest : public SaveGameTest {
protected:
    void SetUp() override
    {
        SaveGameTest::SetUp();
        PlayDays(2);
        ASSERT_EQ(SaveWithCompanion("old"), SAVEGAME_OK);
        m_oldHash = SaveGame_StateHash();
        m_save = ReadBytes(SavePath(2));
        m_perm = ReadBytes(PermPath(2));
        PlayDays(1);
        m_newHash = SaveGame_StateHash();
        ASSERT_EQ(SaveGame(9), SAVEGAME_OK);  // the running career, to come back to
    }
    void TearDown() override { SaveGame_SetStepHook(nullptr); }

    static int32_t SaveWithCompanion(const std::string& text)
    {
        const SaveGameCompanion companion = {kCompanion, text.data(), text.size()};
        return SaveGame_WithCompanion(2, &companion);
    }
    // Slot 2 as it was before the new save, nothing else in the folder but slot 9.
    void PutOldGameBack()
    {
        for (const auto& entry : std::filesystem::directory_iterator(m_home.Path("SaveData"))) {
            const std::string name = entry.path().filename();
            if (name != "save9" && name != "perm9") std::filesystem::remove_all(entry.path());
        }
        WriteBytes(SavePath(2), m_save);
        WriteBytes(PermPath(2), m_perm);
        WriteBytes(HostPath(kCompanion), {'o', 'l', 'd'});
        ASSERT_EQ(LoadGame(9), SAVEGAME_OK);
    }
    // After the recovery slot 2 holds the old game or the new one, whole, the companion saying
    // which, and nothing is left behind. True for the new game.
    bool SlotHoldsOneGameWhole(const std::string& context)
    {
        SaveGame_Recover();
        EXPECT_EQ(LoadGame(2), SAVEGAME_OK) << context;
        const uint32_t hash = SaveGame_StateHash();
        EXPECT_TRUE(hash == m_oldHash || hash == m_newHash) << context;
        const bool isNew = hash == m_newHash;
        EXPECT_EQ(ReadTextFile(HostPath(kCompanion)), isNew ? "new" : "old") << context;
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_home.Path("SaveData"))) {
            names.push_back(entry.path().filename());
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names,
                  (std::vector<std::string>{"index.dat", "perm2", "perm9", "save2", "save9"}))
            << context;
        return isNew;
    }

    uint32_t m_oldHash = 0;
    uint32_t m_newHash = 0;
    std::vector<uint8_t> m_save;
    std::vector<uint8_t> m_perm;
};

TEST_F(SaveTransactionTest, EveryStepFailedOrStoppedLeavesTheOldGameOrTheNewOneWhole)
{
    SaveGame_SetStepHook(Seam);
    int32_t newGames = 0;
    for (int32_t step = 0; step < SAVEGAME_STEP_COUNT; ++step) {
        for (const int32_t order : {SAVEGAME_STEP_FAIL, SAVEGAME_STEP_STOP}) {
            const std::string context = "step " + std::to_string(step)
                                        + (order == SAVEGAME_STEP_FAIL ? " failed" : " stopped");
            PutOldGameBack();
            s_seamStep = step;
            s_seamOrder = order;
            const int32_t result = SaveWithCompanion("new");
            s_seamStep = -1;
            const bool isNew = SlotHoldsOneGameWhole(context);
            newGames += isNew ? 1 : 0;
            // "La sauvegarde a échoué" only when the old game is what remains.
            if (order == SAVEGAME_STEP_FAIL) {
                EXPECT_EQ(result == SAVEGAME_OK, isNew) << context;
            }
            // The record commits the new game; a first rename that fails takes the record back.
            const bool rolledBack =
                order == SAVEGAME_STEP_FAIL && step == SAVEGAME_STEP_RENAME_PERM;
            EXPECT_EQ(isNew, step > SAVEGAME_STEP_COMMIT && !rolledBack) << context;
        }
    }
    EXPECT_EQ(newGames, 2 * (SAVEGAME_STEP_COUNT - 1 - SAVEGAME_STEP_COMMIT) - 1);
}

// Whatever a stopped program or a hand left at a name the save writes through (a folder holding
// a file and a link to a file outside) is cleared away, the link never followed, and the save
// goes on.
TEST_F(SaveTransactionTest, AFolderAtAnyNameTheSaveWritesThroughIsClearedAndTheSaveGoesOn)
{
    const std::string outside = m_home.Path("outside.txt");
    const std::string folder = m_home.Path("SaveData/");
    for (const char* name : {"save2.new.tmp", "perm2.new.tmp", "index.dat.new.tmp", "commit2.tmp",
                             "save2.new", "perm2.new", "index.dat.new", "commit2"}) {
        PutOldGameBack();
        ASSERT_TRUE(WriteTextFile(outside, "kept"));
        std::filesystem::create_directories(folder + name + "/deep");
        ASSERT_TRUE(WriteTextFile(folder + name + "/deep/file", "stale")) << name;
        std::filesystem::create_symlink(outside, folder + name + "/link");
        SaveGame_Recover();
        EXPECT_EQ(SaveWithCompanion("new"), SAVEGAME_OK) << name;
        EXPECT_TRUE(SlotHoldsOneGameWhole(name)) << name;
        EXPECT_EQ(ReadTextFile(outside), "kept") << name;
    }
}

TEST_F(SaveTransactionTest, RecoveryRefusesHalfWrittenNewFilesAndFinishesAnOldProgramsHalfSave)
{
    SaveGame_SetStepHook(Seam);
    // The record names new files of which one was cut short since: the old game stays.
    PutOldGameBack();
    s_seamStep = SAVEGAME_STEP_RENAME_PERM;
    s_seamOrder = SAVEGAME_STEP_STOP;
    SaveWithCompanion("new");
    std::vector<uint8_t> cut = ReadBytes(SavePath(2) + ".new");
    cut.resize(cut.size() / 2);
    WriteBytes(SavePath(2) + ".new", cut);
    EXPECT_FALSE(SlotHoldsOneGameWhole("half-written save%d.new"));

    // The same, stopped after the archives were renamed: the archives in place carry the stamp.
    PutOldGameBack();
    s_seamStep = SAVEGAME_STEP_RENAME_SAVE;
    SaveWithCompanion("new");
    EXPECT_TRUE(SlotHoldsOneGameWhole("stopped between the renames"));

    // A program without commit records killed between its two renames: the new archives in
    // place and the new game beside them; no record. The new game is put in place.
    PutOldGameBack();
    s_seamStep = -1;
    ASSERT_EQ(SaveWithCompanion("new"), SAVEGAME_OK);
    WriteBytes(SavePath(2) + ".new", ReadBytes(SavePath(2)));
    WriteBytes(SavePath(2), m_save);
    WriteBytes(HostPath(kCompanion), {'n', 'e', 'w'});
    EXPECT_TRUE(SlotHoldsOneGameWhole("an older program's half save"));

    // Two records at once: slot 2 and the automatic save, both stopped after their commit.
    PutOldGameBack();
    s_seamStep = SAVEGAME_STEP_RENAME_PERM;
    SaveWithCompanion("new");
    s_seamStep = SAVEGAME_STEP_RENAME_SAVE;
    SaveGame(SAVEGAME_AUTOSAVE_SLOT);
    s_seamStep = -1;
    SaveGame_Recover();
    EXPECT_TRUE(SaveGame_SlotIsWhole(SAVEGAME_AUTOSAVE_SLOT));
    std::filesystem::remove(SavePath(SAVEGAME_AUTOSAVE_SLOT));
    std::filesystem::remove(PermPath(SAVEGAME_AUTOSAVE_SLOT));
    EXPECT_TRUE(SlotHoldsOneGameWhole("two records"));
}

// A commit record that names a file other than the save index, as a crafted one may: the record
// is damaged, the slot keeps its old game and the named file is left as it was.
TEST_F(SaveTransactionTest, ACommitRecordNamingAnotherFileReplacesNothing)
{
    struct Record {  // the commit record's one block
        int32_t slot;
        uint32_t stamp;
        char companion[64];
    };
    SaveGame_SetStepHook(Seam);
    for (const char* victim : {"SaveData\\save9", "OPTIONS.DAT"}) {
        PutOldGameBack();
        const std::string path = HostPath(victim);
        if (!std::filesystem::exists(path)) WriteBytes(path, {'k', 'e', 'e', 'p'});
        const std::vector<uint8_t> victimBytes = ReadBytes(path);
        s_seamStep = SAVEGAME_STEP_RENAME_PERM;
        s_seamOrder = SAVEGAME_STEP_STOP;
        SaveWithCompanion("new");
        s_seamStep = -1;
        Record record{};
        const BlockFileRequest request = {"CMIT", &record, sizeof record, nullptr, true};
        ASSERT_EQ(BlockFileLoad("SaveData\\commit2", 1000, "CMT0", 1, &request, 1), BLOCKFILE_OK);
        std::snprintf(record.companion, sizeof record.companion, "%s", victim);
        const BlockFileBlock block = {"CMIT", &record, sizeof record};
        ASSERT_EQ(BlockFileSave("SaveData\\commit2", "CMT0", 1, &block, 1), BLOCKFILE_OK);
        WriteBytes(path + ".new", {'c', 'r', 'a', 'f', 't'});

        SaveGame_Recover();
        EXPECT_EQ(ReadBytes(path), victimBytes) << victim;
        std::filesystem::remove(path + ".new");
        EXPECT_FALSE(SlotHoldsOneGameWhole(victim));
    }
}

}  // namespace

namespace {

// A real kill: a child process saves slot 2 over and over and is killed with SIGKILL at a seeded
// moment inside a save; recovery must then find the old game or the new one, whole.
TEST_F(SaveTransactionTest, KilledAtRandomMomentsTheSlotHoldsTheOldGameOrTheNewOne)
{
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(SaveWithCompanion("new"), SAVEGAME_OK);
    const auto saveTime = std::chrono::steady_clock::now() - start;
    const int64_t spanMicros =
        std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count() * 3 / 2 + 1;
    std::mt19937 random(34);
    int32_t newGames = 0;
    // Fewer under the sanitizers, where every save takes many times as long.
#ifdef PELLORAN_SANITIZED
    constexpr int32_t kRuns = 12;
#else
    constexpr int32_t kRuns = 50;
#endif
    for (int32_t run = 0; run < kRuns; ++run) {
        PutOldGameBack();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                SaveWithCompanion("new");
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % spanMicros));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        newGames += SlotHoldsOneGameWhole("run " + std::to_string(run)) ? 1 : 0;
    }
    std::printf("killed saves: %d runs, %d left the new game\n", kRuns, newGames);
}

}  // namespace

// The human's team sheet set by hand (shirts in a new order, the captain and takers chosen) comes
// back from a save exactly as it was, whatever happened to it in between.
TEST_F(SaveGameTest, AHandMadeTeamSheetComesBackExactlyFromASave)
{
    std::vector<int32_t> squad;
    for (int32_t id = 0; id < FullPlayerCount; ++id) {
        if (VTW_GetPlayerClub(id) == 3 && VTW_GetPlayerShirt(id) != 0) squad.push_back(id);
    }
    ASSERT_GE(squad.size(), 11u);
    // Every shirt moves one player on; the captain and takers are players no rule would pick.
    std::vector<int32_t> shirts;
    for (const int32_t id : squad) {
        shirts.push_back(VTW_GetPlayerShirt(id));
    }
    for (size_t i = 0; i < squad.size(); ++i) {
        VTW_SetPlayerShirt(squad[i], 0);
    }
    for (size_t i = 0; i < squad.size(); ++i) {
        VTW_SetPlayerShirt(squad[i], shirts[(i + 1) % shirts.size()]);
    }
    ClubRecord* record = VTW_GetClubRecordPtr(3);
    const auto last = static_cast<int16_t>(squad.back());
    record->captain = last;
    record->penaltyTaker = static_cast<int16_t>(squad[squad.size() - 2]);
    record->freeKickTaker = last;
    record->cornerTaker = static_cast<int16_t>(squad[squad.size() - 3]);
    const ClubRecord kept = *record;
    std::vector<int32_t> keptShirts;
    for (const int32_t id : squad) {
        keptShirts.push_back(VTW_GetPlayerShirt(id));
    }

    ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
    Club_AISelectTeam(3);
    ASSERT_EQ(LoadGame(1), SAVEGAME_OK);

    record = VTW_GetClubRecordPtr(3);
    EXPECT_EQ(record->captain, kept.captain);
    EXPECT_EQ(record->penaltyTaker, kept.penaltyTaker);
    EXPECT_EQ(record->freeKickTaker, kept.freeKickTaker);
    EXPECT_EQ(record->cornerTaker, kept.cornerTaker);
    for (size_t i = 0; i < squad.size(); ++i) {
        EXPECT_EQ(VTW_GetPlayerShirt(squad[i]), keptShirts[i]) << "player " << squad[i];
    }
}
