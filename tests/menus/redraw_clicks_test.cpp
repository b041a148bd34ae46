// tests/menus/redraw_clicks_test.cpp: every click of every screen that answers a redraw shows the
// screen as drawn whole in the state the click left. The screens are the dispatcher's (each option
// that opens one, so that a screen added there is swept too) and those the front end runs from a
// handler or a game step. Each is entered as the player enters it, in a career whose first season
// has been played (so that lists are long, histories and groups filled), and its every clickable
// item and popup entry is clicked through the menu loop with the pointer, forward and back, so
// that an arrow or tab finds something to change. Which handler answers a redraw shows only once
// it is clicked: every redraw that follows a click is held pixel for pixel against the screen
// drawn whole.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "menus/exm.h"
#include "menus/menupc.h"
#include "menus/results.h"
#include "tests/support/menu_run.h"
#include "tests/support/screen_sweep.h"

namespace {

constexpr uint32_t SETTLE_PERIODS = 30;  // a screen's build shown, before its first click

// The day the results screens show: the last with a match played by today, or for the matches to
// come the first with one still to play; -1 none.
int32_t DayOfFixtures(bool played)
{
    int32_t found = -1;
    const int32_t today = VTW_GetCurrentDay();
    for (int32_t row = 0; row < Fixture_RowCount(); ++row) {
        const int32_t day = VTW_GetFixtureDay(row);
        if ((VTW_GetFixtureHomeGoals(row) != FIXTURE_NOT_PLAYED) != played) continue;
        if (played ? day <= today && day > found : day >= today && (found < 0 || day < found))
            found = day;
    }
    return found;
}

void ShowFixturesOf(bool played)
{
    ResultsMode = played ? RESULTS_AFTER_MATCHES : RESULTS_BEFORE_MATCHES;
    if (const int32_t day = DayOfFixtures(played); day >= 0) Calendar_SetDay(day);
}

size_t ScreenBytes()
{
    return static_cast<size_t>(MenuScreen.width) * MenuScreen.height * MenuScreen.bytesPerPixel;
}

// Each redraw of the screen the sweep's clicks make compared with its whole drawing.
class RedrawChecks : public SweepChecks {
public:
    RedrawChecks(std::string screen, const ScreenSweep& sweep)
        : m_screen(std::move(screen)), m_sweep(sweep)
    {
    }

    // The redraws compared; the items whose click answered one; those that changed the screen.
    int32_t Redraws() const { return m_redraws; }
    int32_t RedrawItems() const { return static_cast<int32_t>(m_redrawItems.size()); }
    int32_t ChangingRedraws() const { return m_changing; }
    const std::vector<std::string>& Faults() const { return m_faults; }

    void Entering() override
    {
        s_checks = this;
        EXM_SetAfterPresent(AfterPresent);
    }
    void Clicking() override { EXM_SetAfterPresent(AfterPresent); }

private:
    static RedrawChecks* s_checks;

    // Every redraw walk of the screen (never a build) is drawn again whole and compared.
    static void AfterPresent()
    {
        if (EXM_GetRebuildFlag() == 0 && EXM_Depth() == 0) s_checks->CompareRedraw();
        s_checks->m_before.assign(MenuScreen.workScreen, MenuScreen.workScreen + ScreenBytes());
        EXM_SetAfterPresent(AfterPresent);
    }

    // The screen drawn whole, twice, from what it holds now; false when the two differ.
    static bool DrawWhole(std::vector<uint8_t>* whole)
    {
        const size_t bytes = ScreenBytes();
        // Never shown, so never wiped in or out.
        MenuScreen.presented = 0;
        EXM_FullDrawNow();
        whole->assign(MenuScreen.workScreen, MenuScreen.workScreen + bytes);
        EXM_FullDrawNow();
        return std::memcmp(whole->data(), MenuScreen.workScreen, bytes) == 0;
    }

    void CompareRedraw()
    {
        const size_t bytes = ScreenBytes();
        const std::vector<uint8_t> shown(MenuScreen.workScreen, MenuScreen.workScreen + bytes);
        const std::vector<uint8_t> clean(MenuScreen.backBuffer, MenuScreen.backBuffer + bytes);
        MenuRect changes[MENU_MAX_CHANGES];
        std::memcpy(changes, MenuScreen.changes, sizeof changes);
        const int32_t changeCount = MenuScreen.changeCount;
        const uint16_t presented = MenuScreen.presented;
        const MenuAttributes attributes = MenuAttr;
        std::vector<uint8_t> whole;
        const bool steady = DrawWhole(&whole);
        // A notice shown once ("Refusé") is gone once drawn, from the whole drawings too: the
        // redraw after this one must then be the whole drawing.
        bool shownOnce = false;
        if (steady && whole != shown) {
            std::memcpy(MenuScreen.workScreen, shown.data(), bytes);
            std::memcpy(MenuScreen.backBuffer, clean.data(), bytes);
            MenuScreen.presented = presented;
            MenuAttr = attributes;
            EXM_RedrawNow();
            shownOnce = std::memcmp(whole.data(), MenuScreen.workScreen, bytes) == 0;
        }
        std::memcpy(MenuScreen.workScreen, shown.data(), bytes);
        std::memcpy(MenuScreen.backBuffer, clean.data(), bytes);
        std::memcpy(MenuScreen.changes, changes, sizeof changes);
        MenuScreen.changeCount = changeCount;
        MenuScreen.presented = presented;
        MenuAttr = attributes;
        // A screen that draws a moving picture from its walk (the countries' carousel turning)
        // shows another frame at each drawing: there is nothing to compare.
        if (!steady) return;
        const std::string click = m_sweep.CurrentClick();
        ++m_redraws;
        m_redrawItems.insert(click);
        if (whole != m_before) ++m_changing;
        if (whole == shown || shownOnce) return;
        int32_t count = 0, left = MenuScreen.width, top = MenuScreen.height, right = -1,
                bottom = -1;
        const uint32_t pixel = MenuScreen.bytesPerPixel;
        for (size_t at = 0; at < bytes; at += pixel) {
            if (std::memcmp(&whole[at], &shown[at], pixel) == 0) continue;
            const int32_t n = static_cast<int32_t>(at / pixel);
            const int32_t x = n % MenuScreen.width, y = n / MenuScreen.width;
            ++count;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
        m_faults.push_back(m_screen + ", " + click + ": " + std::to_string(count)
                           + " pixels differ from the whole drawing, within ("
                           + std::to_string(left) + ", " + std::to_string(top) + ")-("
                           + std::to_string(right) + ", " + std::to_string(bottom) + ")");
        WriteFrame(m_screen + "_" + std::to_string(m_faults.size()) + "_redrawn.png", shown);
        WriteFrame(m_screen + "_" + std::to_string(m_faults.size()) + "_whole.png", whole);
    }

    static void WriteFrame(const std::string& name, const std::vector<uint8_t>& pixels)
    {
        std::string file = "redraw_clicks_" + name;
        std::replace(file.begin(), file.end(), ' ', '_');
        WriteMenuScreenPng(file, pixels.data());
    }

    std::string m_screen;
    const ScreenSweep& m_sweep;
    std::vector<uint8_t> m_before;  // the frame the walk before drew
    int32_t m_redraws = 0;
    std::set<std::string> m_redrawItems;
    int32_t m_changing = 0;
    std::vector<std::string> m_faults;
};

RedrawChecks* RedrawChecks::s_checks = nullptr;

// A career whose first season the simulation played to the moment: each screen starts from it,
// whatever the clicks of the screen before did.
class RedrawClicks : public ::testing::TestWithParam<SeasonMoment> {
protected:
    void SetUp() override { m_career.Keep(); }

    // Enters the screen as the front end does until every planned click is made.
    void Sweep(const SweepScreen& screen)
    {
        SCOPED_TRACE(screen.name);
        m_career.Restore();
        ScreenSweep sweep(SETTLE_PERIODS);
        RedrawChecks checks(screen.name, sweep);
        sweep.Run(screen, &checks);
        for (const std::string& fault : checks.Faults())
            ADD_FAILURE() << fault;
        ++m_screens;
        m_clicks += sweep.Clicks();
        m_redraws += checks.Redraws();
        m_redrawItems += checks.RedrawItems();
        m_changing += checks.ChangingRedraws();
    }

    SweepCareer m_career{GetParam()};
    int32_t m_screens = 0;
    int32_t m_clicks = 0;
    int32_t m_redraws = 0;
    int32_t m_redrawItems = 0;
    int32_t m_changing = 0;
};

}  // namespace

// Each screen of the front end, entered as the player enters it, its every item and popup entry
// clicked with the pointer: the frame each redraw leaves is the screen drawn whole in the state
// the click left, pixel for pixel.
TEST_P(RedrawClicks, EveryRedrawShowsTheScreenAsDrawnWholeInItsNewState)
{
    for (const SweepScreen& screen : SweepScreens(ShowFixturesOf))
        Sweep(screen);
    std::printf("%d screens, %d clicks: %d redraws compared (%d showing a change), answering %d "
                "items\n",
                m_screens, m_clicks, m_redraws, m_changing, m_redrawItems);
    EXPECT_GT(m_changing, 0);
}

INSTANTIATE_TEST_SUITE_P(Seasons, RedrawClicks,
                         ::testing::Values(SeasonMoment::LeagueOver, SeasonMoment::NextSeason),
                         [](const ::testing::TestParamInfo<SeasonMoment>& info) {
                             return info.param == SeasonMoment::LeagueOver ? "LeagueOver"
                                                                           : "NextSeason";
                         });
