#include "tests/support/news_message.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "game/matchblocks.h"
#include "game/records.h"
#include "game/textmess.h"
#include "viewservices/timedevents.h"

namespace {

constexpr int32_t kFirstClub = 4, kSecondClub = 9;
constexpr int32_t kFirstTeam = 104, kSecondTeam = 109;

bool PersonName(int id, int*, int*, const char** fullName)
{
    static std::string name;
    name = "J. Joueur" + std::to_string(id);
    *fullName = name.c_str();
    return true;
}

const char* ClubName(int team)
{
    if (team == kFirstTeam) return "SC Norbourg";
    return team == kSecondTeam ? "US Greux" : "";
}

const NameSource kNames = {PersonName, ClubName};

}  // namespace

ScopedNewsMessage::ScopedNewsMessage(int expiryTick)
{
    Records_Init();
    DbClubCount = 10;
    clubSlot[kFirstClub] = 0;
    DbClubs[0].team = kFirstTeam;
    clubSlot[kSecondClub] = 1;
    DbClubs[1].team = kSecondTeam;
    TextMess_SetNameSource(&kNames);
    MatchReportFacts facts{};
    facts.kind = REPORT_PENALTY_GOAL;
    facts.firstClub = kFirstClub;
    facts.firstGoals = 2;
    facts.minute = 61;
    facts.player = 34;
    facts.secondClub = kSecondClub;
    EXPECT_TRUE(MatchReport_AddIncident(facts));
    TimedEvents.current = MatchReportState.incidentCount - 1;
    TimedEvents.active = 1;
    TimedEvents.expiryTick = static_cast<uint32_t>(expiryTick);
}

ScopedNewsMessage::~ScopedNewsMessage()
{
    TimedEvents = {};
    TextMess_SetNameSource(nullptr);
    Records_Uninit();
}
