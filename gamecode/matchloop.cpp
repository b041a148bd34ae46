// gamecode/matchloop.cpp: the match loop, the engine tick, the clock, the timers and heat maps.
#include "gamecode/matchloop.h"

#include <algorithm>
#include <array>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/keyboard.h"
#include "engine/poll.h"
#include "engine/random.h"
#include "game/matchblocks.h"
#include "gamecode/actionids.h"
#include "gamecode/actions.h"
#include "gamecode/activeplayer.h"
#include "gamecode/ball.h"
#include "gamecode/comments/commentary.h"
#include "gamecode/incidents.h"
#include "gamecode/marking.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/officials.h"
#include "gamecode/phases.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "gamecode/refill.h"
#include "gamecode/teamshape.h"

namespace {

constexpr auto kNominalMinutes = std::to_array<uint32_t>({45, 45, 15, 15, 0});
constexpr auto kStartMinute = std::to_array<uint32_t>({0, 45, 90, 105, 0});
constexpr int32_t kLastMinute = 120;  // of extra time
constexpr int32_t kBonusTicks = 2400;
constexpr int32_t kMomentumMax = 1000;

void OpenMenuForRequest(uint16_t request)
{
    switch (request) {
        case 1: MatchPresentationOps.InGameMenusPage6(); break;
        case 2: MatchPresentationOps.InGameMenusFromStart(); break;
        case 3: MatchPresentationOps.InGameMenusPage4(); break;
        case 4: MatchPresentationOps.InGameMenusPage1(); break;
        case 5: MatchPresentationOps.InGameMenusPage0(); break;
        default: FatalError("ERROR: default case hit %d", request);
    }
}

void StartReplay()
{
    MatchShared.replayStartRequest = 0;
    MatchPresentationOps.Replay_Store();
    MatchShared.replayPlaying = 1;
    MatchShared.replaySpeed[0] = 5;
    MatchShared.replaySpeed[1] = 5;
}

void EndReplay()
{
    MatchPresentationOps.Replay_Restore();
    MatchShared.replayPlaying = 0;
    MatchShared.replayEndRequest = 0;
    switch (MatchShared.replayState) {
        case REPLAY_THEN_MENU: MatchShared.menuRequest = 1; break;
        case REPLAY_WATCH: MatchEndFlag = 1; break;
        case REPLAY_THEN_2D: GetMatchSidesBlock()->viewMode = VIEW_2D; break;
        default: break;
    }
    MatchShared.replayState = REPLAY_NORMAL;
}

int32_t HeatCell(int32_t offset, int32_t cells, int32_t span, int32_t last)
{
    return std::clamp(offset * cells / span, 0, last);
}

void CountHeat(int32_t grid, int32_t x, int32_t y, bool mirrored)
{
    int32_t col =
        HeatCell(x - PITCH_LEFT_TOUCHLINE_X, TACTIC_GRID_ROWS, PITCH_WIDTH, TACTIC_GRID_ROWS - 1);
    int32_t row = HeatCell(y - PITCH_NEAR_GOAL_LINE_Y, TACTIC_GRID_COLUMNS, PITCH_LENGTH,
                           TACTIC_GRID_COLUMNS - 1);
    if (mirrored) {
        col = TACTIC_GRID_ROWS - 1 - col;
        row = TACTIC_GRID_COLUMNS - 1 - row;
    }
    ++GetMatchDataBlock()->heatMaps[grid][col][row];
}

void UpdateTerritory(int32_t minute)
{
    if (minute != Match.lastMinute) {
        if (Match.lastMinute >= 0 && Match.lastMinute < MATCH_TERRITORY_MINUTES - 1)
            GetMatchDataBlock()->territory[Match.lastMinute] =
                static_cast<uint8_t>(Match.territory);
        Match.territory = 50;
        Match.lastMinute = minute;
    }
    const int32_t ballY = MatchPersons[MATCH_BALL].y;
    const int32_t towardFar = Match.secondOfPair == 0 ? 1 : -1;
    if (ballY > 1554) Match.territory = static_cast<int16_t>(Match.territory + towardFar);
    if (ballY < 610) Match.territory = static_cast<int16_t>(Match.territory - towardFar);
    Match.territory = std::clamp<int16_t>(Match.territory, 0, 100);
}

void CountPossession()
{
    const int32_t p = Ball.possession & 1;
    const int32_t ballY = MatchPersons[MATCH_BALL].y;
    int32_t third = THIRD_MIDDLE;
    if (ballY >= PITCH_FAR_THIRD_Y) third = THIRD_ATTACK;
    if (ballY <= PITCH_NEAR_THIRD_Y) third = THIRD_OWN;
    // The thirds are named from the side attacking larger y; the other side sees them swapped.
    if (p != Match.secondOfPair) third = THIRD_COUNT - 1 - third;
    ++Match.thirdsTicks[p][third];
    ++Match.openPlayTicks;
    ++Match.possessionTicks[p];
}

void UpdateMomentum()
{
    const int32_t p = Ball.possession & 1;
    const int32_t other = p ^ 1;
    const int32_t behind = std::min(Match.score[other] - Match.score[p], 4);
    if (behind >= 0) {
        TeamMomentum[p] = static_cast<int16_t>(TeamMomentum[p] + behind + 1);
        TeamMomentum[other] = static_cast<int16_t>(TeamMomentum[other] - 1);
    } else {
        const int32_t lead = std::min(Match.score[p] - Match.score[other], 4);
        TeamMomentum[other] = static_cast<int16_t>(TeamMomentum[other] - (5 - lead));
    }
    TeamMomentum[other] = std::max<int16_t>(TeamMomentum[other], 0);
    TeamMomentum[p] = std::min<int16_t>(TeamMomentum[p], kMomentumMax);
}

bool GoldenGoalScored()
{
    return Match.goldenGoal != 0 && (Match.period == 2 || Match.period == 3)
           && !Match_AggregateLevel();
}

void CelebrateLead()
{
    if (Match.period != 1 && Match.period != 3) return;
    const int32_t total0 = Match.score[0] + Match.firstLegGoals[0];
    const int32_t total1 = Match.score[1] + Match.firstLegGoals[1];
    if (total0 == total1) return;
    const int32_t leader = total0 > total1 ? 0 : 1;
    for (int32_t s = 0; s < MATCH_PERSONS_PER_SIDE; ++s) {
        const int32_t person = leader * MATCH_PERSONS_PER_SIDE + s;
        if (Rand() % 2 == 0) continue;
        Person_SetAction(person, ACT_CELEBRATE);
        if (MatchPersons[person].offPitch == 0)
            Match.celebratingPlayer = static_cast<int16_t>(person);
        MatchPersons[person].passKind = static_cast<int16_t>(Rand() % 2);
        MatchPresentationOps.PlayMatchSfx(28, 0);
    }
}

}  // namespace

void WritePeriodResults()
{
    MatchDataBlock* data = GetMatchDataBlock();
    for (int32_t side = 0; side < 2; ++side) {
        MatchSideStats& stats = data->sides[side];
        stats.score = Match.score[side];
        stats.shootOutGoals = Match.shootOutGoals[side];
        for (int32_t s = 0; s < MATCH_PERSONS_PER_SIDE; ++s) {
            stats.players[s] = {};
            Football_FillPlayerMatchRecord(&stats.players[s], side, s);
        }
    }
}

void MatchLoop()
{
    Team_RefillLineup();
    while (!(MatchEndFlag != 0 && MatchShared.replayPlaying == 0)) {
        Poll();
        if (MatchShared.menuRequest != 0 && MatchShared.replayPlaying == 0) {
            MatchShared.replayEndRequest = 0;
            OpenMenuForRequest(MatchShared.menuRequest);
            KeyClearBuffer();
            MatchShared.menuRequest = 0;
        }
        if (MatchShared.replayStartRequest != 0) StartReplay();
        if (MatchShared.replayPlaying != 0) {
            MatchPresentationOps.Replay_PlayFrame();
        } else if (MatchShared.pauseWord == 0) {
            EngineTick();
            Match_RecordHeatMap();
        }
        if (MatchShared.replayEndRequest != 0) EndReplay();
        Match_FillRenderList();
        MatchView_UpdateAndFrame();
    }
    WritePeriodResults();
}

// Whoever moves first sees the other where he stood last tick and wins a ball both reach on the
// same tick, so the person number must not decide it. Nor may the tick's parity: a tackle
// comes only on every k-th tick, and with k even one side would always move first at it. Steps
// of the golden ratio round the 32-bit circle give either side first as often over any run of
// ticks and over every k-th tick alike, without a draw.
uint8_t Match_FirstSideOfTick(uint32_t tick)
{
    return static_cast<uint8_t>((tick * 2654435769u) >> 31);
}

void EngineTick()
{
    EvaluateTeamStrategy();
    UpdateTeamStrategy();
    Team_PickUpAttackers();
    Team_StepBackOnside();
    Team_SetMarkingTargets();
    Team_SortAndPickActive();
    Match.firstSide = Match_FirstSideOfTick(Match.tickCount);
    Ball_Tick();
    Match_TickTimers();
    UpdatePlayerGroup();
    Officials_Update();
    player_action();
    MatchPhase_Dispatch();
    Match_ClockTick();
    if (!(Match.recordPause != 0 && Match.timers[TIMER_RECORD_RESUME] == 0))
        MatchPresentationOps.Replay_RecordFrame();
    MatchView_Tick();
}

void Match_ClockTick()
{
    const int32_t minute = Match_GetMinute();
    ++Match.tickCount;
    if (Match.clockRunning == 0 || Match.period == MATCH_PERIOD_SHOOT_OUT) return;
    if (MatchPhase == PHASE_OPEN_PLAY || MatchPhase == PHASE_GOAL) {
        // Extra time starts level on aggregate, so the golden goal compares aggregates too.
        const int32_t ballY = MatchPersons[MATCH_BALL].y;
        if (GoldenGoalScored()
            || (Match.timeUp != 0 && ballY > PITCH_CENTRE_Y - 200
                && ballY < PITCH_CENTRE_Y + 200)) {
            Match_EndPeriod();
            return;
        }
    }
    bool advanced = false;
    if (Match.periodTicks >= Match.periodLength) {
        --Match.stoppageCountdown;
        Match.lastMinute = -1;
        if (Match.stoppageCountdown <= 0) Match.timeUp = 1;
    } else {
        UpdateTerritory(minute);
        ++Match.periodTicks;
        ++Match.matchTicks;
        advanced = true;
    }
    if (MatchPhase != PHASE_OPEN_PLAY) return;
    // matchTicks stands still in stoppage time: fatigue runs only when it moves onto a multiple.
    if (advanced && Match.matchTicks % 400 == 0) Match_Fatigue();
    CountPossession();
}

void Match_TickTimers()
{
    Match.ballCoefficients[0] = 0.52f;
    Match.ballCoefficients[1] = 0.94f;
    Match.groupCounter = static_cast<uint16_t>((Match.groupCounter + 1) & 3);
    Match.tickSide ^= 1;
    for (int16_t& timer : Match.timers) {
        if (timer > 0) --timer;
    }
    if (MatchPhase == PHASE_OPEN_PLAY) {
        if (Match.bonusTimer > 0) {
            --Match.bonusTimer;
        } else {
            Match.bonusTimer = kBonusTicks;
            for (int16_t& pressure : TeamPressure) {
                if (pressure > 0) --pressure;
            }
        }
        if (Match.bonusTimer % 4 == 0) UpdateMomentum();
    }
    if (MatchPhase == PHASE_KICKOFF_READY) {
        TeamMomentum[0] = 0;
        TeamMomentum[1] = 0;
    }
}

void Match_RecordHeatMap()
{
    // The shoot-out's kicks are no open play of the match: its clock stands still.
    if (MatchPhase != PHASE_OPEN_PLAY || Match.period == MATCH_PERIOD_SHOOT_OUT) return;
    const bool mirrored = Match.period == 0 || Match.period == 2;
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        if (MatchPersons[p].animation == -1) continue;
        CountHeat(p, MatchPersons[p].x, MatchPersons[p].y, mirrored);
    }
    CountHeat(MATCH_PLAYER_COUNT + (Ball.possession & 1), MatchPersons[MATCH_BALL].x,
              MatchPersons[MATCH_BALL].y, mirrored);
}

void Match_SetPeriodLength(int32_t seconds)
{
    Match.periodTicks = 0;
    if (Match.period == 0) Match.matchTicks = 0;
    Match.timeUp = 0;
    Match.stoppageCountdown = 0;
    Match.clockRunning = 0;
    Match.periodLength = static_cast<uint32_t>(seconds) * 50;
}

int32_t Match_PeriodSeconds(int32_t period)
{
    return Match.periodMinutes * (period <= 1 ? 60 : 20);
}

void Match_ShowPeriodClock(int32_t period)
{
    Match.period = static_cast<uint8_t>(period);
    Match.periodLength = static_cast<uint32_t>(Match_PeriodSeconds(period)) * 50;
}

void Match_EndPeriod()
{
    MatchPresentationOps.PlayMatchSfx(8, 0);
    Person_SetAction(MATCH_REFEREE, OFFICIAL_REFEREE_WHISTLE);
    Match.refereeReturnState = 4;
    Match.refereeSignal = 3;
    MatchPhase = PHASE_PERIOD_OVER;
    if (Match.period < MATCH_PERIOD_SHOOT_OUT) Comm_Say(115 + Match.period, 0, -1, -1, 0);
    Ball.secondHolder = 0;
    Match.followedObject = MATCH_BALL;
    Person_SetAction(MATCH_LINESMAN_1, OFFICIAL_LINESMAN_TO_EXIT);
    Person_SetAction(MATCH_LINESMAN_2, OFFICIAL_LINESMAN_TO_EXIT);
    PhaseTimer = 0;
    Match.restartByte = 0;
    Ball.holder = 0;
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        Person_SetAction(p, ACT_WALK_OFF);
    }
    Match.recordPause = 0;
    CelebrateLead();
    ActivePlayer[0] = MATCH_NONE;
    ActivePlayer[1] = MATCH_NONE;
    Match.clockRunning = 0;
    ++Match.periodEndMarker;
}

void Match_FillRenderList()
{
    for (int32_t i = 0; i < MATCH_OBJECT_COUNT; ++i) {
        const MatchPerson& p = MatchPersons[i];
        RenderList[i] = {static_cast<float>(p.x),
                         static_cast<float>(p.height) * 2.8f,
                         static_cast<float>(p.y),
                         p.animation,
                         p.drawnFrame,
                         p.drawnDirection,
                         p.headAngle};
    }
    RenderObject& ball = RenderList[MATCH_BALL];
    ball.height = static_cast<float>(Ball.height) * 2.8f;
    const int32_t holder = Ball.holder != 0 ? Ball.holder : Ball.secondHolder;
    if (holder > 0 && holder <= MATCH_OBJECT_COUNT && MatchPersons[holder - 1].animation >= 0) {
        MatchPresentationOps.PlaceAtMotionOffset(&ball, holder - 1);
    } else {
        ball.height += 2.5f;
    }
}

uint32_t GetMatchClockSeconds() { return Match_ClockSecondsAt(Match.periodTicks); }

uint32_t Match_ClockSecondsAt(uint32_t periodTicks)
{
    const int32_t period = std::min<int32_t>(Match.period, MATCH_PERIOD_COUNT - 1);
    if (Match.periodLength == 0) return kStartMinute[period] * 60;
    return kNominalMinutes[period] * periodTicks * 60 / Match.periodLength
           + kStartMinute[period] * 60;
}

int32_t Match_GetMinute() { return static_cast<int32_t>(GetMatchClockSeconds() / 60); }

int32_t Match_PlayedMinute()
{
    return Match.period >= MATCH_PERIOD_SHOOT_OUT ? kLastMinute : Match_GetMinute();
}
