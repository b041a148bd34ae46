// viewservices/viewflags.cpp: the view's flags, the ground marks, the ball's spin and the
// players' drawing order.
#include "viewservices/viewflags.h"

#include <algorithm>
#include <array>
#include <numbers>

#include "engine/fatal.h"
#include "engine/options.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"

namespace {

constexpr ViewFlagsRecord kStartFlags = {0, 0, 1, 2};

struct ViewFlagsState {
    int32_t nextMark;  // the ground mark slot the next mark takes
};

ViewFlagsState s_flags;

int32_t GroundDistance(int32_t player, const RenderObject& focus)
{
    const int32_t dx = static_cast<int32_t>(RenderList[player].x) - static_cast<int32_t>(focus.x);
    const int32_t dy = static_cast<int32_t>(RenderList[player].y) - static_cast<int32_t>(focus.y);
    return dx * dx + dy * dy;
}

}  // namespace

// Constant-initialised to the start values; ViewFlags_Init takes the flags from the options.
ViewFlagsRecord ViewFlags = kStartFlags;
GroundMark GroundMarks[GROUND_MARKS];
float BallSpinAngles[3];

void ViewFlags_Init()
{
    // The flags the options keep from the last run (their start values on a first run).
    ViewFlags = {0, Options.panoramic, Options.showNames, Options.modelDetail};
    ClearGroundMarks();
    std::fill(std::begin(BallSpinAngles), std::end(BallSpinAngles), 0.0f);
}

void AddGroundMark(int32_t x, int32_t y, double size, double direction, uint8_t type)
{
    GroundMark& mark = GroundMarks[s_flags.nextMark];
    mark = {1,
            type,
            x,
            y,
            static_cast<float>(size),
            static_cast<float>(direction * std::numbers::pi / 128.0)};
    s_flags.nextMark = (s_flags.nextMark + 1) % GROUND_MARKS;
}

const GroundMark& GetGroundMark(int32_t n)
{
    if (n < 0 || n >= GROUND_MARKS) FatalError("GetGroundMark(): bad mark %d", n);
    return GroundMarks[n];
}

void ClearGroundMarks()
{
    for (GroundMark& mark : GroundMarks)
        mark = {};
    s_flags.nextMark = 0;
}

void Ball_SetSpinAngles(float a1, float a2, float a3)
{
    BallSpinAngles[0] = a1;
    BallSpinAngles[1] = a2;
    BallSpinAngles[2] = a3;
}

void SortPlayersByDistance(int32_t order[32])
{
    const int32_t focusPerson =
        std::clamp<int32_t>(Match.followedObject, 0, MATCH_OBJECT_COUNT - 1);
    const RenderObject& focus = RenderList[focusPerson];
    std::array<int32_t, MATCH_PLAYER_COUNT> distance{};
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        order[p] = p;
        distance[p] = GroundDistance(p, focus);
    }
    std::stable_sort(order, order + MATCH_PLAYER_COUNT,
                     [&](int32_t a, int32_t b) { return distance[a] > distance[b]; });
}
