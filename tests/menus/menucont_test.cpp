// tests/menus/menucont_test.cpp: the screens' common header and the entries of its menu bar.
#include "menus/menucont.h"

#include <string>
#include <vector>

#include "engine/options.h"
#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/textmess.h"
#include "menus/frontend.h"
#include "menus/menupc.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t TEXT_OFFICE = 700;
constexpr int32_t TEXT_SAVE = 89;

std::vector<MenuListEntry*> EntriesWithLabel(int32_t label)
{
    std::vector<MenuListEntry*> found;
    for (MenuListEntry* e = MenuCont_BarDescription(); e->type != LIST_END; ++e) {
        if (e->type == LIST_ENTRY_TEXT_NO && MenuList_LabelTextNo(*e) == label) found.push_back(e);
    }
    return found;
}

void PrepareBar()
{
    MenuListRecord record{0, 0, reinterpret_cast<std::intptr_t>(MenuCont_BarDescription())};
    MenuCont_PrepareBar(&record);
}

bool Enabled(int32_t label) { return (EntriesWithLabel(label)[0]->flags & LIST_ENABLED) != 0; }

class MenuBarEntries : public ::testing::Test {
protected:
    MenuBarEntries()
    {
        FrontEndInit();
        Options.menuVolume = 8;
        MenuContInit();
    }
    ~MenuBarEntries() override { FrontEndUninit(); }

    // A world as loaded, nobody's club the human's: a human's post left by an earlier test would
    // open the club entries.
    ScopedWorld m_world;
};

}  // namespace

TEST_F(MenuBarEntries, TheEntryOfTheCurrentScreenIsDisabledInBothListsAndDoesNothing)
{
    MenuOption = MENU_OPTION_OFFICE;
    PrepareBar();
    const std::vector<MenuListEntry*> office = EntriesWithLabel(TEXT_OFFICE);
    ASSERT_EQ(office.size(), 2u);
    for (MenuListEntry* e : office) {
        EXPECT_EQ(e->flags & LIST_ENABLED, 0);
        EXPECT_EQ(MenuCont_BarHandler(e), LIST_CODE_KEEP);
    }
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
    MenuOption = 49;  // loading counts as saving
    PrepareBar();
    EXPECT_FALSE(Enabled(TEXT_SAVE));
    EXPECT_TRUE(Enabled(TEXT_OFFICE));
    EXPECT_EQ(MenuCont_BarHandler(office[1]), LIST_CODE_LEAVE);
    EXPECT_EQ(MenuOption, MENU_OPTION_OFFICE);
}

TEST_F(MenuBarEntries, RestrictedModeLeavesOnlyQuittingTheVolumeAndThePoints)
{
    MenuCont_FormatTitle(HEADER_RESTRICTED);
    PrepareBar();
    for (MenuListEntry* e = MenuCont_BarDescription(); e->type != LIST_END; ++e) {
        if (e->type != LIST_ENTRY_TEXT_NO) continue;
        const int32_t label = MenuList_LabelTextNo(*e);
        const bool kept = label == TEXT_QUIT || label == TEXT_VOLUME_UP || label == TEXT_VOLUME_DOWN
                          || label == 1050;
        EXPECT_EQ((e->flags & LIST_ENABLED) != 0, kept) << label;
        if (!kept) {
            EXPECT_EQ(MenuCont_BarHandler(e), LIST_CODE_KEEP);
        }
    }
    EXPECT_EQ(MenuOption, MENU_OPTION_TITLE);
}

TEST_F(MenuBarEntries, TheVolumeStaysWithinZeroToTenAndTheGaugeMarksIt)
{
    MenuListEntry* up = EntriesWithLabel(TEXT_VOLUME_UP)[0];
    MenuListEntry* down = EntriesWithLabel(TEXT_VOLUME_DOWN)[0];
    PrepareBar();
    Options.menuVolume = 10;
    EXPECT_EQ(MenuCont_BarHandler(up), LIST_CODE_KEEP);
    EXPECT_EQ(Options.menuVolume, 10);
    EXPECT_EQ(std::string(MenuContVolumeGauge), " . . . . . . . . . . |");
    Options.menuVolume = 0;
    EXPECT_EQ(MenuCont_BarHandler(down), LIST_CODE_KEEP);
    EXPECT_EQ(Options.menuVolume, 0);
    EXPECT_EQ(std::string(MenuContVolumeGauge), " | . . . . . . . . . .");
}

TEST_F(MenuBarEntries, TheMessageFilterIsCheckedWhereItStands)
{
    MenuListEntry* all = EntriesWithLabel(TEXT_ALL_MESSAGES)[0];
    EXPECT_EQ(MenuCont_BarHandler(all), LIST_CODE_CLOSE_QUIET);
    EXPECT_EQ(MessageFilter, 1);
    PrepareBar();
    EXPECT_NE(all->flags & LIST_CHECKED, 0);
    EXPECT_EQ(EntriesWithLabel(TEXT_DIVISION_MESSAGES)[0]->flags & LIST_CHECKED, 0);
}

TEST_F(MenuBarEntries, EveryLabelOfTheBarLeadsSomewhere)
{
    for (MenuListEntry* e = MenuCont_BarDescription(); e->type != LIST_END; ++e) {
        if (e->type == LIST_ENTRY_TEXT_NO) {
            EXPECT_NE(MenuCont_OptionOfLabel(MenuList_LabelTextNo(*e)), -1)
                << MenuList_LabelTextNo(*e);
        }
    }
    EXPECT_EQ(MenuCont_OptionOfLabel(1014), 52);
    EXPECT_EQ(MenuCont_OptionOfLabel(12345), -1);
}

class MenuHeader : public ::testing::Test {
protected:
    void SetUp() override
    {
        NewGameForTest(0, 17);
        VTW_SetClubControl(0, MANAGER_HUMAN);
        GameState.currentClub = 0;
        FrontEndInit();
    }
    void TearDown() override { FrontEndUninit(); }

    ScopedWorld m_world;
};

TEST_F(MenuHeader, FlagsFillTheEmblemClubTheDateAndTheRestriction)
{
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    EXPECT_EQ(MenuContHeaderClub, VTW_GetTeam(0));
    EXPECT_EQ(std::string(MenuContDateLine1), std::string(GetMessageText(2 + VTW_GetWeekday()))
                                                  + " " + std::to_string(VTW_GetDayOfMonth()));
    EXPECT_EQ(std::string(MenuContDateLine2), std::string(GetMessageText(9 + VTW_GetMonth())) + " "
                                                  + std::to_string(VTW_GetYear()));
    EXPECT_EQ(MenuContRestricted, 0);
    MenuCont_FormatTitle(HEADER_RESTRICTED);
    EXPECT_EQ(MenuContHeaderClub, -1);
    EXPECT_STREQ(MenuContDateLine1, "");
    EXPECT_EQ(MenuContRestricted, 1);
}

TEST_F(MenuHeader, TrainingIsOfferedOnlyWithTheClauseBeforeTheTrainingDay)
{
    const int32_t clause = VTW_GetClubTrainingClause(0);
    GameState.trainingDay = 200;
    GameState.dayNo = 100;
    PrepareBar();
    EXPECT_EQ(Enabled(TEXT_TRAINING), clause != 0);
    GameState.dayNo = 250;
    PrepareBar();
    EXPECT_FALSE(Enabled(TEXT_TRAINING));
}

TEST_F(MenuHeader, StatisticsAreOfferedOnlyToAManagerWithAPost)
{
    VTW_SetClubControl(0, MANAGER_HUMAN);
    PrepareBar();
    EXPECT_TRUE(Enabled(167));
    VTW_SetClubControl(0, MANAGER_COMPUTER);
    PrepareBar();
    EXPECT_FALSE(Enabled(167));
}

TEST_F(MenuHeader, ThePlayerSearchAndTheAnalysisNeedAPost)
{
    for (const int32_t label : {252, 497}) {
        VTW_SetClubControl(0, MANAGER_HUMAN);
        PrepareBar();
        EXPECT_TRUE(Enabled(label)) << label;
        VTW_SetClubControl(0, MANAGER_COMPUTER);
        PrepareBar();
        EXPECT_FALSE(Enabled(label)) << label;
    }
}

TEST(MenuBarLoop, ThePointerAtTheTopOpensTheBarAndBelowItClosesIt)
{
    ScopedMenuDisplay display(true);
    FrontEndInit();
    FrontEnd_RegisterLoopSteps();
    static std::vector<int32_t> seen;
    seen.clear();
    MenuInputs inputs;
    inputs.push_back({100, MenuInput::MOVE, 600, 2, {}});
    inputs.push_back({130, MenuInput::CALL, 0, 0, [] { seen.push_back(MenuBar_IsOpen()); }});
    inputs.push_back({140, MenuInput::MOVE, 600, 22, {}});
    inputs.push_back({170, MenuInput::CALL, 0, 0, [] { seen.push_back(MenuBar_IsOpen()); }});
    ScopedMenuScript script(inputs, 20);
    DispatchOption(MENU_OPTION_TITLE);
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 0}));
    FrontEndUninit();
}
