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
#include <cstring>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/savegame.h"
#include "game/squad.h"
#include "menus/contractterms.h"
#include "menus/exm.h"
#include "menus/finances.h"
#include "menus/frontend.h"
#include "menus/individualtraining.h"
#include "menus/machine.h"
#include "menus/menubar.h"
#include "menus/menupc.h"
#include "menus/results.h"
#include "menus/textinput.h"
#include "menus/timeanalysis.h"
#include "tests/support/menu_run.h"
#include "tests/support/recount.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t SAVE_SLOT = 3;
constexpr uint32_t SETTLE_PERIODS = 30;   // a screen's build shown, before its first click
constexpr uint32_t PRESS_GAP = 4;         // move, press and release
constexpr uint32_t OUTCOME_PERIODS = 30;  // what a click does happens within these
constexpr uint32_t AWAY_PERIODS = 20;     // between the keys that leave what a click opened
constexpr int32_t NO_BUTTON_X = 370;      // where a question box has its "Non"
constexpr int32_t NO_BUTTON_Y = 280;
constexpr int32_t LIST_ROW_HEIGHT = 18;
// A handler that keeps the loop from its passes this long waits for keys of its own (a tool's
// loop): Escape, Enter and Y, which end the tools' loops, in turn.
constexpr uint32_t STUCK_PERIODS = 200;
constexpr uint32_t LEAVING_KEYS[] = {EXM_ESCAPE_KEY, 28, 21};
constexpr int32_t MAX_ENTRIES = 400;  // a screen entered again after each click that left it

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

// The screens the front end runs other than through the dispatcher, from a handler of another
// screen or from a game step, with what their caller sets first.
struct OtherScreen {
    const char* name;
    const MenuItem* (*table)();
    void (*before)();
};
const OtherScreen OTHER_SCREENS[] = {
    {"TodaysMatch", TodaysMatch_Table, [] { ShowFixturesOf(false); }},
    {"Results", Results_Table, [] { ShowFixturesOf(true); }},
    {"InjuryList", InjuryList_Table, [] {}},
    {"Finances", Finances_Table, [] {}},
    {"ContractTerms", ContractTerms_Table, [] {}},
    {"TimeAnalysis", TimeAnalysis_Table, [] {}},
};

size_t ScreenBytes()
{
    return static_cast<size_t>(MenuScreen.width) * MenuScreen.height * MenuScreen.bytesPerPixel;
}

// One click to make: hotspot `hotspot` of the list the screen's last walk made, and with
// `row` 0 or more, that row of the popup the hotspot opens.
struct Click {
    int32_t hotspot;
    int32_t row;
};

// The pointer, the buttons and the keys, delivered from the clock as a player would; a plan of
// clicks over the screen's items, each redraw of the screen compared with its whole drawing.
class ClickSweep {
public:
    explicit ClickSweep(std::string screen) : m_screen(std::move(screen)) {}

    bool Done() const { return m_planned && m_next >= m_plan.size(); }
    int32_t Entries() const { return m_entries; }
    int32_t Clicks() const { return m_clicks; }
    // The redraws compared; the items whose click answered one; those that changed the screen.
    int32_t Redraws() const { return m_redraws; }
    int32_t RedrawItems() const { return static_cast<int32_t>(m_redrawItems.size()); }
    int32_t ChangingRedraws() const { return m_changing; }
    const std::vector<std::string>& Faults() const { return m_faults; }

    // The screen is about to be entered (again): its build first.
    void Entering()
    {
        // A click that left the screen is made.
        if (m_step != Step::CHOOSE) ++m_next;
        ++m_entries;
        m_wait = SETTLE_PERIODS;
        m_step = Step::CHOOSE;
        m_awayTries = 0;
        EXM_SetAfterPresent(AfterPresent);
    }

    static void Period() { s_sweep->OnPeriod(); }

    static ClickSweep* s_sweep;

private:
    enum class Step { CHOOSE, PRESS, RELEASE, OPENED, ROW_PRESS, ROW_RELEASE, OUTCOME };

    // Every redraw walk of the screen (never a build) is drawn again whole and compared.
    static void AfterPresent()
    {
        if (EXM_GetRebuildFlag() == 0 && EXM_Depth() == 0) s_sweep->CompareRedraw();
        s_sweep->m_before.assign(MenuScreen.workScreen, MenuScreen.workScreen + ScreenBytes());
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
        const std::string click = ClickName();
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
        std::vector<uint8_t> rgb;
        rgb.reserve(static_cast<size_t>(MenuScreen.width) * MenuScreen.height * 3);
        for (size_t at = 0; at < pixels.size(); at += MenuScreen.bytesPerPixel) {
            uint32_t p = 0;
            std::memcpy(&p, &pixels[at], MenuScreen.bytesPerPixel);
            const uint32_t c = FrameRgbOf(p);
            rgb.insert(rgb.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                   static_cast<uint8_t>(c)});
        }
        std::string file = "redraw_clicks_" + name;
        std::replace(file.begin(), file.end(), ' ', '_');
        WriteTestOutputPng(file, MenuScreen.width, MenuScreen.height, rgb);
    }

    std::string ClickName() const
    {
        if (m_next >= m_plan.size()) return "after the clicks";
        const Click& c = m_plan[m_next];
        std::string name = "item " + std::to_string(c.hotspot);
        if (m_item.callback != nullptr || m_item.popup != 0) {
            name += " (" + std::to_string(m_item.x) + ", " + std::to_string(m_item.y) + ", "
                    + std::to_string(m_item.width) + " x " + std::to_string(m_item.height) + ")";
        }
        if (c.row >= 0) name += " popup row " + std::to_string(c.row);
        return name;
    }

    // Forward through the items, then back, so that an item that undoes another (a previous
    // arrow, a first tab) also finds something to undo.
    void Plan()
    {
        const int32_t count = EXM_HotspotCount();
        std::vector<int32_t> items;
        for (int32_t i = 0; i < count; ++i) {
            const MenuHotspot& h = EXM_Hotspots()[i];
            if ((h.callback != nullptr || h.popup != 0) && h.width > 0 && h.height > 0)
                items.push_back(i);
        }
        for (const int32_t i : items)
            m_plan.push_back({i, EXM_Hotspots()[i].popup != 0 ? 0 : -1});
        for (auto i = items.rbegin(); i != items.rend(); ++i)
            m_plan.push_back({*i, EXM_Hotspots()[*i].popup != 0 ? 0 : -1});
        m_planned = true;
    }

    // A point of the hotspot that no hotspot before it holds: the one the hit test finds there.
    static bool PointOf(int32_t index, int32_t* px, int32_t* py)
    {
        const MenuHotspot& h = EXM_Hotspots()[index];
        for (int32_t dy = 0; dy < h.height; dy += 2) {
            for (int32_t dx = 0; dx < h.width; dx += 2) {
                const int32_t x = h.x + (h.width / 2 + dx) % h.width;
                const int32_t y = h.y + (h.height / 2 + dy) % h.height;
                if (x < 0 || y <= MENUBAR_OPEN_Y || x >= 640 || y >= 480) continue;
                bool earlier = false;
                for (int32_t k = 0; k < index && !earlier; ++k) {
                    const MenuHotspot& o = EXM_Hotspots()[k];
                    earlier = x >= o.x && x < o.x + o.width && y >= o.y && y < o.y + o.height;
                }
                if (earlier) continue;
                *px = x;
                *py = y;
                return true;
            }
        }
        return false;
    }

    static void MoveTo(int32_t x, int32_t y) { HostOnMouseMotion(x - PointerX(), y - PointerY()); }

    void TapKey(uint32_t code)
    {
        HostOnKey(code, true, false);
        m_keyUp = code;
    }

    // A box, a text field or another screen that a click opened goes first: "Non", Escape.
    bool AwayFromScreen()
    {
        if (IsSavedScreenSection(MENU_MODAL_SECTION) != 0) {
            MoveTo(NO_BUTTON_X, NO_BUTTON_Y);
            HostOnMouseButton(HOST_BUTTON_LEFT, true);
            m_buttonUp = true;
            m_wait = AWAY_PERIODS;
            return true;
        }
        if (EXM_Depth() > 0 || EXTI_IsActive() != 0) {
            TapKey(EXM_ESCAPE_KEY);
            m_wait = AWAY_PERIODS;
            return true;
        }
        return false;
    }

    void OnPeriod()
    {
        if (m_keyUp != 0) {
            HostOnKey(m_keyUp, false, false);
            m_keyUp = 0;
        }
        if (m_buttonUp && m_wait + PRESS_GAP <= AWAY_PERIODS) {
            HostOnMouseButton(HOST_BUTTON_LEFT, false);
            m_buttonUp = false;
        }
        if (m_wait > 0) {
            --m_wait;
            return;
        }
        if (EXM_Depth() < 0) return;
        if (IsSavedScreenSection(MENU_MODAL_SECTION) == 0 && !EXM_AwaitingInput()) {
            if (++m_stuck < STUCK_PERIODS) return;
            TapKey(LEAVING_KEYS[m_stuckKey++ % std::size(LEAVING_KEYS)]);
            m_stuck = 0;
            return;
        }
        m_stuck = 0;
        if (AwayFromScreen()) return;
        switch (m_step) {
            case Step::CHOOSE: Choose(); break;
            case Step::PRESS:
                HostOnMouseButton(HOST_BUTTON_LEFT, true);
                m_step = Step::RELEASE;
                m_wait = PRESS_GAP;
                break;
            case Step::RELEASE:
                HostOnMouseButton(HOST_BUTTON_LEFT, false);
                m_step = m_plan[m_next].row >= 0 ? Step::OPENED : Step::OUTCOME;
                m_wait = m_plan[m_next].row >= 0 ? PRESS_GAP : OUTCOME_PERIODS;
                break;
            case Step::OPENED: ChooseRow(); break;
            case Step::ROW_PRESS:
                HostOnMouseButton(HOST_BUTTON_LEFT, true);
                m_step = Step::ROW_RELEASE;
                m_wait = PRESS_GAP;
                break;
            case Step::ROW_RELEASE:
                HostOnMouseButton(HOST_BUTTON_LEFT, false);
                m_step = Step::OUTCOME;
                m_wait = OUTCOME_PERIODS;
                break;
            case Step::OUTCOME:
                ++m_next;
                m_step = Step::CHOOSE;
                break;
        }
    }

    void Choose()
    {
        if (!m_planned) Plan();
        int32_t x = 0, y = 0;
        while (m_next < m_plan.size()) {
            const int32_t index = m_plan[m_next].hotspot;
            if (index < EXM_HotspotCount() && PointOf(index, &x, &y)) break;
            ++m_next;
        }
        if (m_next >= m_plan.size()) {
            Leave();
            return;
        }
        EXM_SetAfterPresent(AfterPresent);
        m_item = EXM_Hotspots()[m_plan[m_next].hotspot];
        ++m_clicks;
        MoveTo(x, y);
        m_step = Step::PRESS;
        m_wait = PRESS_GAP;
    }

    // The popup the click opened: the planned row chosen, the rows after it planned next.
    void ChooseRow()
    {
        int32_t x = 0, y = 0, w = 0, h = 0;
        const int32_t rows = MenuBar_OpenListRows(&x, &y, &w, &h);
        const Click click = m_plan[m_next];
        if (click.row == 0) {
            std::vector<Click> more;
            for (int32_t r = 1; r < rows; ++r)
                more.push_back({click.hotspot, r});
            m_plan.insert(m_plan.begin() + static_cast<std::ptrdiff_t>(m_next) + 1, more.begin(),
                          more.end());
        }
        if (click.row >= rows) {
            MoveTo(PointerX(), 470);  // away from the popup, which closes
            m_step = Step::OUTCOME;
            m_wait = OUTCOME_PERIODS;
            return;
        }
        MoveTo(x + w / 2, y + 2 + click.row * LIST_ROW_HEIGHT + LIST_ROW_HEIGHT / 2);
        m_step = Step::ROW_PRESS;
        m_wait = PRESS_GAP;
    }

    // Every click made: Escape, and should the screen keep it, its items clicked in turn until
    // one leaves it.
    void Leave()
    {
        ++m_awayTries;
        m_wait = AWAY_PERIODS;
        if (m_awayTries <= 3 || EXM_HotspotCount() == 0) {
            TapKey(EXM_ESCAPE_KEY);
            return;
        }
        const int32_t index = (m_awayTries - 4) % EXM_HotspotCount();
        int32_t x = 0, y = 0;
        if (!PointOf(index, &x, &y)) return;
        MoveTo(x, y);
        HostOnMouseButton(HOST_BUTTON_LEFT, true);
        m_buttonUp = true;
    }

    std::string m_screen;
    std::vector<Click> m_plan;
    size_t m_next = 0;
    bool m_planned = false;
    Step m_step = Step::CHOOSE;
    uint32_t m_wait = 0;
    uint32_t m_keyUp = 0;
    bool m_buttonUp = false;
    int32_t m_awayTries = 0;
    uint32_t m_stuck = 0;
    size_t m_stuckKey = 0;
    int32_t m_entries = 0;
    MenuHotspot m_item{};
    std::vector<uint8_t> m_before;  // the frame the walk before drew
    int32_t m_clicks = 0;
    int32_t m_redraws = 0;
    std::set<std::string> m_redrawItems;
    int32_t m_changing = 0;
    std::vector<std::string> m_faults;
};

ClickSweep* ClickSweep::s_sweep = nullptr;

// A career whose first season the simulation played to the moment, kept in a save slot: each
// screen starts from it, whatever the clicks of the screen before did.
class RedrawClicks : public ::testing::TestWithParam<SeasonMoment> {
protected:
    void SetUp() override { ASSERT_EQ(SaveGame(SAVE_SLOT), SAVEGAME_OK); }

    void Restore()
    {
        ASSERT_EQ(LoadGame(SAVE_SLOT), SAVEGAME_OK);
        GameState.currentClub = static_cast<int16_t>(m_season.HumanClub());
        CurrentHuman = MANAGER_HUMAN;
        const int32_t members = VTW_RefreshSquadCount(m_season.HumanClub());
        CurrentPlayer = static_cast<int16_t>(members > 0 ? SquadList.players[0] : -1);
        // A club that asks for him: the negotiation of a sale has the other side.
        RouteClub = static_cast<int16_t>(m_season.DivisionMember(1));
    }

    // Enters the screen as `enter` does until every planned click is made.
    void Sweep(const std::string& name, const std::function<void()>& enter)
    {
        SCOPED_TRACE(name);
        Restore();
        ClickSweep sweep(name);
        ClickSweep::s_sweep = &sweep;
        ClockAddListener(ClickSweep::Period);
        while (!sweep.Done() && sweep.Entries() < MAX_ENTRIES) {
            sweep.Entering();
            enter();
        }
        ClockRemoveListener(ClickSweep::Period);
        EXM_SetAfterPresent(nullptr);
        HostOnMouseButton(HOST_BUTTON_LEFT, false);
        EXPECT_TRUE(sweep.Done()) << "left after " << sweep.Entries() << " entries";
        for (const std::string& fault : sweep.Faults())
            ADD_FAILURE() << fault;
        ++m_screens;
        m_clicks += sweep.Clicks();
        m_redraws += sweep.Redraws();
        m_redrawItems += sweep.RedrawItems();
        m_changing += sweep.ChangingRedraws();
    }

    TempHome m_home;
    ScopedRecountedSeason m_season{GetParam()};
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
    for (int32_t option = 0; option < MENU_OPTION_COUNT; ++option) {
        if (FrontEnd_OptionScreen(option) == nullptr) continue;
        Sweep("option " + std::to_string(option), [option] {
            MenuOption = static_cast<int16_t>(option);
            FrontEnd_NoteDispatch(static_cast<int16_t>(option));
            DispatchOption(option);
        });
    }
    for (const OtherScreen& screen : OTHER_SCREENS) {
        Sweep(screen.name, [&screen] {
            screen.before();
            EXM_PushAndRun(screen.table());
        });
    }
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
