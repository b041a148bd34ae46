// The info bar's texts and slide, the timed event messages on a scripted clock and the order of
// the incident rows they read.
#include "viewservices/infobar.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/timer.h"
#include "game/matchblocks.h"
#include "game/records.h"
#include "game/textmess.h"
#include "gamecode/matchstate.h"
#include "matchscreens/matchkeys.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "viewservices/matchreport.h"
#include "viewservices/timedevents.h"

namespace {

// The generated texts, the engine's persons and the presentation's words from their start.
class ScopedTexts {
public:
    ScopedTexts()
    {
        ResetCoreForTest();
        MemoryInit();
        PakFileInit();
        DataFolderInit(ScopedMenus::GeneratedDataFolder().c_str());
        PakMount("pakfiles\\hdcommon");
        TextMess_Init();
        TextMess_Load();
        MatchBlocks_Init();
        MatchEngine_Init();
        MatchKeys_Init();
        InfoBar_Init();
        TimedEvents_Init();
        std::strcpy(MatchPersons[3].name, "A. Martin");
        std::strcpy(MatchPersons[20].name, "B. Durand");
    }
    ~ScopedTexts()
    {
        TimedEvents_Uninit();
        InfoBar_Uninit();
        MatchKeys_Uninit();
        MatchEngine_Uninit();
        MatchBlocks_Uninit();
        TextMess_Uninit();
        PakFileUninit();
        MemoryUninit();
        ResetCoreForTest();
    }
};

std::string Text() { return InfoBar_GetText(); }

TEST(InfoBar, EveryTypeWritesItsText)
{
    ScopedTexts texts;
    ViewFlags.modelDetail = 1;
    InfoBar(INFOBAR_MODEL_DETAIL, 0, 0, 0);
    EXPECT_EQ(Text(), "D\xE9tail Mod\xE8le Interm\xE9"
                      "diaire");
    ViewFlags.modelDetail = 7;  // another level leaves the old text
    InfoBar(INFOBAR_MODEL_DETAIL, 0, 0, 0);
    EXPECT_EQ(Text(), "D\xE9tail Mod\xE8le Interm\xE9"
                      "diaire");
    InfoBar(INFOBAR_SCREEN_SIZE, 800, 600, 0);
    EXPECT_EQ(Text(), "800 x 600");
    InfoBar(INFOBAR_PANORAMIC, 0, 0, 0);
    EXPECT_EQ(Text(), "Panoramique Off");
    InfoBar(INFOBAR_NAMES, 0, 0, 0);
    EXPECT_EQ(Text(), "Noms des Joueurs On");
    InfoBar(INFOBAR_QUICK_PREVIEW, 0, 0, 0);
    EXPECT_EQ(Text(), std::string(GetMessageText(828)) + " Off");
    InfoBar(INFOBAR_SUBSTITUTE, 0, 0, 0);
    EXPECT_EQ(Text(), GetMessageText(1332));
    for (int32_t type : {0, 1, 2, 3, 4, 5, 10, 13, 14, 15}) {
        InfoBar(type, 3, 20, 0);
        EXPECT_EQ(Text(), GetMessageText(1640 + type)) << type;
        EXPECT_EQ(InfoBarInfo.framesLeft, 150);
    }
    EXPECT_EQ(Text(), "Faute");
    InfoBar_FromEngine(8, 3, -1);
    EXPECT_EQ(Text(), "But A. Martin");
    InfoBar_FromEngine(6, 20, -1);
    EXPECT_EQ(Text(), std::string(GetMessageText(1411)) + " B. Durand");
    InfoBar_FromEngine(11, 3, 20);
    EXPECT_EQ(Text(), std::string(GetMessageText(1332)) + " : B. Durand " + GetMessageText(1652)
                          + " : A. Martin");
    InfoBar(12, 3, 20, 633);
    EXPECT_EQ(Text(), std::string("But : B. Durand ") + GetMessageText(1653) + " : A. Martin");
    EXPECT_EQ(InfoBar_GetType(), 12);
}

TEST(InfoBar, QuickPreviewShortensEveryBar)
{
    ScopedTexts texts;
    InfoBar(INFOBAR_PANORAMIC, 0, 0, 0);
    EXPECT_EQ(InfoBarInfo.framesLeft, 100);
    ViewFlags.quickPreview = 1;
    InfoBar(0, 0, 0, 0);
    EXPECT_EQ(InfoBarInfo.framesLeft, 50);
}

TEST(InfoBar, SlidesInToNinetyEightAndBackOut)
{
    ScopedTexts texts;
    InfoBar(0, 0, 0, 0);
    int32_t highest = 0;
    for (int32_t frame = 0; frame < 150; ++frame) {
        InfoBar_Animate();
        highest = std::max(highest, InfoBar_GetOffset());
    }
    EXPECT_EQ(highest, INFOBAR_OFFSET_MAX);
    EXPECT_EQ(InfoBar_GetOffset(), INFOBAR_OFFSET_MAX);
    InfoBar_Animate();
    EXPECT_EQ(InfoBar_GetOffset(), INFOBAR_OFFSET_MAX - 2);
    for (int32_t frame = 0; frame < 60; ++frame)
        InfoBar_Animate();
    EXPECT_EQ(InfoBar_GetOffset(), 0);
    InfoBar(0, 0, 0, 0);
    InfoBar_Animate();
    InfoBar_Reset();
    EXPECT_EQ(InfoBar_GetOffset(), 0);
    EXPECT_EQ(InfoBarInfo.framesLeft, 0);
}

TEST(InfoBarDeathTest, UnknownTypeIsFatal)
{
    EXPECT_FATAL(InfoBar(16, 0, 0, 0), "Error: InfoBar(): unknown type (16)\n");
    EXPECT_FATAL(InfoBar(-7, 0, 0, 0), "Error: InfoBar(): unknown type (-7)\n");
}

// ---------------------------------------------------------------------------------------------
// Timed events.

bool FakePerson(int id, int*, int*, const char** fullName)
{
    static std::string name;
    name = "Joueur" + std::to_string(id);
    *fullName = name.c_str();
    return true;
}

// The incidents name clubs 4 and 9, whose teams are 104 and 109.
const char* FakeClub(int team)
{
    if (team == 104) return "Rouen";
    return team == 109 ? "Brest" : "Autre";
}

void MapClubToTeam(int32_t club, int32_t slot, int32_t team)
{
    clubSlot[club] = static_cast<uint16_t>(slot);
    DbClubs[slot].team = static_cast<uint16_t>(team);
}

const NameSource kNames = {FakePerson, FakeClub};

MatchReportFacts Facts(int32_t kind, int32_t minute, int32_t player)
{
    MatchReportFacts f{};
    f.kind = kind;
    f.firstClub = 4;
    f.firstGoals = 2;
    f.minute = minute;
    f.player = player;
    f.secondClub = 9;
    f.secondGoals = 1;
    f.firstLegFirst = 1;
    f.firstLegSecond = 3;
    return f;
}

// Period 0 of 2,700 ticks: one tick of the period per second of the clock.
void SetClockMinute(int32_t minute)
{
    Match.period = 0;
    Match.periodLength = 2700;
    Match.periodTicks = static_cast<uint32_t>(minute * 60);
}

TEST(TimedEvents, IncidentsShowAtTheirMinuteEachForFourSeconds)
{
    ScopedTexts texts;
    TextMess_SetNameSource(&kNames);
    GetMatchSidesBlock()->secondLeg = 0;
    ASSERT_TRUE(MatchReport_AddIncident(Facts(1, 10, 7)));
    ASSERT_TRUE(MatchReport_AddIncident(Facts(1, 0, 5)));
    ASSERT_TRUE(MatchReport_AddIncident(Facts(2, 10, 8)));
    TimedEvents_Reset();
    SetClockMinute(0);
    Tick.store(1000);
    std::vector<std::pair<uint32_t, int32_t>> shown;  // tick, player
    for (uint32_t t = 1000; t < 3000; ++t) {
        Tick.store(t);
        if (t == 1500) SetClockMinute(10);
        TimedEvents_Step();
        if (TimedEvents.active != 0 && TimedEvents.startTick == t)
            shown.push_back(
                {t, MatchReportIncident_Player(MatchReportIncidents[TimedEvents.current])});
        TimedEvents_ShouldDraw();
    }
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], (std::pair<uint32_t, int32_t>{1000, 5}));
    EXPECT_EQ(shown[1], (std::pair<uint32_t, int32_t>{1500, 7}));
    EXPECT_EQ(shown[2], (std::pair<uint32_t, int32_t>{1902, 8}));  // 1,500 drawn through 1,901
    TextMess_SetNameSource(nullptr);
}

TEST(TimedEvents, APeriodSetUpTakesTheListFromTheStartAgain)
{
    ScopedTexts texts;
    ASSERT_TRUE(MatchReport_AddIncident(Facts(1, 3, 7)));
    TimedEvents_Reset();
    SetClockMinute(50);
    TimedEvents_Step();
    EXPECT_EQ(TimedEvents.current, 0);
    TimedEvents.active = 0;
    TimedEvents_Step();
    EXPECT_EQ(TimedEvents.current, -1);
    TimedEvents_Reset();
    TimedEvents_Step();
    EXPECT_EQ(TimedEvents.current, 0);
}

TEST(TimedEvents, TextsNameClubsGoalsTheTieAndThePlayer)
{
    ScopedTexts texts;
    Records_Init();
    DbClubCount = 10;
    MapClubToTeam(4, 0, 104);
    MapClubToTeam(9, 1, 109);
    TextMess_SetNameSource(&kNames);
    const std::string expected[] = {
        "Rouen 2  Brest 1   Joueur7 12",
        "Rouen 2  Brest 1   Joueur7 12 pen",
        "Rouen 2  Brest 1   Joueur7 12 csc",
        "Rouen 2  Brest 1   Joueur7 exp. 12",
        std::string("Rouen 2  Brest 1   Joueur7 ") + GetMessageText(631) + " 12",
        "Rouen 2  Brest 1   Joueur7 Bl 12",
    };
    GetMatchSidesBlock()->secondLeg = 0;
    for (int32_t kind = 1; kind <= 6; ++kind) {
        MatchReportState.incidentCount = 0;
        ASSERT_TRUE(MatchReport_AddIncident(Facts(kind, 12, 7)));
        TimedEvents_BuildText(0);
        EXPECT_EQ(TimedEvents.text, expected[kind - 1]) << kind;
    }
    GetMatchSidesBlock()->secondLeg = 1;
    TimedEvents_BuildText(0);
    EXPECT_EQ(std::string(TimedEvents.text), "Rouen 2  Brest 1   (3-4)   Joueur7 Bl 12");
    Records_Uninit();
}

std::string s_drawn;
int32_t s_draws;

void RecordDraw(const char* message)
{
    s_drawn = message;
    ++s_draws;
}

// The message each view draws: the builder's text, or the menu screens' form with each club
// beside its goals; nothing for another incident than the current one, a kind never shown or no
// message; past the expiry one last frame.
TEST(TimedEvents, DisplayEvent2DrawsTheMessageInEachViewsForm)
{
    ScopedTexts texts;
    Records_Init();
    DbClubCount = 10;
    MapClubToTeam(4, 0, 104);
    MapClubToTeam(9, 1, 109);
    TextMess_SetNameSource(&kNames);
    ASSERT_TRUE(MatchReport_AddIncident(Facts(1, 12, 7)));
    ASSERT_TRUE(MatchReport_AddIncident(Facts(7, 12, 8)));
    struct Case {
        int32_t secondLeg;
        TimedEventForm form;
        const char* message;
    };
    const Case cases[] = {
        {0, TIMEDEVENT_FORM_BUILT, "Rouen 2  Brest 1   Joueur7 12"},
        {0, TIMEDEVENT_FORM_MENU, "Rouen   2   1   Brest   Joueur7 12"},
        {1, TIMEDEVENT_FORM_MENU, "Rouen   2   1   Brest   (3-4)   Joueur7 12"},
    };
    Tick.store(100);
    for (const Case& c : cases) {
        GetMatchSidesBlock()->secondLeg = c.secondLeg;
        TimedEvents_Reset();
        SetClockMinute(12);
        TimedEvents_Step();
        s_draws = 0;
        EXPECT_FALSE(DisplayEvent2(1, c.form, RecordDraw));
        EXPECT_TRUE(DisplayEvent2(0, c.form, RecordDraw));
        EXPECT_EQ(s_draws, 1);
        EXPECT_EQ(s_drawn, c.message);
    }
    s_draws = 0;
    Tick.store(100 + TIMEDEVENT_SHOW_TICKS + 1);
    EXPECT_TRUE(DisplayEvent2(0, TIMEDEVENT_FORM_MENU, RecordDraw));
    EXPECT_FALSE(DisplayEvent2(0, TIMEDEVENT_FORM_MENU, RecordDraw));
    TimedEvents_Step();  // the kind-7 row of the same minute
    ASSERT_EQ(TimedEvents.current, 1);
    EXPECT_FALSE(DisplayEvent2(1, TIMEDEVENT_FORM_MENU, RecordDraw));
    EXPECT_FALSE(DisplayEvent2(-1, TIMEDEVENT_FORM_MENU, RecordDraw));
    EXPECT_EQ(s_draws, 1);
    Records_Uninit();
    TextMess_SetNameSource(nullptr);
}

TEST(TimedEventsDeathTest, IncidentOfKindZeroIsFatal)
{
    EXPECT_FATAL(
        {
            ScopedTexts texts;
            MatchReport_AddIncident(Facts(0, 1, 7));
            TimedEvents_BuildText(0);
        },
        "ERROR:DisplayEvent2 default case hit, event=0");
}

TEST(MatchReport, SortOrdersByMinuteThenByArrival)
{
    ScopedTexts texts;
    MatchReport_Sort();  // no rows: nothing happens
    ASSERT_TRUE(MatchReport_AddIncident(Facts(1, 30, 1)));
    MatchReport_Sort();
    EXPECT_EQ(MatchReportIncident_Player(MatchReportIncidents[0]), 1);
    for (auto [minute, player] : {std::pair{10, 2}, {30, 3}, {10, 4}, {5, 5}})
        ASSERT_TRUE(MatchReport_AddIncident(Facts(1, minute, player)));
    MatchReport_Sort();
    const int32_t order[] = {5, 2, 4, 1, 3};
    for (int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(MatchReportIncident_Player(MatchReportIncidents[i]), order[i]) << i;
}

}  // namespace
