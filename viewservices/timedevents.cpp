// viewservices/timedevents.cpp: the timed event messages and the text of an incident.
#include "viewservices/timedevents.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

#include "engine/fatal.h"
#include "engine/timer.h"
#include "game/funcs.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchloop.h"
#include "viewservices/matchreport.h"

TimedEventState TimedEvents;

namespace {

constexpr int32_t KIND_NOT_SHOWN = 7;
constexpr int32_t TEXT_PEN = 630;
constexpr int32_t TEXT_MISSED_PENALTY = 631;
constexpr int32_t TEXT_SENT_OFF = 632;
constexpr int32_t TEXT_OWN_GOAL = 698;
constexpr int32_t TEXT_INJURED = 699;

using MessageText = char[TIMEDEVENT_TEXT_BYTES];

void Append(MessageText& text, const char* format, ...) __attribute__((format(printf, 2, 3)));

void Append(MessageText& text, const char* format, ...)
{
    const size_t used = std::strlen(text);
    va_list args;
    va_start(args, format);
    std::vsnprintf(text + used, sizeof(text) - used, format, args);
    va_end(args);
}

const char* PersonName(int32_t person) { return GetMessageText(TEXT_PERSON_BASE + person); }

void AppendPlayerLine(MessageText& text, int32_t kind, const char* name, int32_t minute)
{
    switch (kind) {
        case 1: Append(text, "%s %d", name, minute); break;
        case 2: Append(text, "%s %d %s", name, minute, GetMessageText(TEXT_PEN)); break;
        case 3: Append(text, "%s %d %s", name, minute, GetMessageText(TEXT_OWN_GOAL)); break;
        case 4: Append(text, "%s %s %d", name, GetMessageText(TEXT_SENT_OFF), minute); break;
        case 5: Append(text, "%s %s %d", name, GetMessageText(TEXT_MISSED_PENALTY), minute); break;
        case 6: Append(text, "%s %s %d", name, GetMessageText(TEXT_INJURED), minute); break;
        case KIND_NOT_SHOWN: break;
        default: FatalError("ERROR:DisplayEvent2 default case hit, event=%d", kind);
    }
}

// The message of incident `index` in a view's form: the clubs with their goals, the aggregate of
// a two-legged tie, then the player line.
void BuildMessage(int32_t index, TimedEventForm form, MessageText& text)
{
    const MatchReportIncident& row = MatchReportIncidents[index];
    text[0] = '\0';
    int32_t clubs[2] = {MatchReportIncident_FirstClub(row), MatchReportIncident_SecondClub(row)};
    int32_t goals[2] = {MatchReportIncident_FirstGoals(row), MatchReportIncident_SecondGoals(row)};
    int32_t firstLeg[2] = {row.firstLegGoals & 0x1F, (row.firstLegGoals >> 5) & 0x1F};
    if ((row.word0 >> 31) != 0) {
        std::swap(clubs[0], clubs[1]);
        std::swap(goals[0], goals[1]);
        std::swap(firstLeg[0], firstLeg[1]);
    }
    // The rows hold club numbers; the names are kept by team.
    const char* first = VTW_FormatClubName(VTW_GetTeam(clubs[0]));
    const char* second = VTW_FormatClubName(VTW_GetTeam(clubs[1]));
    if (form == TIMEDEVENT_FORM_BUILT) {
        Append(text, "%s %d  ", first, goals[0]);
        Append(text, "%s %d", second, goals[1]);
    } else {
        // Each goal count sits beside its club, the two counts side by side in the middle.
        Append(text, "%s   %d", first, goals[0]);
        Append(text, "   ");
        Append(text, "%d   %s", goals[1], second);
    }
    Append(text, "   ");
    if (GetMatchSidesBlock()->secondLeg != 0) {
        Append(text, "(%d-%d)", goals[0] + firstLeg[0], goals[1] + firstLeg[1]);
        Append(text, "   ");
    }
    AppendPlayerLine(text, MatchReportIncident_Kind(row),
                     PersonName(MatchReportIncident_Player(row)), MatchReportIncident_Minute(row));
}

}  // namespace

void TimedEvents_Init() { TimedEvents = {}; }

void TimedEvents_Uninit() { TimedEvents_Init(); }

void TimedEvents_Reset()
{
    TimedEvents.current = -1;
    if (MatchReportState.incidentCount > 0) {
        TimedEvents.next = 0;
        MatchReport_Sort();
    }
    TimedEvents.active = 0;
}

void TimedEvents_Step()
{
    const int32_t count = MatchReportState.incidentCount;
    if (TimedEvents.active != 0 || count <= 0) return;
    const int32_t minute = static_cast<int32_t>(GetMatchClockSeconds() / 60);
    const int32_t next = TimedEvents.next;
    if (next < 0 || next >= count
        || MatchReportIncident_Minute(MatchReportIncidents[next]) > minute) {
        TimedEvents.current = -1;
        return;
    }
    TimedEvents.current = next;
    ++TimedEvents.next;
    const uint32_t now = Tick.load();
    TimedEvents.startTick = now;
    TimedEvents_BuildText(next);
    TimedEvents.active = 1;
    TimedEvents.expiryTick = now + TIMEDEVENT_SHOW_TICKS;
}

void TimedEvents_BuildText(int32_t index)
{
    BuildMessage(index, TIMEDEVENT_FORM_BUILT, TimedEvents.text);
}

bool TimedEvents_ShouldDraw()
{
    if (TimedEvents.active == 0) return false;
    // The expiry comes first, so that a row of a kind that is never drawn still lets the next
    // incident through.
    if (Tick.load() > TimedEvents.expiryTick) TimedEvents.active = 0;
    const int32_t index = TimedEvents.current;
    return index >= 0 && MatchReportIncident_Kind(MatchReportIncidents[index]) <= 6;
}

bool DisplayEvent2(int32_t index, TimedEventForm form, TimedEventDraw draw)
{
    if (index != TimedEvents.current || !TimedEvents_ShouldDraw()) return false;
    if (form == TIMEDEVENT_FORM_BUILT) {
        draw(TimedEvents.text);
        return true;
    }
    MessageText text;
    BuildMessage(index, form, text);
    draw(text);
    return true;
}
