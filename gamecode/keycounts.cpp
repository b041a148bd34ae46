// gamecode/keycounts.cpp: what the players' touches led to, for their match statistics rows.
#include "gamecode/keycounts.h"

#include "gamecode/kickbook.h"
#include "gamecode/pitch.h"

KeyCountsRecord KeyCounts[MATCH_PLAYER_COUNT];

namespace {

constexpr int32_t kCrossRecord = 1;

struct KeyCountsState {
    int32_t passer;  // the completed pass waiting for its receiver's shot; -1 none
    int32_t receiver;
    bool cross;
    int32_t clearer;  // the clearance waiting for its first touch; -1 none
};

KeyCountsState s_keyCounts;

bool InThirdAttackedBy(int32_t side, int32_t y)
{
    return AttacksUp(side) ? y > PITCH_FAR_THIRD_Y : y < PITCH_NEAR_THIRD_Y;
}

}  // namespace

void KeyCounts_Reset()
{
    for (KeyCountsRecord& record : KeyCounts) {
        record = {};
    }
    s_keyCounts = {-1, -1, false, -1};
}

void KeyCounts_PassCompleted(int32_t kind, int32_t passer, int32_t receiver)
{
    if (!IsPlayer(passer) || !IsPlayer(receiver)) return;
    s_keyCounts.passer = passer;
    s_keyCounts.receiver = receiver;
    s_keyCounts.cross = kind == kCrossRecord;
    if (kind != kCrossRecord) return;
    const int32_t setPiece = Match.setPieceKind;
    if (setPiece == SET_PIECE_CORNER || setPiece == SET_PIECE_FREE_KICK)
        ++KeyCounts[receiver].setPieceCrossesReceived;
    const int32_t defending = Person_Side(passer) ^ 1;
    const MatchPerson& r = MatchPersons[receiver];
    if (InsideBoxDefendedBy(defending, r.x, r.y)) ++KeyCounts[KeeperOf(defending)].crossesUnclaimed;
}

void KeyCounts_Touch(int32_t person)
{
    if (!IsPlayer(person)) return;
    const int32_t side = Person_Side(person);
    if (s_keyCounts.passer >= 0 && Person_Side(s_keyCounts.passer) != side) s_keyCounts.passer = -1;
    const int32_t clearer = s_keyCounts.clearer;
    if (clearer < 0 || person == clearer) return;
    if (Person_Side(clearer) == side) ++KeyCounts[clearer].goodClearances;
    s_keyCounts.clearer = -1;
}

void KeyCounts_Shot(int32_t shooter)
{
    const int32_t passer = s_keyCounts.passer;
    s_keyCounts.passer = -1;
    if (passer < 0 || s_keyCounts.receiver != shooter) return;
    KeyCountsRecord& record = KeyCounts[passer];
    ++(s_keyCounts.cross ? record.keyCrosses : record.keyPasses);
}

void KeyCounts_ShotWide(int32_t shooter)
{
    if (IsPlayer(shooter)) ++KeyCounts[KeeperOf(Person_Side(shooter) ^ 1)].shotsWideFaced;
}

void KeyCounts_Clearance(int32_t person, int32_t x, int32_t y)
{
    if (InsideBoxDefendedBy(Person_Side(person), x, y)) {
        ++KeyCounts[person].keyClearances;
        s_keyCounts.clearer = -1;
        return;
    }
    s_keyCounts.clearer = person;
}

void KeyCounts_Interception(int32_t person, int32_t x, int32_t y)
{
    if (InsideBoxDefendedBy(Person_Side(person), x, y)) ++KeyCounts[person].keyInterceptions;
}

void KeyCounts_Tackle(int32_t person, int32_t x, int32_t y)
{
    if (InsideBoxDefendedBy(Person_Side(person), x, y)) ++KeyCounts[person].keyTackles;
}

void KeyCounts_Run(int32_t person, int32_t y, int32_t velY)
{
    const int32_t side = Person_Side(person);
    const bool forward = AttacksUp(side) ? velY > 0 : velY < 0;
    if (!forward) return;
    ++KeyCounts[person].progressiveRuns;
    if (InThirdAttackedBy(side, y)) ++KeyCounts[person].keyRuns;
}

void KeyCounts_TackleFoul(int32_t offender, bool lunge, bool carded)
{
    KeyCountsRecord& record = KeyCounts[offender];
    ++(lunge ? record.foulsUnfair : carded ? record.foulsCynical : record.foulsNeedless);
}
