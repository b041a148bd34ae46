// tests/menus/text_boxes_test.cpp: every text of every screen of the front end stays on the
// screen, inside the box it stands in and clear of every other text, with the widest club and
// person names of the world on every club and person and the widest competition heading.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "game/calendar.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/records.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "game/world.h"
#include "menus/dayscreen.h"
#include "menus/machine.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "tests/support/menu_loop.h"
#include "tests/support/screen_sweep.h"

namespace {

constexpr int32_t SCREEN_W = 640;
constexpr int32_t SCREEN_H = 480;
constexpr uint32_t SETTLE_PERIODS = 200;  // past the wipes that show a first build
constexpr uint32_t STEP_PERIODS = 30;     // between the day screen's panels
constexpr uint32_t PRESS_PERIODS = 4;     // a button held
constexpr int32_t IMAGE_EDGE = 2;         // a text may touch a picture's outer pixels
constexpr MenuRect HEADER_BAND = {0, 12, SCREEN_W, 52};  // the emblem's height
constexpr int32_t NAME_FONT = 1;  // the names' common font: the widest there is used everywhere

// ---------------------------------------------------------------------------------------------
// What the work screen shows, followed from what the drawing layer tells: the texts and boxes
// drawn since the last background, less those that something was put back over.

struct Shown {
    MenuDrawnKind kind;
    MenuRect rect;
    std::string text;
    int32_t font = 0;
    bool clean = false;  // part of the clean screen
};

bool Meet(const MenuRect& a, const MenuRect& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// Whether a is wholly inside b: what puts b back erases a whole; a text it only crosses stays
// in part.
bool Inside(const MenuRect& a, const MenuRect& b)
{
    return a.x >= b.x && a.y >= b.y && a.x + a.w <= b.x + b.w && a.y + a.h <= b.y + b.h;
}

bool Same(const MenuRect& a, const MenuRect& b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

class ScreenContents {
public:
    static void Watch(const MenuDrawn& drawn) { s_contents->Take(drawn); }

    void Clear()
    {
        m_shown.clear();
        m_covered.clear();
    }

    // What shows on the screen: not what a box or a list opened over it covers for now.
    const std::vector<Shown>& Visible() const { return m_shown; }

    static ScreenContents* s_contents;

private:
    void Take(const MenuDrawn& d)
    {
        switch (d.kind) {
            case MENU_DRAWN_TEXT:
                if (d.rect.w > 0 && d.text[0] != '\0') Add({d.kind, d.rect, d.text, d.font});
                break;
            case MENU_DRAWN_BOX:
            case MENU_DRAWN_IMAGE:
                if (d.rect.w > 2 && d.rect.h > 2) Add({d.kind, d.rect, "", 0});
                break;
            case MENU_DRAWN_SAVED: {
                std::vector<Shown> under;
                Remove([&](const Shown& s) {
                    if (!Meet(s.rect, d.rect)) return false;
                    under.push_back(s);
                    return true;
                });
                m_covered.push_back({d.rect, under});
                break;
            }
            case MENU_DRAWN_PICTURE:
                if (d.rect.x == 0 && d.rect.y == 0 && d.rect.w >= SCREEN_W
                    && d.rect.h >= SCREEN_H) {
                    Clear();
                    break;
                }
                Remove([&](const Shown& s) { return Inside(s.rect, d.rect); });
                for (auto c = m_covered.rbegin(); c != m_covered.rend(); ++c) {
                    if (!Same(c->first, d.rect)) continue;
                    m_shown.insert(m_shown.end(), c->second.begin(), c->second.end());
                    m_covered.erase(std::next(c).base());
                    break;
                }
                break;
            case MENU_DRAWN_CLEANED:
                Remove([&](const Shown& s) { return !s.clean && Inside(s.rect, d.rect); });
                break;
            case MENU_DRAWN_KEPT:
                for (Shown& s : m_shown) {
                    s.clean = true;
                }
                break;
        }
    }

    void Add(const Shown& shown)
    {
        for (const Shown& s : m_shown) {
            if (s.kind == shown.kind && Same(s.rect, shown.rect) && s.text == shown.text) return;
        }
        m_shown.push_back(shown);
    }

    template <typename Pred>
    void Remove(Pred pred)
    {
        m_shown.erase(std::remove_if(m_shown.begin(), m_shown.end(), pred), m_shown.end());
    }

    std::vector<Shown> m_shown;
    std::vector<std::pair<MenuRect, std::vector<Shown>>> m_covered;
};

ScreenContents* ScreenContents::s_contents = nullptr;

std::string Describe(const Shown& s)
{
    char where[64];
    std::snprintf(where, sizeof where, " at %d,%d %dx%d", s.rect.x, s.rect.y, s.rect.w, s.rect.h);
    switch (s.kind) {
        case MENU_DRAWN_TEXT:
            return "\"" + s.text + "\" (font " + std::to_string(s.font) + ")" + where;
        case MENU_DRAWN_BOX: return "the box" + std::string(where);
        default: return "the image" + std::string(where);
    }
}

bool Within(int32_t from, int32_t to, int32_t outerFrom, int32_t outerTo)
{
    return from >= outerFrom && to <= outerTo;
}

// The rows of a text's cell its letters take: the cell less a quarter above and below.
MenuRect Letters(const MenuRect& r) { return {r.x, r.y + r.h / 4, r.w, r.h - r.h / 2}; }

bool IsDateLine(const Shown& s)
{
    return s.kind == MENU_DRAWN_TEXT
           && (s.text == MenuContDateLine1 || s.text == MenuContDateLine2);
}

// Each text whole on the screen, inside each box its middle stands in, and clear of the others;
// on a screen with the header's date, each text of the header between the emblem and the room
// the widest date takes.
std::vector<std::string> FaultsOf(const std::vector<Shown>& shown)
{
    const bool header = std::any_of(shown.begin(), shown.end(), IsDateLine);
    std::vector<std::string> faults;
    for (size_t i = 0; i < shown.size(); ++i) {
        const Shown& t = shown[i];
        if (t.kind != MENU_DRAWN_TEXT) continue;
        const MenuRect& r = t.rect;
        if (r.x < 0 || r.y < 0 || r.x + r.w > SCREEN_W || r.y + r.h > SCREEN_H)
            faults.push_back(Describe(t) + " runs off the screen");
        if (header && !IsDateLine(t) && Meet(Letters(r), HEADER_BAND)
            && (r.x < HEADER_TEXT_LEFT || r.x + r.w > HEADER_TEXT_RIGHT))
            faults.push_back(Describe(t) + " runs out of the header's room");
        const int32_t middle = r.y + r.h / 2;
        for (size_t j = 0; j < shown.size(); ++j) {
            const Shown& o = shown[j];
            const MenuRect& b = o.rect;
            if (o.kind == MENU_DRAWN_BOX) {
                // A box no taller than the text is a gauge it stands on, not its frame.
                if (b.h <= r.h || middle < b.y || middle >= b.y + b.h) continue;
                const bool left = r.x < b.x && b.x < r.x + r.w;
                const bool right = r.x < b.x + b.w && b.x + b.w < r.x + r.w;
                if (left || right) faults.push_back(Describe(t) + " runs out of " + Describe(o));
                continue;
            }
            if (o.kind == MENU_DRAWN_IMAGE) {
                // A text on a picture, or a picture inside a text (its inline icons), is meant.
                const MenuRect l = Letters(r);
                const bool on = Within(r.x, r.x + r.w, b.x, b.x + b.w)
                                && Within(l.y, l.y + l.h, b.y, b.y + b.h);
                const bool holds = Within(b.x, b.x + b.w, r.x, r.x + r.w)
                                   && Within(b.y, b.y + b.h, r.y, r.y + r.h);
                const MenuRect inner = {b.x + IMAGE_EDGE, b.y + IMAGE_EDGE, b.w - 2 * IMAGE_EDGE,
                                        b.h - 2 * IMAGE_EDGE};
                if (Meet(l, inner) && !on && !holds)
                    faults.push_back(Describe(t) + " runs into " + Describe(o));
                continue;
            }
            if (j <= i) continue;
            const bool echo = t.text == o.text && std::abs(r.x - o.rect.x) <= 2
                              && std::abs(r.y - o.rect.y) <= 2;  // a shadow
            if (!echo && Meet(Letters(r), Letters(o.rect)))
                faults.push_back(Describe(t) + " meets " + Describe(o));
        }
    }
    return faults;
}

// ---------------------------------------------------------------------------------------------
// The widest names.

struct WidestNames {
    std::string club;
    std::string person;
};

// Every club of the world takes the name of the widest, every person the name of the widest.
WidestNames WidenNames()
{
    SetMenuFont(NAME_FONT);
    int32_t widest = 0, widestW = -1;
    for (int32_t team = 0; team < TEAM_COUNT; ++team) {
        int32_t w, h;
        if (GetTextExtent(World.clubs[team].name, &w, &h) > widestW) {
            widest = team;
            widestW = w;
        }
    }
    const std::string club = World.clubs[widest].name;
    for (WorldClub& c : World.clubs) {
        std::snprintf(c.name, sizeof c.name, "%s", club.c_str());
    }
    int32_t person = PERSON_FIRST_ORDINARY;
    widestW = -1;
    for (int32_t id = PERSON_FIRST_ORDINARY; id < DbPersonCount; ++id) {
        int32_t w, h;
        if (GetTextExtent(VTW_FormatPersonName(id), &w, &h) > widestW) {
            person = id;
            widestW = w;
        }
    }
    const PersonRecord widestPerson = DbPersons[person];
    for (int32_t id = PERSON_FIRST_ORDINARY; id < DbPersonCount; ++id) {
        DbPersons[id].initial = widestPerson.initial;
        DbPersons[id].nameIndex = widestPerson.nameIndex;
    }
    VTW_SetManagerName(VTW_FormatPersonName(person));
    return {club, VTW_FormatPersonName(person)};
}

// The sweep's checks: the screen as it stands once built, after each click and whatever a click
// opened.
class TextBoxes : public ::testing::TestWithParam<SeasonMoment>, public SweepChecks {
protected:
    void SetUp() override
    {
        m_widest = WidenNames();
        m_career.Keep();
        ScreenContents::s_contents = &m_contents;
        SetMenuDrawWatcher(ScreenContents::Watch);
    }

    void TearDown() override
    {
        SetMenuDrawWatcher(nullptr);
        ScreenContents::s_contents = nullptr;
    }

    // The screen as it stands now, its faults reported once each.
    void Check(const std::string& state)
    {
        const std::vector<Shown> shown = m_contents.Visible();
        for (const Shown& s : shown) {
            m_widestClubShown += s.text.find(m_widest.club) != std::string::npos;
            m_widestPersonShown += s.text.find(m_widest.person) != std::string::npos;
        }
        bool fresh = false;
        for (const std::string& fault : FaultsOf(shown)) {
            if (!m_reported.insert(fault).second) continue;
            ADD_FAILURE() << state << ": " << fault;
            fresh = true;
        }
        if (fresh) {
            std::string file = "text_boxes_" + state + ".png";
            std::replace_if(
                file.begin(), file.end(), [](char c) { return c == ' ' || c == ',' || c == '\''; },
                '_');
            WriteMenuScreenPng(file, MenuScreen.workScreen);
        }
    }

    // The pointer out of the way, off every text.
    void Entering() override
    {
        m_contents.Clear();
        HostOnMouseMotion(SCREEN_W - PointerX(), SCREEN_H - PointerY());
    }
    void Built() override { Check(m_screen); }
    void Opened(bool box) override
    {
        Check(box ? m_screen + ", a box after " + m_sweep->LastClick()
                  : m_screen + ", what " + m_sweep->LastClick() + " opened");
    }
    void Outcome() override { Check(m_screen + " after " + m_sweep->LastClick()); }

    void Visit(const SweepScreen& screen)
    {
        SCOPED_TRACE(screen.name);
        m_career.Restore();
        ScreenSweep sweep(SETTLE_PERIODS);
        m_screen = screen.name;
        m_sweep = &sweep;
        sweep.Run(screen, this);
        m_sweep = nullptr;
    }

    // The day screen of a match of the human's whose competition heading is the widest of all:
    // each of its three panels checked once shown, then the match, a friendly again, played in
    // the text view.
    void VisitDayScreen()
    {
        SCOPED_TRACE("day screen");
        m_career.Restore();
        m_contents.Clear();
        Release();
        const int32_t human = m_career.Season().HumanClub();
        int32_t day = VTW_GetCurrentDay();
        while (VTW_GetFixtureDay(Fixture_FirstRowOfDay(day)) == day)
            ++day;
        Calendar_SetDay(day);
        const int32_t opponent =
            human == DivisionLists[0][1] ? DivisionLists[0][2] : DivisionLists[0][1];
        ASSERT_GE(VTW_InsertFixture(day, COMP_FRIENDLY, human, opponent), 0);
        m_dayFixture = VTW_FindHumanFixtureOnDay(day);
        SetCompetition(m_dayFixture, WidestHeadingCompetition(m_dayFixture));
        m_periods = 0;
        m_panel = 0;
        s_test = this;
        ClockAddListener(DayPeriod);
        DayScreen_Run(1, 0);
        ClockRemoveListener(DayPeriod);
        Release();
        EXPECT_EQ(m_panel, 4) << "the panels were not all shown";
    }

    static void DayPeriod() { s_test->OnDayPeriod(); }

    // Each panel once shown and settled is checked, then the bar's button to the next is
    // pressed: "Formation", "Adversaire", "Disputer un match", then "Commentaires".
    void OnDayPeriod()
    {
        const uint32_t t = ++m_periods;
        if (t % STEP_PERIODS == PRESS_PERIODS) Release();
        if (t % STEP_PERIODS != 0 || t < SETTLE_PERIODS) return;
        constexpr const char* PANELS[3] = {"team sheets", "formations", "opponent"};
        constexpr int32_t NEXT_X[4] = {319, 511, 127, 127};
        if (m_panel < 3 && DayScreen_PanelShown() == m_panel && !DayScreen_ViewBarShown()) {
            Check(std::string("the day screen's ") + PANELS[m_panel]);
            if (m_panel == 2) SetCompetition(m_dayFixture, COMP_FRIENDLY);
        } else if (!(m_panel == 3 && DayScreen_ViewBarShown())) {
            return;
        }
        Press(NEXT_X[m_panel++], 455);
    }

    static void SetCompetition(int32_t row, int32_t competition)
    {
        constexpr uint32_t COMPETITION_BITS = 0x7Fu << 9;
        FixtureTable[row].head = (FixtureTable[row].head & ~COMPETITION_BITS)
                                 | (static_cast<uint32_t>(competition) << 9);
    }

    // The competition whose heading, on the fixture's row, is the widest in the title's font.
    static int32_t WidestHeadingCompetition(int32_t row)
    {
        int32_t widest = COMP_FRIENDLY, widestW = -1;
        for (int32_t competition = 0; competition < COMP_COUNT; ++competition) {
            SetCompetition(row, competition);
            char line1[128], line2[128];
            VTW_FormatFixtureCompText(row, line1, line2);
            const std::string heading = std::string(line1) + " " + line2;
            SetMenuFont(2);
            int32_t w, h;
            if (GetTextExtent(heading.c_str(), &w, &h) > widestW) {
                widest = competition;
                widestW = w;
            }
        }
        return widest;
    }

    void Press(int32_t x, int32_t y)
    {
        HostOnMouseMotion(x - PointerX(), y - PointerY());
        HostOnMouseButton(HOST_BUTTON_LEFT, true);
        m_buttonDown = true;
    }

    // The button let go, and the pointer out of the way, off every text.
    void Release()
    {
        if (m_buttonDown) HostOnMouseButton(HOST_BUTTON_LEFT, false);
        m_buttonDown = false;
        HostOnMouseMotion(SCREEN_W - PointerX(), SCREEN_H - PointerY());
    }

    static TextBoxes* s_test;
    std::string m_screen;  // the one swept
    const ScreenSweep* m_sweep = nullptr;
    uint32_t m_periods = 0;  // on the day screen
    int32_t m_panel = 0;
    int32_t m_dayFixture = -1;
    bool m_buttonDown = false;
    SweepCareer m_career{GetParam()};
    ScreenContents m_contents;
    std::set<std::string> m_reported;
    WidestNames m_widest;
    int32_t m_widestClubShown = 0;
    int32_t m_widestPersonShown = 0;
};

TextBoxes* TextBoxes::s_test = nullptr;

}  // namespace

TEST_P(TextBoxes, EveryScreensTextsKeepToTheirBoxes)
{
    // The results of the last league day, for the screens that list a day's fixtures.
    for (const SweepScreen& screen :
         SweepScreens([](bool) { Calendar_SetDay(VTW_GetLastLeagueDay()); }))
        Visit(screen);
    VisitDayScreen();
    // The widest names were on the screens looked at.
    EXPECT_GT(m_widestClubShown, 100);
    EXPECT_GT(m_widestPersonShown, 100);
}

// The header's date lines end at 604 in the header's font: the widest weekday with the widest
// day, and the widest month with a year, start right of the room the header's texts keep to.
TEST(HeaderRoom, EveryDateStandsRightOfTheRoomOfTheHeadersTexts)
{
    ScopedMenuDisplay display;
    SetMenuFont(1);
    constexpr int32_t DATE_RIGHT = 604, GAP = 4;
    constexpr int32_t WEEKDAYS = 2, MONTHS = 9, MONTHS_END = 21;
    int32_t widest = 0;
    for (int32_t text = WEEKDAYS; text < MONTHS_END; ++text) {
        const std::string line =
            GetMessageText(text) + std::string(text < MONTHS ? " 28" : " 2000");
        int32_t w, h;
        widest = std::max(widest, GetTextExtent(line.c_str(), &w, &h));
        EXPECT_GE(DATE_RIGHT - w, HEADER_TEXT_RIGHT + GAP) << line;
    }
    EXPECT_GT(widest, 100);  // "Septembre 2000": the texts were there to measure
}

INSTANTIATE_TEST_SUITE_P(Seasons, TextBoxes,
                         ::testing::Values(SeasonMoment::LeagueOver, SeasonMoment::NextSeason),
                         [](const ::testing::TestParamInfo<SeasonMoment>& info) {
                             return info.param == SeasonMoment::LeagueOver ? "LeagueOver"
                                                                           : "NextSeason";
                         });
