// tests/menus/saveload_test.cpp: the save and load screen: the overwrite question, a cancelled
// name, a failed save, the load errors, the automatic save kept out of the rows, and a full-width
// name saved again and again.
#include "menus/saveload.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "engine/filename.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/textinput.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t KEY_ENTER = 0x1C;
constexpr int32_t NO_MESSAGE = -1;

int32_t s_answer;
int32_t s_message;
int32_t s_saveResult;
int32_t s_loadResult;
int32_t s_savedSlot;
int32_t s_loadedSlot;

// Stand-ins for a slot's two files: the index trusts a listed slot whose files are there.
void SaveSlotFiles(int32_t slot)
{
    MakeParentFolders(HostPath(SaveGame_SaveName(slot)));
    WriteTextFile(HostPath(SaveGame_SaveName(slot)), "game");
    WriteTextFile(HostPath(SaveGame_PermName(slot)), "archives");
}

// The real save writes the index with the game, and only when it succeeds.
int32_t FakeSave(int32_t slot)
{
    s_savedSlot = slot;
    if (s_saveResult >= 0) SaveSlotFiles(slot);
    return s_saveResult >= 0 && SaveIndexFile() == 0 ? s_saveResult : -5;
}
int32_t FakeLoad(int32_t slot)
{
    s_loadedSlot = slot;
    return s_loadResult;
}
void FakeMessage(int32_t textNo) { s_message = textNo; }
int32_t FakeQuestion(int32_t) { return s_answer; }

std::string IndexBytes() { return ReadTextFile(HostPath(SAVEINDEX_FILE)); }

class SaveLoadScreen : public ::testing::Test {
protected:
    SaveLoadScreen()
    {
        NewGameForTest(6, 7);
        SaveIndexInit();
        SaveLoadInit();
        TextInputInit();
        SaveLoadHooks = {FakeSave, FakeLoad, FakeMessage, FakeQuestion};
        s_answer = 0;
        s_message = NO_MESSAGE;
        s_saveResult = 0;
        s_loadResult = 0;
        s_savedSlot = -1;
        s_loadedSlot = -1;
        MenuOption = MENU_OPTION_TITLE;
    }
    ~SaveLoadScreen() override
    {
        TextInputUninit();
        SaveLoadUninit();
        SaveIndexUninit();
    }

    // A slot holding a game, written to the index file.
    static void UseSlot(int32_t slot, const char* name, const char* description)
    {
        std::snprintf(SaveIndex[slot].name, SAVEINDEX_NAME_BYTES, "%s", name);
        std::snprintf(SaveIndex[slot].description, SAVEINDEX_DESCRIPTION_BYTES, "%s", description);
        SaveIndex[slot].used = 1;
        SaveSlotFiles(slot);
        ASSERT_EQ(SaveIndexFile(), 0);
    }

    // The screen opened in a mode, as the menu loop's init item does.
    static void Open(int32_t loading)
    {
        SaveLoad_SetMode(loading);
        SaveLoad_Init();
    }

    static int32_t ClickRow(int32_t row)
    {
        MenuHotspot hotspot{};
        hotspot.row = static_cast<uint8_t>(row);
        return SaveLoad_SlotClicked(&hotspot);
    }

    // Enter pressed in the active name field, then the field ended as the menu loop ends it.
    static int32_t PressEnter()
    {
        MenuInputs inputs;
        AddKey(&inputs, 10, KEY_ENTER);
        ScopedMenuScript script(inputs, 100000);
        int32_t code = TEXTINPUT_GOES_ON;
        while (code == TEXTINPUT_GOES_ON && ScopedMenuScript::Elapsed() < 100) {
            code = EXTI_HandleKeys();
            WaitMenuTick();
        }
        return EXTI_End(code);
    }

    TempHome m_home;
    ScopedWorld m_world;
    ScopedMenuDisplay m_display;
};

}  // namespace

TEST_F(SaveLoadScreen, NoToTheOverwriteQuestionLeavesTheSlotAndOpensNoField)
{
    UseSlot(4, "Quatre", "avant");
    const std::string before = IndexBytes();
    Open(0);
    s_answer = 1;
    EXPECT_EQ(ClickRow(4), EXM_CODE_REDRAW);
    EXPECT_EQ(EXTI_IsActive(), 0);
    EXPECT_STREQ(SaveIndex[4].name, "Quatre");
    EXPECT_EQ(s_savedSlot, -1);
    EXPECT_EQ(IndexBytes(), before);
}

TEST_F(SaveLoadScreen, ACancelledNameFieldSavesNothing)
{
    UseSlot(2, "Ancienne", "avant");
    const std::string before = IndexBytes();
    Open(0);
    ASSERT_EQ(ClickRow(2), EXM_CODE_NONE);
    std::snprintf(SaveIndex[2].name, SAVEINDEX_NAME_BYTES, "Nouvelle");  // as typed
    EXPECT_EQ(SaveLoad_NameEntered(0), EXM_CODE_REDRAW);
    EXPECT_EQ(s_savedSlot, -1);
    EXPECT_EQ(IndexBytes(), before);
}

TEST_F(SaveLoadScreen, AFailedSaveOverAUsedSlotPutsTheOldEntryBackAndSays1661)
{
    UseSlot(2, "Ancienne", "avant");
    Open(0);
    ASSERT_EQ(ClickRow(2), EXM_CODE_NONE);
    std::snprintf(SaveIndex[2].name, SAVEINDEX_NAME_BYTES, "Nouvelle");  // as typed
    s_saveResult = -5;
    EXPECT_EQ(SaveLoad_NameEntered(TEXTINPUT_ENTERED), EXM_CODE_REDRAW);
    EXPECT_EQ(s_savedSlot, 2);
    EXPECT_EQ(s_message, TEXT_SAVE_FAILED);
    EXPECT_EQ(MenuOption, MENU_OPTION_TITLE);
    SaveIndexInit();
    ASSERT_EQ(LoadIndexFile(), 0);
    EXPECT_STREQ(SaveIndex[2].name, "Ancienne");
    EXPECT_EQ(SaveIndex[2].used, 1u);
    EXPECT_STREQ(SaveIndex[2].description, "avant");
}

TEST_F(SaveLoadScreen, LoadFailuresShowTheirMessageAndStayOnTheScreen)
{
    UseSlot(3, "Trois", "");
    Open(1);
    for (const auto& [result, message] :
         {std::pair{SAVEGAME_NO_FOLDER, TEXT_SAVE_FOLDER_FAILED}, std::pair{-3, TEXT_LOAD_FAILED},
          std::pair{-21, TEXT_LOAD_FAILED}}) {
        s_loadResult = result;
        s_message = NO_MESSAGE;
        EXPECT_EQ(ClickRow(3), EXM_CODE_REDRAW) << result;
        EXPECT_EQ(s_message, message) << result;
        EXPECT_EQ(MenuOption, MENU_OPTION_TITLE);
    }
    s_loadedSlot = -1;
    EXPECT_EQ(ClickRow(5), EXM_CODE_REDRAW);  // an empty slot is not even tried
    EXPECT_EQ(s_loadedSlot, -1);
    s_loadResult = 0;
    EXPECT_EQ(ClickRow(3), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
}

TEST_F(SaveLoadScreen, TheAutomaticSaveIsNoRowAndIsOfferedOnlyWhenLoading)
{
    Open(1);
    const MenuItem* none = SaveLoad.autoSaveTable;
    UseSlot(SAVEINDEX_AUTOSAVE_SLOT, "AutoSave", "AutoSave");
    ASSERT_EQ(SaveGame(SAVEINDEX_AUTOSAVE_SLOT), SAVEGAME_OK);  // offered only when whole
    Open(1);
    EXPECT_NE(SaveLoad.autoSaveTable, none);
    EXPECT_EQ(SaveLoad.shown[SAVEINDEX_AUTOSAVE_SLOT], 1);
    for (int32_t row = 0; row < SAVEINDEX_ROWS; ++row) {
        EXPECT_STREQ(SaveLoad.rowName[row], GetMessageText(TEXT_EMPTY_SLOT)) << row;
    }
    EXPECT_EQ(SaveLoad_LoadAutoSave(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(s_loadedSlot, SAVEINDEX_AUTOSAVE_SLOT);
    Open(0);
    EXPECT_EQ(SaveLoad.autoSaveTable, none);
}

TEST_F(SaveLoadScreen, AFullWidthNameSurvivesBeingSavedOverAgainAndAgain)
{
    const std::string name(SAVELOAD_NAME_FIELD - 1, 'n');
    UseSlot(1, name.c_str(), "d");
    Open(0);
    for (int32_t round = 0; round < 3; ++round) {
        ASSERT_EQ(ClickRow(1), EXM_CODE_NONE) << round;
        EXPECT_EQ(std::string(EXTI_Text()), name) << round;
        EXPECT_EQ(PressEnter(), EXM_CODE_LEAVE) << round;
        Open(0);
        EXPECT_EQ(std::string(SaveIndex[1].name), name) << round;
    }
}

TEST(SaveIndexAutoSave, NamesSlotTenAutoSaveAndWritesTheGame)
{
    TempHome home;
    ScopedWorld world;
    NewGameForTest(6, 7);
    ScopedSeason season;
    SaveIndexInit();
    EXPECT_EQ(AutoSave(), 0);
    SaveIndexInit();
    ASSERT_EQ(LoadIndexFile(), 0);
    EXPECT_STREQ(SaveIndex[SAVEINDEX_AUTOSAVE_SLOT].name, "AutoSave");
    EXPECT_EQ(SaveIndex[SAVEINDEX_AUTOSAVE_SLOT].used, 1u);
    EXPECT_EQ(SaveIndex_CountUsed(), 1);
    EXPECT_TRUE(std::filesystem::exists(HostPath(SaveGame_SaveName(SAVEINDEX_AUTOSAVE_SLOT))));
    EXPECT_EQ(LoadGame(SAVEINDEX_AUTOSAVE_SLOT), 0);
    SaveIndexUninit();
}

// Real games in slots 1 and 4 and the automatic save, under every kind of bad index.
TEST(SaveIndexRebuild, ABadIndexIsRebuiltFromTheSlotsFilesAndHidesNoGame)
{
    TempHome home;
    ScopedWorld world;
    NewGameForTest(6, 7);
    ScopedSeason season;
    VTW_SetClubControl(5, MANAGER_HUMAN);
    GameState.humanClub = 5;
    SaveIndexInit();
    SaveLoadInit();
    ASSERT_EQ(SaveGame(1), SAVEGAME_OK);
    ASSERT_EQ(SaveGame(4), SAVEGAME_OK);
    ASSERT_EQ(AutoSave(), SAVEGAME_OK);
    const std::string club = VTW_FormatClubName(VTW_GetTeam(5));
    SaveIndex_Describe(1);
    const std::string description = SaveIndex[1].description;
    const std::string path = HostPath(SAVEINDEX_FILE);
    std::string allUsed(SAVEINDEX_FILE_BYTES, '\0');
    for (int32_t slot = 0; slot < SAVEINDEX_SLOTS; ++slot)
        allUsed[slot * 154 + 50] = 1;

    const std::vector<std::pair<const char*, std::function<void()>>> damages = {
        {"missing", [&] { std::filesystem::remove_all(path); }},
        {"short", [&] { WriteTextFile(path, "abc"); }},
        {"folder", [&] { std::filesystem::create_directory(path); }},
        {"pipe", [&] { mkfifo(path.c_str(), 0644); }},
        {"every slot used, most without files", [&] { WriteTextFile(path, allUsed); }},
    };
    for (const auto& [what, damage] : damages) {
        std::filesystem::remove_all(path);
        std::filesystem::remove_all(HostPath(SAVEINDEX_DAMAGED_FILE));
        damage();
        SaveIndexInit();
        s_message = NO_MESSAGE;
        SaveLoadHooks.message = FakeMessage;
        SaveLoad_SetMode(0);
        SaveLoad_Init();
        EXPECT_EQ(s_message, NO_MESSAGE) << what;
        for (int32_t slot = 0; slot < SAVEINDEX_ROWS; ++slot) {
            const bool game = slot == 1 || slot == 4;
            EXPECT_EQ(SaveLoad.shown[slot], game ? 1 : 0) << what << " " << slot;
            if (game) {
                EXPECT_STREQ(SaveLoad.rowName[slot], club.c_str()) << what;
            }
        }
        EXPECT_EQ(SaveLoad.rowDescription[4], description) << what;
        EXPECT_STREQ(SaveIndex[SAVEINDEX_AUTOSAVE_SLOT].name, "AutoSave") << what;
        // The rebuilt index is on disk: read again it says the same.
        SaveIndexInit();
        ASSERT_EQ(LoadIndexFile(), 0) << what;
        EXPECT_EQ(SaveIndex[4].used, 1u) << what;
        EXPECT_EQ(SaveIndex[7].used, 0u) << what;
    }
    SaveLoadUninit();
    SaveIndexUninit();
}

// Every byte of the index is under its check: a flipped one is seen, and the index rebuilt from
// the slots comes back byte for byte, the names the human gave included. The same records
// without their check, as the index was written before it had one, still read.
TEST(SaveIndexRebuild, ADamagedIndexIsSeenAndRebuiltUnderTheSlotsOwnNames)
{
    TempHome home;
    ScopedWorld world;
    NewGameForTest(6, 7);
    ScopedSeason season;
    VTW_SetClubControl(5, MANAGER_HUMAN);
    GameState.humanClub = 5;
    SaveIndexInit();
    for (const auto& [slot, name] : {std::pair{1, "Ma carrière"}, std::pair{4, "Quatre"}}) {
        std::snprintf(SaveIndex[slot].name, sizeof SaveIndex[slot].name, "%s", name);
        SaveIndex[slot].used = 1;
        SaveIndex_Describe(slot);
        ASSERT_EQ(SaveIndex_SaveSlot(slot), SAVEGAME_OK);
    }
    const std::string path = HostPath(SAVEINDEX_FILE);
    const std::vector<uint8_t> good = ReadBytes(path);
    ASSERT_EQ(good.size(), static_cast<size_t>(SAVEINDEX_CHECKED_FILE_BYTES));
    for (size_t at = 0; at < good.size(); at += 53) {
        std::vector<uint8_t> damaged = good;
        damaged[at] ^= 0x20;
        WriteBytes(path, damaged);
        SaveIndexInit();
        EXPECT_EQ(LoadIndexFile(), -5) << at;
        WriteBytes(path, damaged);
        SaveIndexInit();
        ASSERT_TRUE(SaveIndex_Refresh()) << at;
        EXPECT_EQ(ReadBytes(path), good) << at;
        EXPECT_STREQ(SaveIndex[1].name, "Ma carrière") << at;
        EXPECT_STREQ(SaveIndex[4].name, "Quatre") << at;
    }
    WriteBytes(path, std::vector<uint8_t>(good.begin(), good.begin() + SAVEINDEX_FILE_BYTES));
    SaveIndexInit();
    EXPECT_EQ(LoadIndexFile(), 0);
    EXPECT_STREQ(SaveIndex[4].name, "Quatre");
    SaveIndexUninit();
}

TEST(SaveIndexRebuild, TheAutomaticSaveIsOfferedOnlyWhenItsPairIsWhole)
{
    TempHome home;
    ScopedWorld world;
    NewGameForTest(6, 7);
    ScopedSeason season;
    SaveIndexInit();
    SaveLoadInit();
    ASSERT_EQ(SaveGame(2), SAVEGAME_OK);
    VTW_AdvanceDay();  // another career state, so another pair stamp
    ASSERT_EQ(AutoSave(), SAVEGAME_OK);
    SaveLoad_SetMode(1);
    SaveLoad_Init();
    const MenuItem* offered = SaveLoad.autoSaveTable;
    const std::string perm = HostPath(SaveGame_PermName(SAVEINDEX_AUTOSAVE_SLOT));

    // Another slot's archives beside the automatic save: the pair stamps disagree.
    std::filesystem::copy_file(HostPath(SaveGame_PermName(2)), perm,
                               std::filesystem::copy_options::overwrite_existing);
    SaveLoad_Init();
    EXPECT_NE(SaveLoad.autoSaveTable, offered);
    // The archives gone altogether, as a killed save of a program without commit records left it.
    std::filesystem::remove(perm);
    SaveLoad_Init();
    EXPECT_NE(SaveLoad.autoSaveTable, offered);
    EXPECT_EQ(SaveIndex[SAVEINDEX_AUTOSAVE_SLOT].used, 0u);
    ASSERT_EQ(AutoSave(), SAVEGAME_OK);
    SaveLoad_Init();
    EXPECT_EQ(SaveLoad.autoSaveTable, offered);
    SaveLoadUninit();
    SaveIndexUninit();
}

// The index cannot be written again (a folder stands at its temporary, as a read-only folder
// refuses it): the screens still list the games from their files and say nothing, and the box
// comes only when there is nothing to list. A slot whose game file is out of reach for a while
// (a link to an unmounted disk) stays listed with its name and comes back whole.
TEST(SaveIndexRebuild, AnIndexThatCannotBeWrittenOrAFileOutOfReachHidesNoSlot)
{
    TempHome home;
    ScopedWorld world;
    NewGameForTest(6, 7);
    ScopedSeason season;
    SaveIndexInit();
    SaveLoadInit();
    SaveLoadHooks.message = FakeMessage;
    std::snprintf(SaveIndex[1].name, SAVEINDEX_NAME_BYTES, "%s", "Ma carriere");
    SaveIndex_Describe(1);
    SaveIndex[1].used = 1;
    ASSERT_EQ(SaveIndex_SaveSlot(1), SAVEGAME_OK);

    const std::string save = HostPath(SaveGame_SaveName(1));
    std::filesystem::rename(save, save + ".away");
    std::filesystem::create_symlink(save + ".gone", save);
    SaveIndexInit();
    SaveLoad_SetMode(1);
    SaveLoad_Init();
    EXPECT_STREQ(SaveLoad.rowName[1], "Ma carriere");
    EXPECT_NE(LoadGame(1), SAVEGAME_OK);
    std::filesystem::remove(save);
    std::filesystem::rename(save + ".away", save);
    SaveIndexInit();
    SaveLoad_Init();
    EXPECT_STREQ(SaveLoad.rowName[1], "Ma carriere");
    EXPECT_EQ(LoadGame(1), SAVEGAME_OK);

    // Folders at the index's name and at the name a damaged index is moved to.
    std::filesystem::remove(HostPath(SAVEINDEX_FILE));
    std::filesystem::create_directories(HostPath(SAVEINDEX_FILE) + "/kept");
    std::filesystem::create_directories(HostPath(SAVEINDEX_DAMAGED_FILE) + "/kept");
    for (const bool games : {true, false}) {
        if (!games) {
            std::filesystem::remove(save);
            std::filesystem::remove(HostPath(SaveGame_PermName(1)));
        }
        SaveIndexInit();
        s_message = NO_MESSAGE;
        SaveLoad_Init();
        EXPECT_EQ(s_message, games ? NO_MESSAGE : TEXT_INDEX_UNREADABLE) << games;
        EXPECT_EQ(SaveLoad.shown[1], games ? 1 : 0) << games;
    }
    SaveLoadUninit();
    SaveIndexUninit();
}
