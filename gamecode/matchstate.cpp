// gamecode/matchstate.cpp: the match engine's objects, words and pitch.
#include "gamecode/matchstate.h"

#include <algorithm>

#include "gamecode/formation.h"
#include "gamecode/keycounts.h"
#include "gamecode/matchview.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"

MatchPerson MatchPersons[MATCH_OBJECT_COUNT];
BallState Ball;
MatchWords Match;
TacticsRecord TeamShape[2];
PitchConstants Pitch;

namespace {

PersonActionListener s_actionListener = nullptr;

}  // namespace

void MatchEngine_Init()
{
    MatchPresentation_ClearOptions();
    Match_ResetWords();
}

void Match_ResetWords()
{
    for (MatchPerson& p : MatchPersons) {
        p = {};
    }
    Ball = {};
    Ball.direction = BALL_STILL;
    Ball.spinHeading = BALL_SPIN_UNSET;
    Match = {};
    KeyCounts_Reset();
    Match.ballHolder = -1;
    Match.fouledPlayer = -1;
    Match.offender = -1;
    Match.keeperPendingAction = -1;
    Match.shooter = -1;
    Match.shotStartTick = -1;
    Match.shotDistance = -1;
    Match.shotSpeed = -1;
    Match.excludedPerson = -1;
    Match.kickoffTaker = -1;
    Match.kickoffPartner = -1;
    Match.passProvider = -1;
    Match.secondProvider = -1;
    std::fill(std::begin(Match.shotRecordPlayer), std::end(Match.shotRecordPlayer), -1);
    Match.kickTargetPerson = -1;
    Match.lastDeflector = -1;
    Match.passReceiver = -1;
    Match.assistCandidate = -1;
    Match.lastPossessor[0] = -1;
    Match.lastPossessor[1] = -1;
    Match_ClearPassRecords();
    Match.previousToucher = -1;
    Match.distReceiver = -1;
    Match.restartKind = -1;
    Match.restartReceiver = -1;
    Match.distScan = -1;
    Match.distPower = -1;
    Match.throwReceiver = -1;
    Match.headerMate = -1;
    Match.meetingDistance = 10000;
    Formation_Init();
    for (TacticsRecord& shape : TeamShape) {
        shape = {};
    }
    Pitch = {};
    MatchPresentation_ResetWords();
    MatchView_ResetState();
    Match.lastMinute = -1;
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
            Match.lineUp[side][slot] = static_cast<int16_t>(side * MATCH_PERSONS_PER_SIDE + slot);
            Match.proximity[side][slot] = Match.lineUp[side][slot];
        }
        Match.activePlayer[side] = MATCH_NONE;
    }
}

void Match_ClearPassRecords()
{
    for (int8_t(&record)[2] : Match.passRecord) {
        record[0] = -1;
        record[1] = -1;
    }
}

void MatchEngine_Uninit() { Formation_Uninit(); }

void SetPitchConstants()
{
    Pitch = {
        .unitsPerYard = PITCH_UNITS_PER_YARD,
        .leftTouchline = PITCH_LEFT_TOUCHLINE_X,
        .rightTouchline = PITCH_RIGHT_TOUCHLINE_X,
        .pitchWidth = PITCH_WIDTH,
        .firstGoalLine = PITCH_NEAR_GOAL_LINE_Y,
        .secondGoalLine = PITCH_FAR_GOAL_LINE_Y,
        .pitchLength = PITCH_LENGTH,
        .centreX = PITCH_CENTRE_X,
        .centreY = PITCH_CENTRE_Y,
        .officialsCentreY = PITCH_CENTRE_Y,
        .strategyCentreY = PITCH_CENTRE_Y,
        .postLeftX = PITCH_LEFT_POST_X,
        .postRightX = PITCH_RIGHT_POST_X,
        .goalAreaNearY = PITCH_GOAL_AREA_NEAR_Y,
        .goalAreaFarY = PITCH_GOAL_AREA_FAR_Y,
        .goalAreaLeftX = PITCH_GOAL_AREA_LEFT_X,
        .goalAreaRightX = PITCH_GOAL_AREA_RIGHT_X,
        .penaltySpotNearY = PITCH_PENALTY_SPOT_NEAR_Y,
        .penaltySpotFarY = PITCH_PENALTY_SPOT_FAR_Y,
        .penaltyAreaNearY = PITCH_BOX_NEAR_Y,
        .penaltyAreaFarY = PITCH_BOX_FAR_Y,
        .penaltyAreaLeftX = PITCH_BOX_LEFT_X,
        .penaltyAreaRightX = PITCH_BOX_RIGHT_X,
        .outerLeftX = {PITCH_WALL_LEFT_X, PITCH_WALL_LEFT_X},
        .outerRightX = {PITCH_WALL_RIGHT_X, PITCH_WALL_RIGHT_X},
        .outerNearY = {PITCH_WALL_NEAR_Y, PITCH_WALL_NEAR_Y},
        .outerFarY = {PITCH_WALL_FAR_Y, PITCH_WALL_FAR_Y},
        .offPitchX = PITCH_EXIT_X,
        .tunnelX = PITCH_TUNNEL_X,
        .tunnelY = PITCH_CENTRE_Y,
        .parkedY = PITCH_PARKED_Y,
        .zoneRowsY = {122, 442, 762, 1402, 1722},
        .zoneColumnsX = {156, 412, 668, 924, 1180},
        .contactDistance = 80,
        .contactFactor = 1.2f,
    };
}

void Person_PlaceAt(int32_t person, int32_t x, int32_t y)
{
    MatchPerson& p = MatchPersons[person];
    p.x = static_cast<int16_t>(x);
    p.y = static_cast<int16_t>(y);
    p.x16 = x * 65536;
    p.y16 = y * 65536;
}

void Person_StoreAction(int32_t person, int32_t action)
{
    if (person < 0 || person >= MATCH_OBJECT_COUNT) return;
    MatchPersons[person].action = static_cast<int16_t>(action);
    if (s_actionListener != nullptr) s_actionListener(person, action);
}

void Person_SetActionListener(PersonActionListener listener) { s_actionListener = listener; }

void Person_SetAction(int32_t person, int32_t action)
{
    if (person < 0 || person >= MATCH_OBJECT_COUNT) return;
    Person_StoreAction(person, action);
    MatchPerson& p = MatchPersons[person];
    p.frame = 0;
    p.actionWord = 0;
    p.actionFlag = 0;
    p.passKind = 0;
    p.kicked = 0;
    p.height = 0;
}

void Match_MapSkills(const MatchPlayerEntry& entry, uint8_t skills[MATCH_SKILL_COUNT])
{
    for (int32_t k = 0; k < MATCH_SKILL_COUNT; ++k) {
        // An unchecked word would give a skill of 0 or below, which later rules divide by.
        const int32_t word = std::min<int32_t>(entry.attributes[kSkillSourceWord[k]], 100);
        skills[k] = static_cast<uint8_t>(kSkillScaled[k] ? std::min(word / 2 + 50, 100) : word);
    }
}

bool Match_AggregateLevel()
{
    return Match.score[0] + Match.firstLegGoals[0] == Match.score[1] + Match.firstLegGoals[1];
}
