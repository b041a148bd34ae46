// vx256/objects.cpp: the display table, the painter's order and the kinds of the two lists.
#include "vx256/objects.h"

#include <algorithm>
#include <array>

#include "engine/convert.h"
#include "engine/fatal.h"
#include "gamecode/presentation.h"
#include "viewservices/viewflags.h"
#include "viewservices/viewscreen.h"
#include "vx256/polyman.h"

SoftObjectDrawerTable SoftObjectDrawers;

namespace {

// The abort lines are the ones the game has always reported.
constexpr int32_t kTooManyTypesLine = 57;
constexpr int32_t kTooManyObjectsLine = 92;
constexpr int32_t kDetailSettings = 3;
constexpr int32_t kDetailLevels = 5;
constexpr int32_t kLabels = 4;
constexpr double kReferenceWidth = 640.0;
constexpr float kPersonShadowA = 5.0f, kPersonShadowB = 12.5f;
constexpr float kBallShadow = 4.0f;
// The depth a person must stay under, in 640-wide pixels, for each level of each setting.
constexpr int32_t kLevelThresholds[kDetailSettings][kDetailLevels] = {
    {23, 56, 100, 150, 9999999}, {46, 112, 200, 300, 9999999}, {93, 225, 400, 600, 9999999}};

struct DisplayEntry {
    float depth;
    int32_t kind;
    int32_t index;
};

std::array<DisplayEntry, MAX_OBJECTS> s_table;
std::array<int32_t, MAX_OBJECT_TYPES> s_counts;

int32_t DetailSetting() { return std::clamp<int32_t>(ViewFlags.modelDetail, 0, 2); }

int32_t PeopleCount() { return OBJECT_PEOPLE; }

void PersonDraw(int32_t object)
{
    if (SoftObjectDrawers.person == nullptr) return;
    const int32_t motion = ObjectDisplay_Motion(object);
    const float depth = ObjectDisplay_PersonDepth(object);
    SoftObjectDrawers.person(object, ObjectDisplay_ModelKind(object),
                             ObjectDisplay_DetailLevel(depth),
                             motion == MOTION_NO_SHADOW ? MOTION_ABSENT : motion);
}

void FlatPersonDraw(int32_t object)
{
    if (SoftObjectDrawers.flatPerson != nullptr)
        SoftObjectDrawers.flatPerson(object, ObjectDisplay_ModelKind(object));
}

void FlatShadow(int32_t object, float sizeA, float sizeB)
{
    if (SoftObjectDrawers.flatShadow != nullptr)
        SoftObjectDrawers.flatShadow(RenderList[object].x, RenderList[object].y, sizeA, sizeB);
}

void PersonPrepare(int32_t object)
{
    const int32_t motion = ObjectDisplay_Motion(object);
    if (motion == MOTION_ABSENT) return;
    if (DetailSetting() == 0) {
        FlatShadow(object, kPersonShadowA, kPersonShadowB);
    } else if (motion != MOTION_NO_SHADOW && SoftObjectDrawers.skeletonShadow != nullptr) {
        SoftObjectDrawers.skeletonShadow(object);
    }
}

int32_t BallCount() { return 1; }

float BallDepth(int32_t) { return ObjectDisplay_PersonDepth(OBJECT_BALL); }

void BallPrepare(int32_t) { FlatShadow(OBJECT_BALL, kBallShadow, kBallShadow); }

void BallDraw(int32_t)
{
    if (SoftObjectDrawers.ball == nullptr) return;
    const RenderObject& ball = RenderList[OBJECT_BALL];
    SoftObjectDrawers.ball(ball.x, ball.y, ball.height, BallSpinAngles[0], BallSpinAngles[1],
                           BallSpinAngles[2]);
}

void BallDraw2D(int32_t index)
{
    if (SoftObjectDrawers.ballDraw2D != nullptr) SoftObjectDrawers.ballDraw2D(index);
}

void BallPrepare2D(int32_t index)
{
    if (SoftObjectDrawers.ballPrepare2D != nullptr) SoftObjectDrawers.ballPrepare2D(index);
}

int32_t ItemCount() { return OBJECT_PITCH_ITEMS; }

float ItemDepth(int32_t item)
{
    return SoftObjectDrawers.itemDepth != nullptr ? SoftObjectDrawers.itemDepth(item) : -1.0f;
}

void ItemDraw(int32_t item)
{
    if (SoftObjectDrawers.itemDraw != nullptr) SoftObjectDrawers.itemDraw(item);
}

// Count pass; the number of kinds.
int32_t CountKinds(const ObjectType* list)
{
    int32_t kinds = 0;
    for (; list[kinds].GetCount != nullptr; ++kinds) {
        if (kinds == MAX_OBJECT_TYPES)
            FatalAbort("objects", kTooManyTypesLine,
                       "ObjectDisplay(): too many object types - increase MAX_OBJECT_TYPES");
        if (list[kinds].GetDepth != nullptr && list[kinds].Draw == nullptr)
            FatalError("ObjectDisplay(): object type %d can be seen but not drawn", kinds);
        s_counts[kinds] = list[kinds].GetCount();
    }
    return kinds;
}

// Collect pass; the number of visible objects.
int32_t CollectVisible(const ObjectType* list, int32_t kinds)
{
    int32_t entries = 0;
    for (int32_t kind = 0; kind < kinds; ++kind) {
        if (list[kind].GetDepth == nullptr) continue;
        for (int32_t i = 0; i < s_counts[kind]; ++i) {
            const float depth = list[kind].GetDepth(i);
            // NaN counts as not visible: it has no place in the order.
            if (!(depth >= 0)) continue;
            if (entries == MAX_OBJECTS)
                FatalAbort("objects", kTooManyObjectsLine,
                           "ObjectDisplay(): too many visible objects - increase MAX_OBJECTS");
            s_table[entries++] = {depth, kind, i};
        }
    }
    return entries;
}

}  // namespace

const ObjectType ObjectTypes3D[4] = {
    {PeopleCount, ObjectDisplay_PersonDepth, PersonDraw, PersonPrepare},
    {BallCount, BallDepth, BallDraw, BallPrepare},
    {ItemCount, ItemDepth, ItemDraw, nullptr},
    {nullptr, nullptr, nullptr, nullptr}};

const ObjectType ObjectTypes2D[3] = {
    {PeopleCount, ObjectDisplay_PersonDepth, FlatPersonDraw, nullptr},
    {BallCount, BallDepth, BallDraw2D, BallPrepare2D},
    {nullptr, nullptr, nullptr, nullptr}};

void ObjectDisplay(const ObjectType* list)
{
    if (list == nullptr) return;
    const int32_t kinds = CountKinds(list);
    for (int32_t kind = 0; kind < kinds; ++kind) {
        if (list[kind].Prepare == nullptr) continue;
        for (int32_t i = 0; i < s_counts[kind]; ++i)
            list[kind].Prepare(i);
    }
    const int32_t entries = CollectVisible(list, kinds);
    std::sort(s_table.begin(), s_table.begin() + entries,
              [](const DisplayEntry& a, const DisplayEntry& b) { return a.depth > b.depth; });
    for (int32_t e = 0; e < entries; ++e)
        list[s_table[e].kind].Draw(s_table[e].index);
}

void ObjectDisplay_DrawNameLabels()
{
    if (ViewFlags.showNames == 0 || SoftObjectDrawers.nameLabel == nullptr) return;
    int32_t order[MATCH_PLAYER_COUNT];
    SortPlayersByDistance(order);
    for (int32_t k = MATCH_PLAYER_COUNT - 1; k >= MATCH_PLAYER_COUNT - kLabels; --k) {
        if (ObjectDisplay_Motion(order[k]) != MOTION_ABSENT) SoftObjectDrawers.nameLabel(order[k]);
    }
}

float ObjectDisplay_PersonDepth(int32_t object)
{
    if (ObjectDisplay_Motion(object) == MOTION_ABSENT) return -1.0f;
    const RenderObject& o = RenderList[object];
    const ViewPoint foot = Polyman_ToView(o.x, o.y, o.height);
    const ViewPoint head = Polyman_ToView(o.x, o.y, o.height + PERSON_HEAD_HEIGHT);
    const uint32_t footCode = Polyman_Outcode(foot.x, foot.y, foot.z);
    if ((footCode & OUTCODE_NEAR) != 0) return -1.0f;
    // The head shares the foot's X and Z: only its height on the screen differs.
    const uint32_t headCode = Polyman_Outcode(foot.x, head.y, foot.z);
    return footCode == 0 || headCode == 0 ? foot.z : -1.0f;
}

int32_t ObjectDisplay_Motion(int32_t object)
{
    const int32_t motion = RenderList[object].animation;
    return motion >= MOTION_NO_SHADOW && motion < MOTION_CLIPS ? motion : MOTION_ABSENT;
}

int32_t ObjectDisplay_ModelKind(int32_t object)
{
    if (object >= MATCH_PLAYER_COUNT) return 2;
    return object == LineUp[0][0] || object == LineUp[1][0] ? 1 : 0;
}

int32_t ObjectDisplay_DetailLevel(float depth)
{
    const int32_t pixels = ChopToInt(depth * kReferenceWidth / ViewSize.width);
    const int32_t n = ChopToInt(pixels / static_cast<double>(Polyman_Zoom()));
    const int32_t* row = kLevelThresholds[DetailSetting()];
    for (int32_t k = 0; k < kDetailLevels; ++k) {
        if (n < row[k]) return k;
    }
    return kDetailLevels;
}
