// "Ralenti": ten slot files of every kind listed with the right label and style, only valid rows
// acting on a click, and a listed slot that the load refuses sending the player back to the title
// with the next match left a real one.
#include "menus/replayslots.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/memory.h"
#include "engine/userfile.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/support.h"

namespace {

// A slot file as the save writes it, then cut, lengthened or retagged.
void MakeSlot(int32_t slot, const std::string& description, long sizeChange = 0,
              const char* tag = "RP01")
{
    ReplaySlotHeader header{};
    std::memcpy(header.tag, tag, 4);
    std::memcpy(header.description, description.data(),
                std::min(description.size(), sizeof header.description));
    const RecorderBlock recorder{};
    MatchDayBlock matchDay{};
    const std::vector<ReplayFrame> frames(REPLAY_FRAMES);
    ASSERT_EQ(ReplayFile_Save(slot, header, recorder, matchDay, frames.data()), USERFILE_OK);
    if (sizeChange == 0) return;
    char name[16];
    ReplayFile_Name(slot, name);
    std::vector<uint8_t> bytes;
    ASSERT_EQ(UserFile_Read(name, REPLAY_FILE_BYTES, &bytes), USERFILE_OK);
    bytes.resize(bytes.size() + sizeChange);
    ASSERT_EQ(UserFile_Write(name, bytes.data(), bytes.size()), USERFILE_OK);
}

MenuHotspot Row(int32_t slot)
{
    MenuHotspot hotspot{};
    hotspot.row = static_cast<uint8_t>(slot);
    return hotspot;
}

class ReplaySlotsTest : public testing::Test {
protected:
    void SetUp() override
    {
        MenuOption = MENU_OPTION_TITLE;
        MatchShared = {};
    }

    TempHome m_home;
    ScopedWorld m_world;
    ScopedMenuDisplay m_display{true};
};

}  // namespace

TEST_F(ReplaySlotsTest, RowsShowEachFileAsListedOrEmptyAndOnlyListedOnesAct)
{
    const std::string longText(REPLAY_DESCRIPTION_BYTES, 'z');
    MakeSlot(0, " 1: valide");
    MakeSlot(1, " 2: court", 131 - static_cast<long>(REPLAY_FILE_BYTES));
    MakeSlot(2, " 3: etiquette", 0, "RP02");
    MakeSlot(3, " 4: long", 1);
    MakeSlot(4, " 5: court d'un octet", -1);
    MakeSlot(5, longText);
    MakeSlot(6, "<choisi>");
    MakeSlot(9, "10: dernier");
    ExpectGoldenHash("menus/replay_slots", FirstBuildHash(ReplaySlots_Table(), "replay_slots.png"));
    EXPECT_EQ(MenuOption, MENU_OPTION_TITLE);  // left by Escape
    ReplaySlots_Init();
    const std::string empty = "<" + std::string(GetMessageText(1660)) + ">";
    struct Expected {
        bool listed;
        std::string label;
    };
    // clang-format off
    const std::vector<Expected> rows = {
        {true, " 1: valide"},
        {false, " 2: " + empty},
        {false, " 3: " + empty},
        {false, " 4: " + empty},
        {false, " 5: " + empty},
        {true, " 6: " + std::string(REPLAY_DESCRIPTION_BYTES - 1, 'z')},
        {false, " 7: <choisi>"},
        {false, " 8: " + empty},
        {false, " 9: " + empty},
        {true, "10: dernier"},
    };
    // clang-format on
    for (int32_t slot = 0; slot < REPLAY_SLOT_COUNT; ++slot) {
        const bool listed = rows[slot].listed;
        SCOPED_TRACE(slot);
        EXPECT_EQ(std::string(listed ? ReplaySlots.validLabel[slot] : ReplaySlots.emptyLabel[slot]),
                  rows[slot].label);
        EXPECT_STREQ(listed ? ReplaySlots.emptyLabel[slot] : ReplaySlots.validLabel[slot], "");
        MenuHotspot hotspot = Row(slot);
        MenuOption = MENU_OPTION_TITLE;
        MatchShared.replayState = REPLAY_NORMAL;
        EXPECT_EQ(ReplaySlots_RowClicked(&hotspot), listed ? EXM_CODE_LEAVE : EXM_CODE_NONE);
        EXPECT_EQ(MenuOption, listed ? 56 : MENU_OPTION_TITLE);
        EXPECT_EQ(MatchShared.replayState, listed ? REPLAY_WATCH : REPLAY_NORMAL);
        if (listed) {
            EXPECT_EQ(MatchShared.replaySlot, slot);
        }
    }
    EXPECT_EQ(Replay_CountSaved(), 8);  // counted, whatever they hold
    MatchShared.replayState = REPLAY_NORMAL;
    EXPECT_EQ(ReplaySlots_Back(nullptr), EXM_CODE_LEAVE);
    EXPECT_EQ(MenuOption, MENU_OPTION_TITLE);
    EXPECT_EQ(MatchShared.replayState, REPLAY_NORMAL);
}

// A slot listed by its length and tag but refused by the load (its recorder holds no frame):
// the player is back on the title with "Le chargement a échoué" and the next match is played,
// not taken for a replay.
TEST_F(ReplaySlotsTest, ARefusedSlotReturnsToTheTitleAndLeavesTheNextMatchAMatch)
{
    MakeSlot(2, " 3: vide");
    FrontEndInit();
    FrontEnd_RegisterLoopSteps();
    MatchPresentation_SetDefaults();
    MenuOption = 55;
    MenuInputs inputs;
    AddClick(&inputs, 100, 320, 80 + 35 * 2 + 16);
    AddClick(&inputs, 400, 320, 240);  // the message box
    ScopedMenuScript script(inputs);
    DispatchNext();
    ASSERT_EQ(MenuOption, 56);
    EXPECT_EQ(MatchShared.replayState, REPLAY_WATCH);
    DispatchNext();
    EXPECT_EQ(MenuOption, MENU_OPTION_TITLE);
    EXPECT_EQ(MatchShared.replayState, REPLAY_NORMAL);
    EXPECT_GT(ScopedMenuScript::Elapsed(), 400u);  // the box waited for its click

    static int32_t loads;
    loads = 0;
    MatchPresentationOps.Replay_Load = [](int32_t) { return ++loads, 0; };
    Match_ResetWords();
    ASSERT_EQ(StartMatchSession(), 1);
    ShutdownMatchView();
    EXPECT_EQ(loads, 0);
    MatchPresentation_SetDefaults();
    FrontEndUninit();
}
