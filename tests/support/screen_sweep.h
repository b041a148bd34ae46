// tests/support/screen_sweep.h: every screen of the front end entered as the player enters it, in
// a career whose first season has been played, and its every clickable item and popup entry
// clicked through the menu loop with the pointer, for the tests that look at each screen in every
// state a click leaves it in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "menus/exm.h"
#include "tests/support/recount.h"
#include "tests/support/support.h"

// A screen to sweep: `enter` runs it as the front end does and returns once it is left.
struct SweepScreen {
    std::string name;
    std::function<void()> enter;
};
// Each screen the dispatcher opens (one an option, so that a screen added there is swept too),
// then those the front end runs from a handler of another screen or from a game step.
// `showFixtures` is what their caller sets before the screens of a day's fixtures: the matches
// to come (false) for TodaysMatch, those played (true) for Results.
std::vector<SweepScreen> SweepScreens(const std::function<void(bool played)>& showFixtures);

// A career (ScopedRecountedSeason's, in a home of its own) kept in a save slot by Keep: each
// screen starts from it through Restore, whatever the clicks of the screen before did.
class SweepCareer {
public:
    explicit SweepCareer(SeasonMoment moment) : m_season(moment) {}

    void Keep();  // a test failure when it cannot be saved
    // The kept career back, the human's club and first player current, and a club of the first
    // division other than his asking for him (the negotiation of a sale has the other side).
    void Restore();
    ScopedRecountedSeason& Season() { return m_season; }

private:
    TempHome m_home;
    ScopedRecountedSeason m_season;
};

// What a test looks at during a sweep; called from the clock's periods, inside the screen's loop.
class SweepChecks {
public:
    virtual ~SweepChecks() = default;
    virtual void Entering() {}  // the screen is about to be entered, again after a click left it
    virtual void Built() {}     // its first build shown and settled, before the first click
    virtual void Clicking() {}  // a planned click is about to be made
    // A question box (`box`), or a screen or text field, that a click opened, before it is left.
    virtual void Opened(bool /*box*/) {}
    // What a planned click did, settled: the screen it left entered again, or what it shows.
    virtual void Outcome() {}
};

// The pointer, the buttons and the keys delivered from the clock as a player would: each item
// clicked forward, then back, so that an item that undoes another (a previous arrow, a first
// tab) also finds something to undo; each row of a popup chosen in turn; what a click opened left
// through "Non" or Escape; the screen entered again after each click that left it; once every
// click is made, Escape and then its items in turn until it is left.
class ScreenSweep {
public:
    // `settlePeriods`: how long a screen is left alone after each entry before it is clicked.
    explicit ScreenSweep(uint32_t settlePeriods) : m_settlePeriods(settlePeriods) {}

    // Enters the screen until every planned click is made and it is left, `checks` called at
    // their moments; false, after a test failure, when it had to give up. Once per sweep.
    bool Run(const SweepScreen& screen, SweepChecks* checks);

    int32_t Clicks() const { return m_clicks; }
    // The planned click being made, or the next to make ("item 3 (x, y, w x h) popup row 1");
    // "after the clicks" once all are made.
    std::string CurrentClick() const;
    const std::string& LastClick() const { return m_lastClick; }  // empty before the first

private:
    struct Click {
        int32_t hotspot;  // of the list the screen's last walk made
        int32_t row;      // with 0 or more, that row of the popup the hotspot opens
    };
    enum class Step { CHOOSE, PRESS, RELEASE, OPENED, ROW_PRESS, ROW_RELEASE, OUTCOME };

    static void Period();
    void OnPeriod();
    void Entering();
    bool AwayFromScreen();
    void Plan();
    void Choose();
    void ChooseRow();
    void Leave();
    void TapKey(uint32_t code);

    static ScreenSweep* s_sweep;
    SweepChecks* m_checks = nullptr;
    uint32_t m_settlePeriods;
    std::vector<Click> m_plan;
    size_t m_next = 0;
    bool m_planned = false;
    bool m_reentered = false;  // after a click that left the screen: its outcome to look at
    Step m_step = Step::CHOOSE;
    uint32_t m_wait = 0;
    uint32_t m_keyUp = 0;
    bool m_buttonUp = false;
    int32_t m_awayTries = 0;
    uint32_t m_stuck = 0;
    size_t m_stuckKey = 0;
    int32_t m_entries = 0;
    MenuHotspot m_item{};
    int32_t m_clicks = 0;
    std::string m_lastClick;
};

// The menu work screen's pixels (MenuScreen's format, as MenuScreen.workScreen holds them)
// written as a PNG under the test output, for a person to look at.
void WriteMenuScreenPng(const std::string& name, const uint8_t* pixels);
