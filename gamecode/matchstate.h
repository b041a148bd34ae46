// gamecode/matchstate.h: the match engine's objects, words and pitch: the 37 match persons, the
// ball, the line-ups, the period and clock words, and the constants every engine module reads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "game/matchblocks.h"
#include "gamecode/pitch.h"

constexpr int32_t MATCH_OBJECT_COUNT = 37;
constexpr int32_t MATCH_PLAYER_COUNT = 32;
constexpr int32_t MATCH_REFEREE = 32;
constexpr int32_t MATCH_LINESMAN_1 = 33;
constexpr int32_t MATCH_LINESMAN_2 = 34;
constexpr int32_t MATCH_BALL = 35;
constexpr int32_t MATCH_MARKER = 36;  // the restart marker
constexpr int32_t MATCH_SKILL_COUNT = 22;
constexpr int32_t MATCH_PERSONS_PER_SIDE = 16;
constexpr int32_t MATCH_PERIOD_COUNT = 5;  // two halves, two extra periods, the shoot-out
constexpr int32_t MATCH_PERIOD_SHOOT_OUT = 4;
constexpr uint8_t MATCH_NONE = 255;  // no active player, no side

// Skill bytes the spine reads (numbering of the skill mapping below).
constexpr int32_t SKILL_PACE = 15;
constexpr int32_t SKILL_AGILITY = 18;

// Per-match counters of one person, cleared at the first set-up; later modules add counters.
struct MatchPersonStats {
    int8_t goals;
    uint8_t pad0;
    // Every open-play touch of the ball, his own repeated ones too (record field 14); held at
    // the word's top.
    int16_t possessionCount;
    int16_t ownGoals;
    int16_t goalsAgainst;
    int16_t dives;  // dives started by a keeper
    int16_t assists;
    int16_t shotRecordGoals[3];  // goals scored from the first, second and third shot record
    int16_t secondKindCompletions;
    int16_t secondAssists;  // goals set up as the second provider
    int16_t cornersTaken;
    uint32_t firstPlayTick;  // matchTicks of his first and latest tick in open play; 0 none
    uint32_t latestPlayTick;
    int16_t touches;
    int16_t ballsLost;
    int16_t ownBoxChallenges;  // times he was challenged in his own penalty area
    int16_t boxEntries;        // touches inside the penalty area his opponents defend
    int16_t dribbles;
    uint16_t involvement;        // passes of the active-player choice that found him active
    int32_t activeTicks;         // ticks spent as his side's active player
    int32_t closingDownTicks;    // ticks spent closing down the carrier
    int16_t finalBallDecisions;  // the final-ball chooser's decisions, passes and shots
    int16_t finalBallPasses;
    int16_t finalBallShots;
    int16_t longKicks;        // long kicks along a direction
    int16_t rareLongRuns;     // the longest touches ahead that a skill draw marks (record field 9)
    int16_t longRuns;         // every longest touch ahead (record field 33)
    int16_t passesCompleted;  // his passes of the first kind a team-mate received
    int16_t longPassesCompleted;  // of those, the ones struck as long passes
    int16_t passesReceived;
    int16_t secondKindReceptions;
    int16_t thirdKindCompletions;
    int16_t thirdKindReceptions;
    int16_t interceptions;  // passes of the other side he cut out
    int16_t boxPassesLost;  // his passes cut out inside the area his opponents attack
    int16_t shots;          // counted shots at goal
    int16_t shotsOnTarget;
    int16_t missedShots;  // shots that went wide for a goal kick
    int16_t penaltiesTaken;
    int16_t penaltiesMissed;
    int16_t freeKicksTaken;  // every free kick he took, direct ones at goal among them
    int16_t clearances;      // long kicks along a direction
    int16_t crosses;         // crosses struck
    int16_t throughPasses;   // passes struck in the through-ball style
    int16_t crossesIntercepted;
    int16_t dangerousCrosses;  // completed inside the area his side attacks
    int16_t claims;            // balls a keeper came off his line for and smothered
    // A keeper's saves: every contact of a high save counts as a catch.
    int16_t catches;
    int16_t parries;
    int16_t palms;  // high balls palmed over
    int16_t deflections;
    int16_t punches;
    int16_t penaltiesSaved;
    int16_t tackles;           // successful tackles, smothers among them
    int16_t fouls;             // foul counter 2: charges, handballs (record field 39)
    int16_t foulsPenalised;    // foul counter 4: block tackles, lunges at a keeper (field 41)
    int16_t injuryTotal;       // what his injuries took from his skills, in percent
    int16_t tacklesMade;       // tackles he started
    int16_t challengesRidden;  // tackles he rode as the carrier
    int16_t timesTackled;      // tackles that took the ball from him
    int16_t tackleFouls;       // foul counter 1: sliding tackles and lunges (record field 38)
    int16_t lungeFouls;        // foul counter 3 (record field 40)
    int16_t handballs;         // foul counter 5 (record field 42)
    // Balls met in the air: standing headers on and off target, the jumping strike's headers won
    // in his own and the other half, the high balls controlled well and poorly.
    uint16_t headersOnTarget;
    uint16_t headersOffTarget;
    uint16_t headersDefendingHalf;
    uint16_t headersAttackingHalf;
    uint16_t goodControls;
    uint16_t poorControls;

    // The foul phase's: the length it gave his injury (at most 60), the penalties his side won
    // (kept by its line-up slot-0 player) and the fouls charged to him as the offender (record
    // field 54).
    int16_t injuryLength;
    int16_t penaltiesAwarded;
    int16_t foulsGivenAgainst;
    int16_t offsides;  // offsides given against him

    // The set pieces he took in the match, the shoot-out left out, and those his side scored
    // from (kept by gamecode/kickbook).
    int16_t penaltiesInPlay;
    int16_t penaltiesScored;
    int16_t freeKicksScored;
    int16_t cornersScored;

    // The minutes of the match he came on (0 for a starter) and left the pitch, for his time on
    // the pitch (record field 61); kept by gamecode/matchdata.
    int16_t minuteOn;
    int16_t minuteOff;
};

// One of the 37 match objects. No file stores it; its bytes are hashed by the golden runs, so it
// carries explicit padding only.
struct MatchPerson {
    char name[MATCH_ENTRY_NAME_BYTES];
    int16_t action;
    int16_t frame;  // -1 after set-up, 0 after Person_SetAction
    int16_t x;      // whole pitch units: x16 / 65,536 truncated toward zero
    int16_t y;
    int16_t height;
    int16_t targetX;
    int16_t targetY;
    uint16_t facing;  // 0-255
    uint16_t dirToBall;
    int16_t sortKey;
    uint8_t hasBall;
    uint8_t actionFlag;  // per-action flag or sub-counter, cleared by Person_SetAction
    int16_t runSpeed;
    int16_t touchCooldown1;
    int16_t touchCooldown2;
    int16_t actionWord;
    int16_t aimDirection;
    uint8_t skills[MATCH_SKILL_COUNT];  // read as signed bytes through Person_Skill
    uint8_t positionClass;
    uint8_t positionExtra[4];  // shirt, left-flank flag, right-flank flag, experience
    int8_t resultByteA;
    uint8_t matchRating;  // 50 playing, 0 may still come on, 255 may not be used
    int8_t resultByteB;
    uint16_t keptGoal;  // 1 once he has stood in goal as a keeper
    MatchPersonStats stats;
    uint16_t passTo[2][MATCH_PERSONS_PER_SIDE];
    uint16_t passesCompletedTo[MATCH_PERSONS_PER_SIDE];  // by the receiver's shirt - 1
    int16_t passCounters[2];
    uint8_t offsideMark;
    uint8_t pad1;
    int16_t savedAction;
    uint8_t offPitch;
    uint8_t touchedThisTick;  // set by the contact pass, cleared at his next contact pass
    uint16_t pad6;
    int32_t x16;  // 16.16 fixed point
    int32_t y16;
    int16_t bookings;
    int16_t sentOff;
    uint8_t warnings;
    uint8_t pad3;
    int16_t offsideRecovery;
    int16_t ballDistance;
    uint8_t firstInstruction;
    int8_t preferredReceiver;
    uint8_t secondInstruction;
    uint8_t thirdInstruction;
    int8_t targetCellColumn;
    int8_t targetCellRow;
    int8_t markingSlot;
    uint8_t blockedTicks;
    uint8_t kicked;
    uint8_t shapeFlag;  // set when the team shape last gave him his target point
    int16_t passKind;
    int16_t startedOnBench;
    int16_t timesSubstituted;
    int16_t receivePoint[2];
    int16_t animation;  // negative: none (a bench player is not drawn or counted)
    int16_t drawnFrame;
    int16_t drawnDirection;
    int16_t headAngle;  // -40..40 relative to the body
    uint16_t playerId;
};
static_assert(std::has_unique_object_representations_v<MatchPerson>, "no implicit padding");

constexpr uint16_t BALL_STILL = 256;      // the direction of a ball that does not move
constexpr int16_t BALL_SPIN_UNSET = 256;  // no spin heading taken yet

// The ball's own fields; its position is MatchPersons[MATCH_BALL].
struct BallState {
    uint16_t height;
    uint16_t pad0;
    int32_t velX;  // 1/65,536 units per tick
    int32_t velY;
    int32_t velZ;
    int16_t holder;  // person + 1, 0 none
    int16_t secondHolder;
    uint8_t possession;  // side 0 or 1
    uint8_t pad1;
    int16_t lastToucher;
    int16_t animFrame;
    int16_t pad2;

    // Flight, kept by the ball tick. The exact position carries the fractions; the whole parts
    // beside it are what the object of the ball shows.
    int32_t x16;
    int32_t y16;
    int32_t height16;
    int32_t swerveX;  // added to the velocity each tick while swerveTicks runs
    int32_t swerveY;
    int32_t swerveZ;
    int32_t spinLastX16;  // the exact position at the previous spin update
    int32_t spinLastY16;
    int16_t wholeX;
    int16_t wholeY;
    int16_t swerveTicks;
    int16_t firstBounce;  // set by the landing prediction, cleared at the first bounce
    int16_t afterKick;    // 16 after every kick, lowered by the contact pass
    uint16_t direction;   // of the horizontal velocity, 0-255; 256 still
    int16_t cornerTimer;
    int16_t netTimer;
    int16_t effectCooldown;
    int16_t walkX;  // the unit cell the line walk has reached
    int16_t walkY;
    int16_t stopFlag;         // set by the out-of-play check when it changed the ball's course
    int16_t lookAhead[3][2];  // near, middle, far: about 6.5, 22 and 87 ticks ahead
    int16_t spinHeading;      // 256 unset
    uint8_t speed;            // whole |vx| + whole |vy|: 0-2 is a slow ball
    uint8_t pad3;
};
static_assert(std::has_unique_object_representations_v<BallState>, "no implicit padding");

// The five engine timers, each lowered by Match_TickTimers while above 0.
enum MatchTimer : int32_t {
    TIMER_GOAL_PAUSE,
    TIMER_CELEBRATION,
    TIMER_SHOT_WINDOW,
    TIMER_SAVE_LOCKOUT,
    TIMER_RECORD_RESUME,
    TIMER_COUNT
};

enum MatchThird : int32_t { THIRD_OWN, THIRD_MIDDLE, THIRD_ATTACK, THIRD_COUNT };

// The taker tables, in the match day's order of designated shirts.
enum MatchTaker : int32_t {
    TAKER_CAPTAIN,
    TAKER_PENALTY,
    TAKER_FREE_KICK,
    TAKER_CORNER,
    TAKER_COUNT
};

struct TeamStatistics {
    int16_t shots;
    int16_t shotsOnTarget;
    int16_t corners;
    int16_t fouls;
    int16_t offsides;
    int16_t assists;
};

// One goal as the goal bookkeeping records it; the summary turns it into the scorer list.
struct MatchGoalRecord {
    int16_t person;
    uint8_t minute;
    uint8_t kind;      // event code, classed through VTW_GetEventClass
    uint8_t detail;    // 0-7
    uint8_t flag;      // 0 or 1
    int16_t assist;    // the pass provider credited, -1 none
    uint8_t listKind;  // the data block's goal list: 0 open play, 1 penalty, 2 own goal
    uint8_t pad;
};

struct MatchCardRecord {
    int16_t person;
    uint8_t minute;
    uint8_t kind;  // 1 booking, 2 sending-off
};
constexpr int32_t MATCH_GOAL_RECORDS = 20;
constexpr int32_t PASS_RECORD_COUNT = 3;  // first (ground or lofted pass), cross, header
constexpr int32_t MATCH_CARD_RECORDS = 20;

// A person's position as the action dispatcher lends it to his action: whole units and 16.16.
struct PersonPosition {
    int16_t x;
    int16_t y;
    int32_t x16;
    int32_t y16;
};

// The shape rows a side blends between, as the team shape chooses them each tick.
struct TeamStrategyWords {
    int16_t targetRow;  // shape rows 0-67
    int16_t xBaseRow;
    int16_t yBaseRow;
    int16_t xBlend;  // 0-100: percent of the way from the base row to the target row
    int16_t yBlend;
    friend bool operator==(const TeamStrategyWords&, const TeamStrategyWords&) = default;
};

// Every engine word. Match_ResetWords gives each its match-start value; the period set-ups
// reset what they name.
struct MatchWords {
    // Match and period.
    uint8_t period;
    uint8_t secondOfPair;  // side secondOfPair attacks toward y 2042
    uint8_t kickOffSide;
    uint8_t finalWhistle;
    int16_t score[2];
    int16_t shootOutGoals[2];
    int16_t firstLegGoals[2];
    uint8_t extraTime;
    uint8_t shootOut;
    uint8_t goldenGoal;
    uint8_t awayGoals;
    int8_t official[3];  // strictness, card threshold, lenient side
    uint8_t difficulty;
    int16_t substitutesAllowed;      // 0-5
    int16_t periodMinutes;           // 1-90
    int16_t linesmanAccuracy;        // 20-99, drawn once per match
    int16_t takers[2][TAKER_COUNT];  // person indexes, -1 none
    uint16_t teamSettings[2][4];
    int16_t substitutionCount[2];
    uint8_t substitutionPlan[2][5];  // planned players out, 255 none
    uint8_t planBytes[2][2];
    uint8_t substitutionBlocked[2];
    int16_t sideWords[2];
    TeamStatistics teamStats[2];
    MatchGoalRecord goals[2][MATCH_GOAL_RECORDS];
    MatchCardRecord cards[2][MATCH_CARD_RECORDS];
    int16_t cardCount[2];

    // Phases and restarts.
    int16_t phase;
    int16_t phaseTimer;
    uint8_t kickingSide;
    uint8_t deadBallFlag;
    uint8_t lastIncidentMark;
    uint8_t kickoffTaken;
    uint8_t playersNotInPlace;
    int8_t shootoutKicks;
    int8_t lastKicker[2];
    int16_t scorerRecord;
    int16_t celebratingPlayer;
    int16_t celebrationActive;
    int16_t refereeReturnState;
    int16_t refereeSignal;
    uint8_t restartByte;
    uint8_t periodEndMarker;
    int16_t followedObject;
    int16_t speedBonus[2];
    int16_t noneWords[2];    // the two set-up words that start at -1
    int16_t savedPhase;      // where phases 15 and 22 return
    int16_t restartSpot[2];  // x, y of a foul or offside free kick
    uint8_t foulingSide;
    int8_t fouledPlayer;
    uint8_t offsideSide;
    uint8_t stoppageSubstituted[2];
    int16_t sideDraw[2];          // 0-59, drawn again by the restart phases
    int16_t keeperPendingAction;  // -1 after a restart set-up
    int16_t throwInSpot[2];       // x, y, set when the ball goes out
    int16_t cornerSpot[2];
    int16_t goalKickSpot[2];
    int8_t putOutBy[3];     // the players who put it out: throw-in, corner, goal kick
    int8_t shooter;         // the last shooter until his shot is measured, -1 none
    int16_t shotStart[2];   // where the shot in flight was struck
    int32_t shotStartTick;  // tickCount when it was struck, -1 no shot in flight
    int16_t shotDistance;   // yards of the last goal's shot, -1 unknown
    int16_t shotSpeed;      // -1 unknown
    int16_t shootoutPause;
    int16_t excludedPerson;    // the player the ball passes through, -1 none
    int16_t lastKickKind;      // the kind word of the last kick
    uint8_t firstShotRecord;   // set while the first shot record holds a shot
    uint8_t secondShotRecord;  // the flags of the other two shot records
    uint8_t thirdShotRecord;
    int8_t shotRecordPlayer[3];  // whose shot each record holds, -1 none
    // The corner, free kick or penalty whose attack is still on (gamecode/kickbook).
    uint8_t setPieceKind;  // SetPieceKind
    int8_t setPieceTaker;
    uint8_t setPiecePeriod;
    uint8_t pad9;
    // The taker of a throw-in, a placed ball or a free kick, from his first tick to his kick.
    int16_t restartKind;      // 13 once the taker has started, -1 after a set-up
    int16_t restartReceiver;  // his chosen receiver, -1 none
    int16_t restartScan;      // the proximity entry his search goes on from
    int16_t restartTimer;     // ticks before he plays the ball, 0 while he searches
    int16_t restartWaits;     // his waits for the players still on their way
    int16_t throwStrength;    // the thrower's strength, at most 80
    int16_t groundMarkFlag;   // 1 while a slide leaves its mark
    // 1 while a tackle of each kind (sliding, block, lunge, clearing slide) has left its mark.
    uint8_t tackleMarked[4];
    uint8_t dominanceSaid[2];  // once per side and match
    int16_t freeKickAim[2];    // x, y beside the wall
    uint16_t lastScoringSide;  // written by Goal_SayRemarks
    int32_t celebrationTicks;  // counted in phase 28 while the celebration lasts
    int16_t kickoffTaker;      // the kick-off pair, named by the kick-off phase
    int16_t kickoffPartner;
    int8_t passProvider;          // the player whose pass led to the ball in the net, -1 none
    int8_t secondProvider;        // kept by the passing and crossing actions, -1 none
    int16_t kickTargetPerson;     // the receiver of the last kick, -1 a point or a shot
    int16_t kickTargetPoint[2];   // where the last kick was aimed
    int16_t cellTarget[2];        // the carrier's target cell, (0, 0) none
    int16_t shotTarget[2];        // the aim of the last shot or long kick
    int16_t jockeyTarget[2];      // the point a chaser was running to when he began to jockey
    int16_t carrierCommentCount;  // zone lines said since the last recorded touch
    int16_t longPassFlag;         // 1 after a pass of kick style 1 or 3, else 0
    int16_t ballEvent;  // what last happened to the ball (3 a parry, 7 silences the short kicks);
                        // 0 after a recorded touch

    // Ball contacts, touches and the carrier's running.
    int16_t reboundCooldown;  // while above 0 nobody touches the ball
    int16_t lastDeflector;    // the player of the last deflection line, -1 none
    int8_t passReceiver;      // set by the passes: always handled softly, -1 none
    int8_t assistCandidate;   // -1 none; forgotten when assistTimer runs out
    int16_t assistTimer;      // ticks
    uint8_t actingSide;       // side of the last player in possession
    int8_t lastPossessor[2];  // each side's last player in possession, -1 none
    // Kicker and receiver of the pending pass of each kind (along the ground or lofted, cross,
    // header), -1 none; a touch completes or intercepts it.
    int8_t passRecord[PASS_RECORD_COUNT][2];
    uint8_t pad8;
    int16_t touchCommentDelay;  // ticks before the next touch line may be said
    int16_t previousToucher;    // the last toucher before the current one, -1 none
    int16_t distanceResult;     // left by Person_DistanceToGoal for its caller
    int16_t dribbleCounter;     // dribbles started; held at 0 until one starts
    int16_t turnTimer;          // ticks of the current shield-and-turn

    // Line-ups and the active players.
    int16_t lineUp[2][MATCH_PERSONS_PER_SIDE];
    int16_t proximity[2][MATCH_PERSONS_PER_SIDE];
    uint8_t activePlayer[2];
    uint8_t keeperAtKickOff[2];

    // Clock.
    uint16_t tickCount;
    uint32_t periodTicks;
    uint32_t matchTicks;
    uint32_t periodLength;
    uint8_t clockRunning;
    uint8_t timeUp;
    uint8_t endFlag;
    uint8_t tickSide;
    uint8_t firstSide;  // set each tick: whose men move, and meet the ball, before the other's
    int32_t stoppageCountdown;
    uint16_t groupCounter;
    uint16_t recordPause;
    int16_t timers[TIMER_COUNT];
    int16_t teamPressure[2];
    int16_t teamMomentum[2];
    int16_t bonusTimer;
    int32_t lastMinute;
    int16_t territory;
    uint32_t thirdsTicks[2][THIRD_COUNT];
    uint32_t possessionTicks[2];
    uint32_t openPlayTicks;

    // Ball physics.
    int32_t ballDrag;           // per mille of the horizontal velocity kept each tick
    int32_t ballGravity;        // 16.16 units per tick per tick
    int32_t ballThird;          // step scale: percent of the velocity that moves the ball each tick
    float ballCoefficients[2];  // bounce keeps: vertical, horizontal
    float ballSpin[2];          // the drawn rotation, from the y and the x movement

    // What the look-ahead on a copy of the ball last found.
    int16_t landingPoint[2];  // where a lofted ball comes down, (0, 0) none
    int16_t meetingPoint[2];  // where a player can meet the ball
    int16_t meetingTick;      // ticks ahead
    int16_t meetingDistance;  // |dx| + |dy| from the player to the meeting point, 10000 none
    int16_t meetingHeight;    // whole units
    int16_t restartDistance;  // the current person's distance to the restart spot

    // Motion and the player action dispatcher.
    PersonPosition currentPerson;  // working position of the person whose action runs
    uint8_t currentSide;
    int16_t lastDefenderLine[2];
    int32_t stepX;  // the step vector the direction helpers leave
    int32_t stepY;
    int16_t ballHolder;           // first of persons 0-31 with the ball, -1 none
    int16_t refereeDecision;      // 0 none, 7 warning, 8 booking, 9 sending-off
    int16_t offender;             // the person the referee deals with, -1 none
    int16_t lastCardRoll;         // the tackler's last card draw, kept for the referee's reading
    uint8_t refereeOnce[3];       // the talk, booking and sending-off states each act once
    uint8_t lastCommentCategory;  // 0 after every line; a tackle line sets 8, a ride 3
    int16_t foulWaitTicks;        // ticks the foul phase waited for busy players, at most 1000
    int16_t bookingsShown[2];     // per side
    int16_t secondBookings[2];    // per side
    int16_t keeperDiveDirection;  // the keeper's direction to the ball when his dive started
    // The keeper's reading of the look-ahead, perturbed by his judgement, and the save he chose.
    int16_t interceptTick;    // ticks until the ball passes nearest to him
    int16_t interceptHeight;  // the ball's whole height then
    int16_t interceptReach;   // how far from him it passes, 10000 never within reach
    int16_t interceptX;
    int16_t interceptY;
    int16_t savePoint[2];   // where the last save was chosen to meet the ball
    int16_t diveKind;       // the running save's contact: 0 middle, 1 low, 2 high
    int16_t deflectFactor;  // the last random factor of a parry, block or tip
    int16_t dismissals[2];  // each side's sendings-off

    // Team shape.
    TeamStrategyWords strategy[2];         // chosen each tick
    TeamStrategyWords strategyApplied[2];  // as the players' target points last took them
    // The keeper's distribution from his hands or at a goal kick (one keeper at a time).
    int16_t distReceiver;    // the chosen receiver, -1 none
    int16_t distScan;        // entry 0-9 of his proximity list the scan goes on from, -1 the start
    int16_t distWait;        // ticks left before the release, counted once the wind-up is full
    int16_t distNeeded;      // the wind-up the kick needs: |dx| + |dy| to the target / 8
    int32_t distPower;       // the wind-up so far, at most 100 at the release; -1 after it
    int32_t pendingKick[3];  // x, y and vertical velocity the releasing action gives the ball
    int16_t throwReceiver;   // the receiver of a keeper's throw, who runs to meet it, -1 none
    // The jumping header's choice, kept from tick to tick while he goes up for the ball.
    int16_t headerMate;       // the team-mate he heads to, -1 none
    int16_t headerDirection;  // the direction to that mate when he was chosen
};

extern MatchPerson MatchPersons[MATCH_OBJECT_COUNT];
extern BallState Ball;
extern MatchWords Match;
extern TacticsRecord TeamShape[2];  // the working formation of each side

// The names the engine's Parts use for the words above.
inline int16_t& MatchPhase = Match.phase;
inline int16_t& PhaseTimer = Match.phaseTimer;
inline uint8_t& MatchEndFlag = Match.endFlag;
inline int32_t& StoppageTicks = Match.stoppageCountdown;
inline uint8_t& KickingSide = Match.kickingSide;
inline int16_t (&TeamPressure)[2] = Match.teamPressure;
inline int16_t (&TeamMomentum)[2] = Match.teamMomentum;
inline int16_t (&LineUp)[2][MATCH_PERSONS_PER_SIDE] = Match.lineUp;
inline uint8_t (&ActivePlayer)[2] = Match.activePlayer;
inline int16_t& GoalPause = Match.timers[TIMER_GOAL_PAUSE];
inline int16_t& CelebrationCountdown = Match.timers[TIMER_CELEBRATION];

// The program-start state: the presentation's options cleared,
// then Match_ResetWords.
void MatchEngine_Init();
// Gives every engine word, person, the ball, the shapes and the words shared with the
// presentation their match-start value, so that a match depends on its block and seed alone. Kept:
// the view registrations, the replay the match was asked to show and the player's highlight and
// rating options. PlayMatch3D calls it before anything else.
void Match_ResetWords();
// No pass pending: every pass record empty.
void Match_ClearPassRecords();
void MatchEngine_Uninit();  // nothing to free; safe twice

// Pitch constants, in pitch units (16 to the yard), fixed by SetPitchConstants at match start.
struct PitchConstants {
    int16_t unitsPerYard;
    int16_t leftTouchline, rightTouchline, pitchWidth;
    int16_t firstGoalLine, secondGoalLine, pitchLength;
    int16_t centreX, centreY, officialsCentreY, strategyCentreY;
    int16_t postLeftX, postRightX;
    int16_t goalAreaNearY, goalAreaFarY, goalAreaLeftX, goalAreaRightX;
    int16_t penaltySpotNearY, penaltySpotFarY;
    int16_t penaltyAreaNearY, penaltyAreaFarY, penaltyAreaLeftX, penaltyAreaRightX;
    int16_t outerLeftX[2], outerRightX[2], outerNearY[2], outerFarY[2];
    int16_t offPitchX;
    int16_t tunnelX, tunnelY;
    int16_t parkedY;
    int16_t zoneRowsY[5];
    int16_t zoneColumnsX[5];
    int16_t contactDistance;
    float contactFactor;
};
extern PitchConstants Pitch;
void SetPitchConstants();

// Whole units of a 16.16 value, truncated toward zero (-1 gives 0).
constexpr int16_t Fixed_ToUnits(int32_t fixed16) { return static_cast<int16_t>(fixed16 / 65536); }
// Puts a person at a whole-unit point, integer and 16.16 position both.
void Person_PlaceAt(int32_t person, int32_t x, int32_t y);
// For 0 <= person < 37: the action, frame, actionWord, actionFlag, passKind, kicked and height it
// starts with; other indexes change nothing. The action listener hears of it.
void Person_SetAction(int32_t person, int32_t action);
// For 0 <= person < 37: the action word alone, where a rule carries on the running action's
// fields (a catch going on from the dive's frame); the action listener hears of it too.
void Person_StoreAction(int32_t person, int32_t action);
// Told of every action a person enters through the two calls above: the tests count decisions
// with it. Null (the game's) tells nobody.
using PersonActionListener = void (*)(int32_t person, int32_t action);
void Person_SetActionListener(PersonActionListener listener);
inline int32_t Person_Skill(const MatchPerson& p, int32_t skill)
{
    return static_cast<int8_t>(p.skills[skill]);
}
inline int32_t Person_Side(int32_t person) { return person / MATCH_PERSONS_PER_SIDE; }
inline bool IsPlayer(int32_t person) { return person >= 0 && person < MATCH_PLAYER_COUNT; }
inline int32_t KeeperOf(int32_t side) { return LineUp[side][0]; }
inline bool IsKeeper(int32_t person) { return person == LineUp[0][0] || person == LineUp[1][0]; }
// Side secondOfPair attacks toward the far goal line (y 2042), the other toward the near one.
// The two sides in this tick's order of moves: Match.firstSide, then the other.
inline std::array<int32_t, 2> SidesInMoveOrder() { return {Match.firstSide, Match.firstSide ^ 1}; }
inline bool AttacksUp(int32_t side) { return side == Match.secondOfPair; }
// The y of the goal line that `side` attacks.
inline int32_t AttackedGoalY(int32_t side)
{
    return AttacksUp(side) ? PITCH_FAR_GOAL_LINE_Y : PITCH_NEAR_GOAL_LINE_Y;
}
// Strictly inside the penalty area that `side` defends (the one at the goal it does not attack).
inline bool InsideBoxDefendedBy(int32_t side, int32_t x, int32_t y)
{
    return x > PITCH_BOX_LEFT_X && x < PITCH_BOX_RIGHT_X
           && (AttacksUp(side) ? y < PITCH_BOX_NEAR_Y : y > PITCH_BOX_FAR_Y);
}
inline bool Trails(int32_t side) { return Match.score[side] < Match.score[side ^ 1]; }

// The skill bytes of an entry's 22 attribute words (read by value: the entry is packed): each word
// clamped to 0-100 first, five of them scaled to value / 2 + 50.
void Match_MapSkills(const MatchPlayerEntry& entry, uint8_t skills[MATCH_SKILL_COUNT]);
constexpr auto kSkillSourceWord = std::to_array<int8_t>(
    {7, 11, 9, 10, 8, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 0, 1, 2, 3, 4, 5, 6});
constexpr auto kSkillScaled = std::to_array<bool>(
    {false, false, false, false, false, false, true, true,  false, false, false,
     false, false, false, false, true,  false, true, false, false, true,  false});

// score + first-leg goals of each side are equal.
bool Match_AggregateLevel();
