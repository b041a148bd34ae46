// viewservices/matchreport.cpp: the incident rows sorted for the timed event messages.
#include "viewservices/matchreport.h"

#include <utility>

#include "game/matchblocks.h"

namespace {

bool Before(const MatchReportIncident& a, const MatchReportIncident& b)
{
    const int32_t minuteA = MatchReportIncident_Minute(a);
    const int32_t minuteB = MatchReportIncident_Minute(b);
    if (minuteA != minuteB) return minuteA < minuteB;
    return MatchReportIncident_Sequence(a) < MatchReportIncident_Sequence(b);
}

}  // namespace

void MatchReport_Sort()
{
    const int32_t count = MatchReportState.incidentCount;
    for (int32_t i = 0; i < count; ++i) {
        for (int32_t j = i + 1; j < count; ++j) {
            if (Before(MatchReportIncidents[j], MatchReportIncidents[i]))
                std::swap(MatchReportIncidents[i], MatchReportIncidents[j]);
        }
    }
}
