// viewservices/matchreport.h: the order of the other grounds' incidents that the match shows.
#pragma once

// Sorts the MatchReportIncidents rows in use, in place, by minute and then by the order they
// were added in.
void MatchReport_Sort();
