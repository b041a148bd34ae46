// tests/menus/playersearch_test.cpp: the search and analysis screen's bars, pages, editors,
// drop-downs, presets, shirt swaps and roles over the real menu loop, and its frame.
#include "menus/playersearch.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/records.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/tables.h"
#include "game/tactics.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menubar.h"
#include "menus/menupc.h"
#include "menus/textinput.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_redraw.h"
#include "tests/support/support.h"

namespace {

class PlayerSearchScreenTest : public ::testing::Test {
protected:
    // Runs the screen of the option and `check` once its first build shows.
    void Run(int16_t option, const std::function<void()>& check)
    {
        MenuOption = option;
        m_screen.Run(PlayerSearch_Table(), check);
    }
    // A popup's entry chosen as the menu bar would: its prepare callback, then its handler.
    static int32_t Choose(MenuListEntry* popup, int32_t text)
    {
        MenuListRecord record{1, 0, 0};
        popup[0].prepare(&record);
        for (MenuListEntry* e = popup + 1; e->type != LIST_END; ++e) {
            if (e->type != 0 && MenuList_LabelTextNo(*e) == text) return e->handler(e);
        }
        ADD_FAILURE() << "no entry " << text;
        return 0;
    }
    static MenuListEntry* Entry(MenuListEntry* popup, int16_t spare)
    {
        for (MenuListEntry* e = popup + 1; e->type != LIST_END; ++e) {
            if (e->spare[0] == spare && e->type != LIST_LINE_STRING_VAR) return e;
        }
        return nullptr;
    }
    static void Rebuild() { PlayerSearch_Init(); }
    static std::vector<int16_t> List()
    {
        return {SearchList.players, SearchList.players + SearchList.count};
    }
    // The whole world within reach of the filters.
    static void OpenSearch()
    {
        SearchSetup.countryMask = 7;
        SearchSetup.maxWage = SearchSetup.maxValue = SEARCH_MONEY_MAX;
        SearchListDirty = 1;
        Rebuild();
    }

    ScopedScreenRedraw m_screen;
};

using PlayerSearchScreenDeathTest = PlayerSearchScreenTest;

// With PELLORAN_SEARCH_PNG set, the work screen goes to build/test-output for a person to look at.
void DumpWorkScreen(const char* name)
{
    if (std::getenv("PELLORAN_SEARCH_PNG") == nullptr) return;
    std::vector<uint8_t> rgb;
    for (int32_t i = 0; i < MenuScreen.width * MenuScreen.height; ++i) {
        uint16_t pixel = 0;
        std::memcpy(&pixel, MenuScreen.workScreen + 2 * i, sizeof pixel);
        const uint32_t colour = FrameRgbOf(pixel);
        rgb.push_back(static_cast<uint8_t>(colour >> 16));
        rgb.push_back(static_cast<uint8_t>(colour >> 8));
        rgb.push_back(static_cast<uint8_t>(colour));
    }
    WriteTestOutputPng(name, MenuScreen.width, MenuScreen.height, rgb);
}

}  // namespace

TEST_F(PlayerSearchScreenTest, EachBarControlStoresItsValueOnceInBothModes)
{
    struct Case {
        uint8_t mode;
        int32_t value;            // 0 the left icon, 100 the right one, else the bar
        int16_t minimum, weight;  // before
        int32_t code;
        int16_t minimumAfter, weightAfter;
    };
    const Case cases[] = {
        // Search: the minimum, seeding an unset weight; clearing keeps the weight.
        {0, 70, 0, 0, 2, 70, 70},
        {0, 70, 0, 30, 2, 70, 30},
        {0, 70, 70, 30, 1, 70, 30},
        {0, 0, 70, 70, 2, 0, 70},
        {0, 0, 0, 70, 1, 0, 70},
        {0, 100, 20, 0, 2, 100, 100},
        {0, 100, 100, 5, 1, 100, 5},
        // Analysis: the weight only.
        {1, 45, 10, 0, 2, 10, 45},
        {1, 45, 10, 45, 1, 10, 45},
        {1, 0, 10, 45, 2, 10, 0},
        {1, 100, 0, 100, 1, 0, 100},
        {1, 100, 0, 3, 2, 0, 100},
    };
    Run(OPTION_PLAYER_SEARCH, [&] {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.value));
            const int32_t row = 9;
            PlayerSearchMode = c.mode;
            SearchMinimums[row] = c.minimum;
            SearchWeights[row] = c.weight;
            SearchListDirty = 0;
            EXPECT_EQ(PlayerSearch_SetBar(row, c.value), c.code);
            EXPECT_EQ(SearchMinimums[row], c.minimumAfter);
            EXPECT_EQ(SearchWeights[row], c.weightAfter);
            EXPECT_EQ(SearchListDirty, c.code == 2 ? 1u : 0u);
        }
    });
    // One pixel is one unit; the bar's own last pixel gives 99, the right icon 100.
    EXPECT_EQ(PlayerSearch_BarValueAt(SEARCH_BAR_X), 0);
    EXPECT_EQ(PlayerSearch_BarValueAt(578), 70);
    EXPECT_EQ(PlayerSearch_BarValueAt(SEARCH_BAR_X + SEARCH_BAR_W - 1), 99);
    EXPECT_EQ(PlayerSearch_BarValueAt(SEARCH_BAR_X + SEARCH_BAR_W + 5), 99);
}

TEST_F(PlayerSearchScreenTest, PagesOfFifteenStopAtBothEndsAndAShrunkListGoesBackToTheFirst)
{
    Run(OPTION_PLAYER_SEARCH, [&] {
        OpenSearch();
        const int32_t count = SearchList.count;
        ASSERT_GT(count, 40);
        EXPECT_EQ(PlayerSearch_PageUp(), 1);
        int32_t downs = 0;
        while (PlayerSearch_PageDown() == 2) {
            ++downs;
        }
        EXPECT_EQ(downs, (count + 14) / 15 - 1);
        EXPECT_EQ(SearchSetup.firstRow, downs * 15);
        EXPECT_EQ(PlayerSearch_PageDown(), 1);
        EXPECT_EQ(PlayerSearch_PageUp(), 2);
        EXPECT_EQ(SearchSetup.firstRow, (downs - 1) * 15);
        // A minimum that leaves a handful: the page goes back to the first.
        PlayerSearch_SetBar(9, 90);
        Rebuild();
        EXPECT_GT(SearchList.count, 0);
        EXPECT_EQ(SearchSetup.firstRow, 0);
        EXPECT_EQ(PlayerSearchScreen.page, 1);
        // Nobody at all: the list is empty and neither arrow moves.
        SearchSetup.ages[0] = SearchSetup.ages[1] = 16;
        PlayerSearch_SetBar(9, 100);
        Rebuild();
        EXPECT_EQ(SearchList.count, 0);
        EXPECT_EQ(PlayerSearch_PageDown(), 1);
        EXPECT_EQ(PlayerSearch_PageUp(), 1);
        EXPECT_EQ(PlayerSearch_RowName(0), 1);
        EXPECT_EQ(PlayerSearch_RowMarker(0), 1);
    });
}

TEST_F(PlayerSearchScreenTest, TheColumnsTheCaptionTheResetAndTheDisplayToggles)
{
    Run(OPTION_PLAYER_SEARCH, [&] {
        for (const int32_t row : {0, 2, 4, 6, 8, 10, 12}) {
            SearchWeights[row] = 50;
        }
        SearchSetup.displayMode = 2;
        Rebuild();
        // Seven weighted, five shown: the offset runs 0-2.
        EXPECT_EQ(PlayerSearch_ColumnLeft(), 1);
        EXPECT_EQ(PlayerSearch_ColumnRight(), 2);
        EXPECT_EQ(PlayerSearch_ColumnRight(), 2);
        EXPECT_EQ(PlayerSearch_ColumnRight(), 1);
        EXPECT_EQ(SearchSetup.columnOffset, 2);
        EXPECT_EQ(PlayerSearch_ColumnLeft(), 2);

        // "Valeur minimum" / "Priorité" switches what the bars show; "Réinitialiser" clears it.
        SearchMinimums[3] = 40;
        EXPECT_EQ(PlayerSearch_ShownSet(), SearchMinimums);
        EXPECT_EQ(PlayerSearch_SwitchCriteria(), 2);
        EXPECT_EQ(PlayerSearch_ShownSet(), SearchWeights);
        EXPECT_EQ(PlayerSearch_ResetShown(), 2);
        EXPECT_EQ(std::count(std::begin(SearchWeights), std::end(SearchWeights), 0), 18);
        EXPECT_EQ(SearchMinimums[3], 40);
        EXPECT_EQ(PlayerSearch_SwitchCriteria(), 2);
        EXPECT_EQ(PlayerSearch_ResetShown(), 2);
        EXPECT_EQ(SearchMinimums[3], 0);

        // "Graph." and "Num.": never both off.
        EXPECT_EQ(PlayerSearch_ToggleDisplay(true), 2);
        EXPECT_EQ(PlayerSearch_ToggleDisplay(false), 1);
        EXPECT_EQ(SearchSetup.numbers, 1);
        EXPECT_EQ(PlayerSearch_ToggleDisplay(true), 2);
        EXPECT_EQ(PlayerSearch_ToggleDisplay(false), 2);
        EXPECT_EQ(PlayerSearch_ToggleDisplay(true), 1);
        EXPECT_EQ(SearchSetup.graph, 1);
        EXPECT_EQ(SearchSetup.numbers, 0);
    });
    Run(OPTION_SQUAD_ANALYSIS, [] { EXPECT_EQ(PlayerSearch_SwitchCriteria(), 1); });
}

// The money box's caption, the club's figure and the eight digits: each whole inside the box and
// clear of the others, with the wage limit's long caption and with a budget of nine figures.
TEST_F(PlayerSearchScreenTest, TheMoneyBoxsTextsStayInsideItAndClearOfEachOther)
{
    constexpr MenuRect BOX = {476, 396, 132, 42};
    const auto letters = [](const MenuRect& r) {
        return MenuRect{r.x, r.y + r.h / 4, r.w, r.h - r.h / 2};
    };
    const auto meet = [](const MenuRect& a, const MenuRect& b) {
        return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
    };
    Run(OPTION_PLAYER_SEARCH, [&] {
        Club_SetBalance(m_screen.HumanClub(), (1 << 27) - 1);
        for (const bool value : {false, true}) {
            PlayerSearch_EditMaximum(value);
            ScopedDrawnTexts drawn;
            EXM_RedrawNow();
            std::vector<DrawnText> inBox;
            for (const DrawnText& t : drawn.Texts()) {
                if (meet(t.rect, BOX)) inBox.push_back(t);
            }
            EXPECT_EQ(inBox.size(), 10u) << value;  // the caption, the figure, eight digits
            for (size_t i = 0; i < inBox.size(); ++i) {
                const MenuRect a = letters(inBox[i].rect);
                EXPECT_TRUE(a.x > BOX.x && a.x + a.w < BOX.x + BOX.w && a.y > BOX.y
                            && a.y + a.h < BOX.y + BOX.h)
                    << inBox[i].text;
                for (size_t j = i + 1; j < inBox.size(); ++j) {
                    EXPECT_FALSE(meet(a, letters(inBox[j].rect)))
                        << inBox[i].text << " meets " << inBox[j].text;
                }
            }
        }
    });
}

TEST_F(PlayerSearchScreenTest, TheMoneyDigitsAndTheAgesWrapAsTheyShould)
{
    Run(OPTION_PLAYER_SEARCH, [&] {
        const int32_t club = m_screen.HumanClub();
        EXPECT_EQ(PlayerSearch_EditMaximum(true), 1);
        EXPECT_EQ(PlayerSearch_EditMaximum(false), 2);
        EXPECT_EQ(PlayerSearch_TakeMaximum(), 2);
        EXPECT_EQ(SearchSetup.maxWage, VTW_GetClubMaxWageOffer(club));
        EXPECT_EQ(PlayerSearch_TakeMaximum(), 1);
        EXPECT_EQ(PlayerSearch_EditMaximum(true), 2);
        // A budget past eight digits stops at 99,999,999.
        Club_SetBalance(club, (1 << 27) - 1);
        EXPECT_EQ(PlayerSearch_TakeMaximum(), 2);
        EXPECT_EQ(SearchSetup.maxValue,
                  std::min(SEARCH_MONEY_MAX, VTW_GetClubTransferBudget(club) / 1000 * 1000));
        EXPECT_LE(SearchSetup.maxValue, SEARCH_MONEY_MAX);

        struct Digit {
            int32_t before, digit;
            bool up;
            int32_t after;
        };
        const Digit digits[] = {
            {1000009, 7, true, 1000000},  {1000009, 7, false, 1000008},
            {1000000, 7, false, 1000009}, {1000000, 0, true, 11000000},
            {99999999, 0, true, 9999999}, {0, 0, false, 90000000},
            {1234567, 4, true, 1235567},  {1234567, 4, false, 1233567},
        };
        for (const Digit& d : digits) {
            SearchSetup.maxValue = d.before;
            EXPECT_EQ(PlayerSearch_StepDigit(d.digit, d.up), 2);
            EXPECT_EQ(SearchSetup.maxValue, d.after) << d.before << " " << d.digit;
        }

        struct Age {
            int16_t before;
            int32_t step;
            bool up;
            int16_t after;
        };
        const Age ages[] = {
            {20, 1, true, 21},   {40, 1, true, 16},   {16, 1, false, 40}, {35, 10, true, 40},
            {31, 10, true, 40},  {40, 10, true, 16},  {30, 10, true, 40}, {25, 10, false, 16},
            {16, 10, false, 40}, {26, 10, false, 16}, {27, 10, true, 37},
        };
        for (const Age& a : ages) {
            SearchSetup.ages[1] = a.before;
            PlayerSearch_StepAge(1, a.step, a.up);
            EXPECT_EQ(SearchSetup.ages[1], a.after) << a.before << " " << a.step << " " << a.up;
        }
        // The build puts the two in order.
        SearchSetup.ages[0] = 33;
        SearchSetup.ages[1] = 18;
        Rebuild();
        EXPECT_EQ(SearchSetup.ages[0], 18);
        EXPECT_EQ(SearchSetup.ages[1], 33);
    });
}

TEST_F(PlayerSearchScreenTest, RowMarkersMarkInMarkModeAndElseSwapTheHumansShirts)
{
    Run(OPTION_PLAYER_SEARCH, [&] {
        const int32_t club = m_screen.HumanClub();
        OpenSearch();
        // Mark mode: in and out of the mark list, never a swap.
        SearchSetup.markMode = 1;
        const int16_t first = SearchList.players[0];
        const int32_t shirt = VTW_GetPlayerShirt(first);
        EXPECT_EQ(PlayerSearch_RowMarker(0), 2);
        EXPECT_EQ(ShortList2_Contains(first), 1);
        EXPECT_EQ(PlayerSearch_RowMarker(1), 2);
        EXPECT_EQ(PlayerSearch_RowMarker(0), 2);
        EXPECT_EQ(ShortList2_Contains(first), 0);
        EXPECT_EQ(VTW_GetPlayerShirt(first), shirt);
        EXPECT_EQ(SearchSetup.selected, -1);
        // "Joueurs marqués uniquement": the mark list alone.
        PlayerSearch_RowMarker(2);
        EXPECT_EQ(Choose(PlayerSearch_PresetPopup(), 2292), LIST_CODE_KEEP);
        Rebuild();
        std::vector<int16_t> marked = {SearchList.players[0], SearchList.players[1]};
        EXPECT_EQ(static_cast<int32_t>(marked.size()), SearchList.count);
        for (const int16_t p : List()) {
            EXPECT_EQ(ShortList2_Contains(p), 1);
        }
        EXPECT_EQ(Choose(PlayerSearch_PresetPopup(), 2292), LIST_CODE_KEEP);
        EXPECT_EQ(Choose(PlayerSearch_PresetPopup(), 2291), LIST_CODE_KEEP);
        EXPECT_EQ(SearchSetup.markMode, 0);

        // Outside mark mode the human's own players swap shirts; the new number 1 hands his
        // set-piece roles over. Nobody else's player can be selected.
        SearchSetup.ownClub = 1;
        SearchSetup.countryMask = 0;  // his own players and nobody else
        SearchSetup.sortKey = 25;
        SearchListDirty = 1;
        Rebuild();
        VTW_RefreshSquadCount(club);
        const int32_t keeper = VTW_GetPlayerByShirt(1), other = VTW_GetPlayerByShirt(7);
        VTW_SetClubCornerTaker(club, other);
        VTW_SetClubPenaltyTaker(club, other);
        const auto rowOf = [](int32_t p) {
            const std::vector<int16_t> list = List();
            return static_cast<int32_t>(std::find(list.begin(), list.end(), p) - list.begin());
        };
        ASSERT_LT(rowOf(keeper), 15);
        ASSERT_LT(rowOf(other), 15);
        EXPECT_EQ(PlayerSearch_RowMarker(rowOf(keeper)), 2);
        EXPECT_EQ(SearchSetup.selected, keeper);
        EXPECT_EQ(PlayerSearch_RowMarker(rowOf(other)), 2);
        EXPECT_EQ(VTW_GetPlayerShirt(other), 1);
        EXPECT_EQ(VTW_GetPlayerShirt(keeper), 7);
        EXPECT_EQ(Club_GetRecordAddress(club)->cornerTaker, keeper);
        EXPECT_EQ(Club_GetRecordAddress(club)->penaltyTaker, keeper);
        EXPECT_EQ(SearchSetup.selected, -1);
        // Anybody else's player cannot be picked.
        SearchSetup.countryMask = 7;
        SearchSetup.ownClub = 0;
        SearchListDirty = 1;
        Rebuild();
        ASSERT_NE(VTW_GetPlayerClub(SearchList.players[0]), club);
        EXPECT_EQ(PlayerSearch_RowMarker(0), 1);
        EXPECT_EQ(SearchSetup.selected, -1);
    });
}

TEST_F(PlayerSearchScreenTest, AnOwnPlayerOnLoanElsewhereIsNeverSwapped)
{
    Run(OPTION_PLAYER_SEARCH, [&] {
        const int32_t club = m_screen.HumanClub();
        VTW_RefreshSquadCount(club);
        const int32_t loaned = VTW_GetPlayerByShirt(5);
        DbPlayers[loaned].flags |= PLAYER_ON_LOAN;
        SearchSetup.ownClub = 1;
        SearchSetup.countryMask = 0;
        SearchSetup.sortKey = 25;
        SearchListDirty = 1;
        Rebuild();
        const std::vector<int16_t> list = List();
        const auto at = std::find(list.begin(), list.end(), loaned);
        ASSERT_NE(at, list.end());
        const int32_t index = static_cast<int32_t>(at - list.begin());
        SearchSetup.firstRow = static_cast<int16_t>(index / 15 * 15);
        EXPECT_EQ(PlayerSearch_RowMarker(index % 15), 1);
        EXPECT_EQ(SearchSetup.selected, -1);
    });
}

TEST_F(PlayerSearchScreenTest, EachSortEntrySetsItsSlotAndTheAnalysisTakesAKeyBack)
{
    struct Case {
        int16_t option;
        int32_t text;
        uint16_t slot;
    };
    const Case cases[] = {
        {OPTION_PLAYER_SEARCH, 859, 1},    {OPTION_PLAYER_SEARCH, 586, 5},
        {OPTION_PLAYER_SEARCH, 1092, 36},  {OPTION_PLAYER_SEARCH, 60, 3},
        {OPTION_PLAYER_SEARCH, 61, 2},     {OPTION_PLAYER_SEARCH, 240, 27},
        {OPTION_PLAYER_SEARCH, 63, 28},    {OPTION_SQUAD_ANALYSIS, 859, 1},
        {OPTION_SQUAD_ANALYSIS, 62, 30},   {OPTION_SQUAD_ANALYSIS, 67, 29},
        {OPTION_SQUAD_ANALYSIS, 1092, 36}, {OPTION_SQUAD_ANALYSIS, 61, 2},
        {OPTION_SQUAD_ANALYSIS, 64, 31},
    };
    for (const Case& c : cases) {
        Run(c.option, [&] {
            SCOPED_TRACE(c.text);
            MenuListEntry* popup = c.option == OPTION_PLAYER_SEARCH
                                       ? PlayerSearch_SortPopup()
                                       : PlayerSearch_AnalysisSortPopup();
            SearchSetup.sortKey = PICKLIST_NO_KEY;
            SearchListDirty = 0;
            EXPECT_EQ(Choose(popup, c.text), LIST_CODE_KEEP);
            EXPECT_EQ(SearchSetup.sortKey, c.slot);
            EXPECT_EQ(SearchListDirty, 1u);
            Rebuild();
            EXPECT_EQ(PickList5[0], c.slot);
            EXPECT_EQ(Choose(popup, c.text), LIST_CODE_KEEP);
            EXPECT_EQ(SearchSetup.sortKey,
                      c.option == OPTION_PLAYER_SEARCH ? c.slot : PICKLIST_NO_KEY);
            // "Catégorie" puts the line first.
            EXPECT_EQ(Choose(popup, 439), LIST_CODE_KEEP);
            Rebuild();
            EXPECT_EQ(PickList5[0], 6);
            EXPECT_EQ(Choose(popup, 439), LIST_CODE_KEEP);
        });
    }
}

TEST_F(PlayerSearchScreenTest, TheCriteriaAndTypeChoicesFilterAndFallBack)
{
    Run(OPTION_PLAYER_SEARCH, [&] {
        MenuListEntry* criteria = PlayerSearch_CriteriaPopup();
        MenuListRecord record{1, 0, 0};
        criteria[0].prepare(&record);
        // One entry per division of the country, no more, whatever its count (2 to 6).
        const int16_t career = GameState.country;
        std::vector<int32_t> counts;
        for (int16_t country = 0; country < COUNTRY_COUNT; ++country) {
            GameState.country = country;
            criteria[0].prepare(&record);
            int32_t divisions = 0;
            for (int32_t d = 0; d < DIVISION_MAX; ++d) {
                divisions += Entry(criteria, static_cast<int16_t>(6 + d))->type != 0;
            }
            EXPECT_EQ(divisions, VTW_GetCountryDivisions()) << country;
            counts.push_back(divisions);
        }
        GameState.country = career;
        criteria[0].prepare(&record);
        EXPECT_EQ(*std::min_element(counts.begin(), counts.end()), 2);
        EXPECT_EQ(*std::max_element(counts.begin(), counts.end()), 6);
        EXPECT_EQ(Choose(criteria, 2284), LIST_CODE_KEEP);
        EXPECT_EQ(SearchSetup.countryMask, 3);
        EXPECT_EQ(Choose(criteria, 2281), LIST_CODE_KEEP);
        EXPECT_EQ(Choose(criteria, 2282), LIST_CODE_KEEP);
        EXPECT_EQ(SearchSetup.ownClub, 0);
        EXPECT_EQ(SearchSetup.sameLine, 1);
        MenuListEntry* division = Entry(criteria, 7);
        EXPECT_EQ(division->handler(division), LIST_CODE_KEEP);
        EXPECT_EQ(SearchSetup.divisions[1], 0);

        MenuListEntry* type = PlayerSearch_TypePopup();
        EXPECT_EQ(Choose(type, FOOT_LEFT), LIST_CODE_KEEP);
        EXPECT_EQ(SearchSetup.foot, FOOT_LEFT);
        EXPECT_EQ(Choose(type, FOOT_LEFT), LIST_CODE_KEEP);
        EXPECT_EQ(SearchSetup.foot, FOOT_ANY);
        EXPECT_EQ(Choose(type, STATUS_TRANSFER_LIST), LIST_CODE_KEEP);
        EXPECT_EQ(Choose(type, STATUS_TRANSFER_LIST), LIST_CODE_KEEP);
        EXPECT_EQ(SearchSetup.status, STATUS_ANY);
        EXPECT_EQ(Choose(type, 565), LIST_CODE_KEEP);
        EXPECT_EQ(SearchSetup.lines[1], 0);
        EXPECT_EQ(Choose(type, 1070), LIST_CODE_KEEP);
        EXPECT_EQ(SearchSetup.withoutContract, 1);
        type[0].prepare(&record);
        EXPECT_TRUE((Entry(type, 1070)->flags & LIST_CHECKED) != 0);
    });
}

// "Type-Joueur" clicked open over the real menu loop: each click ticks its choice while the popup
// stays open; "Sans contrat" toggles alone, and a status chosen again falls back to "Tout statut".
TEST_F(PlayerSearchScreenTest, EachTypeChoiceIsTickedAtOnceWhileThePopupStaysOpen)
{
    MenuListEntry* type = PlayerSearch_TypePopup();
    const auto ticks = [type] {
        std::string shown;
        for (int16_t text : {int16_t(STATUS_TRANSFER_LIST), int16_t(1070), int16_t(STATUS_ANY)}) {
            shown += (Entry(type, text)->flags & LIST_CHECKED) != 0 ? 'x' : '.';
        }
        return shown;
    };
    // The popup opens above its button: row r's middle is at y 170 + 2 + 18 r + 9.
    const auto row = [](int32_t r) { return 181 + 18 * r; };
    std::vector<std::string> seen;
    const auto look = [&] {
        EXPECT_EQ(MenuBar_IsOpen(), 1);
        seen.push_back(ticks());
    };
    MenuInputs inputs;
    AddClick(&inputs, 300, 300, 455);             // past the first build's wipe
    const int32_t clicks[] = {13, 13, 9, 9, 13};  // "Sans contrat" twice, "Liste des transferts"
    uint32_t tick = 330;
    for (int32_t r : clicks) {
        AddClick(&inputs, tick, 300, row(r));
        inputs.push_back({tick + 20, MenuInput::CALL, 0, 0, look});
        tick += 30;
    }
    SearchSetup.status = STATUS_ANY;
    SearchSetup.withoutContract = 0;
    MenuOption = OPTION_PLAYER_SEARCH;
    m_screen.Run(
        PlayerSearch_Table(), [] {}, inputs);
    const std::vector<std::string> expected = {".xx", "..x", "x..", "..x", ".xx"};
    EXPECT_EQ(seen, expected);
}

TEST_F(PlayerSearchScreenTest, APresetSavedUnderItsNameComesBackWithEverySetting)
{
    Run(OPTION_PLAYER_SEARCH, [&] {
        MenuListEntry* presets = PlayerSearch_PresetPopup();
        MenuListRecord record{1, 0, 0};
        presets[0].prepare(&record);
        EXPECT_STREQ(MenuList_LabelText(*Entry(presets, 0)), "Enregistrer 1");
        EXPECT_STREQ(MenuList_LabelText(*Entry(presets, 7)), "Enregistrer 8");
        for (int16_t slot = 10; slot < 18; ++slot) {
            EXPECT_EQ(Entry(presets, slot)->type, 0) << slot;  // nothing to load yet
        }
        PlayerSearch_SetBar(9, 70);
        SearchSetup.foot = FOOT_RIGHT;
        SearchSetup.maxValue = 4000000;
        MenuListEntry* save = Entry(presets, 0);
        EXPECT_EQ(save->handler(save), LIST_CODE_CLOSE);
        ASSERT_EQ(EXTI_IsActive(), 1);
        EXPECT_EQ(EXTI_End(TEXTINPUT_ENTERED), EXM_CODE_REDRAW);
        EXPECT_EQ(SearchPresets[0].used, 1);

        SearchSetup.foot = FOOT_ANY;
        SearchSetup.maxValue = 1;
        PlayerSearch_ResetShown();
        SearchWeights[9] = 0;
        presets[0].prepare(&record);
        MenuListEntry* load = Entry(presets, 10);
        ASSERT_EQ(load->type, LIST_ENTRY_STRING_VAR);
        EXPECT_EQ(Entry(presets, 11)->type, 0);
        EXPECT_EQ(load->handler(load), LIST_CODE_REDRAW);
        EXPECT_EQ(SearchMinimums[9], 70);
        EXPECT_EQ(SearchWeights[9], 70);
        EXPECT_EQ(SearchSetup.foot, FOOT_RIGHT);
        EXPECT_EQ(SearchSetup.maxValue, 4000000);
        EXPECT_EQ(SearchListDirty, 1u);
    });
}

TEST_F(PlayerSearchScreenTest, TheAnalysisShowsTheSquadTheMatchTeamAndTheRoles)
{
    Run(OPTION_SQUAD_ANALYSIS, [&] {
        const int32_t club = m_screen.HumanClub();
        EXPECT_EQ(PlayerSearchMode, 1);
        EXPECT_EQ(SearchSetup.searchActive, 0);
        ASSERT_GT(SearchList.count, 11);
        for (const int16_t p : List()) {
            EXPECT_EQ(VTW_GetPlayerClub(p), club);
        }
        EXPECT_EQ(Choose(PlayerSearch_AnalysisTypePopup(), 2288), LIST_CODE_KEEP);
        EXM_RedrawNow();
        DumpWorkScreen("squad_analysis");
        const uint32_t plain = WorkScreenHash();
        ExpectGoldenHash("menus/squad_analysis_match_team", plain);
        // A tactic whose players move between rows: the arrows show on the diagram.
        for (const bool linked : {false, true}) {
            CustomTactics[0] = *GetTactic(SelectedTactic);
            TacticsSlot& slot = CustomTactics[0].slots[6];
            if (linked) {
                int32_t other = 1;
                while (CustomTactics[0].slots[other].row == slot.row) {
                    ++other;
                }
                TacticsSlot_SetReceiver(&slot, other);
            } else {
                slot.row2 = static_cast<int16_t>((slot.row + 4) % 15);
            }
            const int16_t chosen = SelectedTactic;
            SelectedTactic = TACTIC_CUSTOM_FIRST;
            SearchListDirty = 1;
            EXM_RedrawNow();
            EXPECT_NE(WorkScreenHash(), plain) << linked;
            SelectedTactic = chosen;
        }
        SearchListDirty = 1;
        EXM_RedrawNow();
        EXPECT_EQ(WorkScreenHash(), plain);
        EXPECT_EQ(SearchList.count, 11);
        VTW_RefreshSquadCount(club);
        for (int32_t k = 0; k < SEARCH_SUBSTITUTES; ++k) {
            EXPECT_EQ(SearchList.substitutes[k], VTW_GetPlayerByShirt(12 + k)) << k;
        }
        // The captain through the club's own words; the takers refuse the man in shirt 1.
        const std::vector<int16_t> list = List();
        const int32_t keeperRow =
            static_cast<int32_t>(std::find_if(list.begin(), list.end(),
                                              [](int16_t p) { return VTW_GetPlayerShirt(p) == 1; })
                                 - list.begin());
        const int32_t otherRow = keeperRow == 0 ? 1 : 0;
        EXPECT_EQ(PlayerSearch_TakeRole(keeperRow, ROLE_CAPTAIN), 2);
        EXPECT_EQ(VTW_GetPlayerCaptain(list[keeperRow]), 1);
        EXPECT_EQ(PlayerSearch_TakeRole(otherRow, ROLE_CAPTAIN), 2);
        EXPECT_EQ(VTW_GetPlayerCaptain(list[keeperRow]), 0);
        EXPECT_EQ(VTW_GetPlayerCaptain(list[otherRow]), 1);
        for (const int32_t role : {ROLE_PENALTY, ROLE_FREE_KICK, ROLE_CORNER}) {
            EXPECT_EQ(PlayerSearch_TakeRole(keeperRow, role), 1) << role;
            EXPECT_EQ(PlayerSearch_TakeRole(otherRow, role), 2) << role;
        }
        const ClubRecord* record = Club_GetRecordAddress(club);
        EXPECT_EQ(record->penaltyTaker, list[otherRow]);
        EXPECT_EQ(record->freeKickTaker, list[otherRow]);
        EXPECT_EQ(record->cornerTaker, list[otherRow]);
        // A name opens the card and brings the human back here.
        EXPECT_EQ(PlayerSearch_RowName(otherRow), EXM_CODE_LEAVE);
        EXPECT_EQ(CurrentPlayer, list[otherRow]);
        EXPECT_EQ(CardReturnOption, OPTION_SQUAD_ANALYSIS);
        EXPECT_EQ(MenuOption, MENU_OPTION_PLAYER_CARD);
        MenuOption = OPTION_SQUAD_ANALYSIS;
    });
}

TEST_F(PlayerSearchScreenTest, TheSearchScreenMatchesTheGolden)
{
    uint32_t hash = 0;
    Run(OPTION_PLAYER_SEARCH, [&] {
        SearchSetup.displayMode = 2;
        SearchWeights[9] = 80;
        SearchWeights[0] = 50;
        SearchWeights[7] = 20;
        SearchMinimums[9] = 60;
        SearchListDirty = 1;
        EXM_RedrawNow();
        hash = WorkScreenHash();
        DumpWorkScreen("player_search");
    });
    EXPECT_GT(SearchList.count, 0);
    ExpectGoldenHash("menus/player_search", hash);
}

TEST_F(PlayerSearchScreenDeathTest, AnEntryOutsideItsPopupsRangeIsFatal)
{
    Run(OPTION_PLAYER_SEARCH, [] {
        MenuListEntry bad = PlayerSearch_CriteriaPopup()[1];
        bad.spare[0] = 12;
        EXPECT_DEATH(bad.handler(&bad), "bad entry number");
        MenuListEntry type = PlayerSearch_TypePopup()[1];
        type.spare[0] = 600;
        EXPECT_DEATH(type.handler(&type), "bad entry number");
    });
}
