// tests/support/screen_sweep.cpp: every screen of the front end swept by the pointer.
#include "tests/support/screen_sweep.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include <gtest/gtest.h>

#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/savegame.h"
#include "game/squad.h"
#include "game/tables.h"
#include "menus/contractterms.h"
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

namespace {

constexpr int32_t SAVE_SLOT = 3;
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

// A point of the hotspot that no hotspot before it holds: the one the hit test finds there.
bool PointOf(int32_t index, int32_t* px, int32_t* py)
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

void MoveTo(int32_t x, int32_t y) { HostOnMouseMotion(x - PointerX(), y - PointerY()); }

}  // namespace

std::vector<SweepScreen> SweepScreens(const std::function<void(bool played)>& showFixtures)
{
    std::vector<SweepScreen> screens;
    for (int32_t option = 0; option < MENU_OPTION_COUNT; ++option) {
        if (FrontEnd_OptionScreen(option) == nullptr) continue;
        screens.push_back({"option " + std::to_string(option), [option] {
                               MenuOption = static_cast<int16_t>(option);
                               FrontEnd_NoteDispatch(static_cast<int16_t>(option));
                               DispatchOption(option);
                           }});
    }
    const auto table = [](const MenuItem* (*screen)(), std::function<void()> before) {
        return [screen, before] {
            before();
            EXM_PushAndRun(screen());
        };
    };
    screens.push_back(
        {"TodaysMatch", table(TodaysMatch_Table, [showFixtures] { showFixtures(false); })});
    screens.push_back({"Results", table(Results_Table, [showFixtures] { showFixtures(true); })});
    screens.push_back({"InjuryList", table(InjuryList_Table, [] {})});
    screens.push_back({"Finances", table(Finances_Table, [] {})});
    screens.push_back({"ContractTerms", table(ContractTerms_Table, [] {})});
    screens.push_back({"TimeAnalysis", table(TimeAnalysis_Table, [] {})});
    return screens;
}

void SweepCareer::Keep() { ASSERT_EQ(SaveGame(SAVE_SLOT), SAVEGAME_OK); }

void SweepCareer::Restore()
{
    ASSERT_EQ(LoadGame(SAVE_SLOT), SAVEGAME_OK);
    const int32_t human = m_season.HumanClub();
    GameState.currentClub = static_cast<int16_t>(human);
    CurrentHuman = MANAGER_HUMAN;
    const int32_t members = VTW_RefreshSquadCount(human);
    CurrentPlayer = static_cast<int16_t>(members > 0 ? SquadList.players[0] : -1);
    const int32_t first = m_season.DivisionMember(0);
    RouteClub = static_cast<int16_t>(first == human ? DivisionLists[0][1] : first);
}

ScreenSweep* ScreenSweep::s_sweep = nullptr;

bool ScreenSweep::Run(const SweepScreen& screen, SweepChecks* checks)
{
    m_checks = checks;
    s_sweep = this;
    ClockAddListener(Period);
    while (!(m_planned && m_next >= m_plan.size()) && m_entries < MAX_ENTRIES) {
        Entering();
        screen.enter();
    }
    ClockRemoveListener(Period);
    EXM_SetAfterPresent(nullptr);
    HostOnMouseButton(HOST_BUTTON_LEFT, false);
    s_sweep = nullptr;
    const bool done = m_planned && m_next >= m_plan.size();
    EXPECT_TRUE(done) << screen.name << ": left after " << m_entries << " entries";
    return done;
}

std::string ScreenSweep::CurrentClick() const
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

void ScreenSweep::Period() { s_sweep->OnPeriod(); }

void ScreenSweep::Entering()
{
    // A click that left the screen is made.
    if (m_step != Step::CHOOSE) {
        ++m_next;
        m_reentered = true;
    }
    ++m_entries;
    m_wait = m_settlePeriods;
    m_step = Step::CHOOSE;
    m_awayTries = 0;
    m_checks->Entering();
}

void ScreenSweep::TapKey(uint32_t code)
{
    HostOnKey(code, true, false);
    m_keyUp = code;
}

// A box, a text field or another screen that a click opened goes first: "Non", Escape.
bool ScreenSweep::AwayFromScreen()
{
    if (IsSavedScreenSection(MENU_MODAL_SECTION) != 0) {
        m_checks->Opened(true);
        MoveTo(NO_BUTTON_X, NO_BUTTON_Y);
        HostOnMouseButton(HOST_BUTTON_LEFT, true);
        m_buttonUp = true;
        m_wait = AWAY_PERIODS;
        return true;
    }
    if (EXM_Depth() > 0 || EXTI_IsActive() != 0) {
        m_checks->Opened(false);
        TapKey(EXM_ESCAPE_KEY);
        m_wait = AWAY_PERIODS;
        return true;
    }
    return false;
}

void ScreenSweep::OnPeriod()
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
        case Step::CHOOSE:
            if (m_reentered) m_checks->Outcome();
            m_reentered = false;
            Choose();
            break;
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
            m_checks->Outcome();
            ++m_next;
            m_step = Step::CHOOSE;
            break;
    }
}

void ScreenSweep::Plan()
{
    std::vector<int32_t> items;
    for (int32_t i = 0; i < EXM_HotspotCount(); ++i) {
        const MenuHotspot& h = EXM_Hotspots()[i];
        if ((h.callback != nullptr || h.popup != 0) && h.width > 0 && h.height > 0)
            items.push_back(i);
    }
    const auto row = [](int32_t i) { return EXM_Hotspots()[i].popup != 0 ? 0 : -1; };
    for (const int32_t i : items)
        m_plan.push_back({i, row(i)});
    for (auto i = items.rbegin(); i != items.rend(); ++i)
        m_plan.push_back({*i, row(*i)});
    m_planned = true;
}

void ScreenSweep::Choose()
{
    if (!m_planned) {
        m_checks->Built();
        Plan();
    }
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
    m_checks->Clicking();
    m_item = EXM_Hotspots()[m_plan[m_next].hotspot];
    m_lastClick = CurrentClick();
    ++m_clicks;
    MoveTo(x, y);
    m_step = Step::PRESS;
    m_wait = PRESS_GAP;
}

// The popup the click opened: the planned row chosen, the rows after it planned next.
void ScreenSweep::ChooseRow()
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

// Every click made: Escape, and should the screen keep it, its items clicked in turn until one
// leaves it.
void ScreenSweep::Leave()
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

void WriteMenuScreenPng(const std::string& name, const uint8_t* pixels)
{
    const size_t count = static_cast<size_t>(MenuScreen.width) * MenuScreen.height;
    std::vector<uint8_t> rgb;
    rgb.reserve(count * 3);
    for (size_t at = 0; at < count; ++at) {
        uint32_t p = 0;
        std::memcpy(&p, pixels + at * MenuScreen.bytesPerPixel, MenuScreen.bytesPerPixel);
        const uint32_t c = FrameRgbOf(p);
        rgb.insert(rgb.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                               static_cast<uint8_t>(c)});
    }
    WriteTestOutputPng(name, MenuScreen.width, MenuScreen.height, rgb);
}
