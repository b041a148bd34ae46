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

void Append(const char* format, ...) __attribute__((format(printf, 1, 2)));

void Append(const char* format, ...)
{
    const size_t used = std::strlen(TimedEvents.text);
    va_list args;
    va_start(args, format);
    std::vsnprintf(TimedEvents.text + used, sizeof(TimedEvents.text) - used, format, args);
    va_end(args);
}

const char* PersonName(int32_t person) { return GetMessageText(TEXT_PERSON_BASE + person); }

void AppendPlayerLine(int32_t kind, const char* name, int32_t minute)
{
    switch (kind) {
        case 1: Append("%s %d", name, minute); break;
        case 2: Append("%s %d %s", name, minute, GetMessageText(TEXT_PEN)); break;
        case 3: Append("%s %d %s", name, minute, GetMessageText(TEXT_OWN_GOAL)); break;
        case 4: Append("%s %s %d", name, GetMessageText(TEXT_SENT_OFF), minute); break;
        case 5: Append("%s %s %d", name, GetMessageText(TEXT_MISSED_PENALTY), minute); break;
        case 6: Append("%s %s %d", name, GetMessageText(TEXT_INJURED), minute); break;
        case KIND_NOT_SHOWN: break;
        default: FatalError("ERROR:DisplayEvent2 default case hit, event=%d", kind);
    }
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
    const MatchReportIncident& row = MatchReportIncidents[index];
    TimedEvents.text[0] = '\0';
    int32_t clubs[2] = {MatchReportIncident_FirstClub(row), MatchReportIncident_SecondClub(row)};
    int32_t goals[2] = {MatchReportIncident_FirstGoals(row), MatchReportIncident_SecondGoals(row)};
    int32_t firstLeg[2] = {row.firstLegGoals & 0x1F, (row.firstLegGoals >> 5) & 0x1F};
    if ((row.word0 >> 31) != 0) {
        std::swap(clubs[0], clubs[1]);
        std::swap(goals[0], goals[1]);
        std::swap(firstLeg[0], firstLeg[1]);
    }
    // The rows hold club numbers; the names are kept by team.
    Append("%s %d  ", VTW_FormatClubName(VTW_GetTeam(clubs[0])), goals[0]);
    Append("%s %d", VTW_FormatClubName(VTW_GetTeam(clubs[1])), goals[1]);
    Append("   ");
    if (GetMatchSidesBlock()->secondLeg != 0) {
        Append("(%d-%d)", goals[0] + firstLeg[0], goals[1] + firstLeg[1]);
        Append("   ");
    }
    AppendPlayerLine(MatchReportIncident_Kind(row), PersonName(MatchReportIncident_Player(row)),
                     MatchReportIncident_Minute(row));
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
