// The object display list: the order of its passes recorded, its limits, and the software view's
// kinds over render objects placed by hand in front of a camera looking down -y from the origin.
#include "vx256/objects.h"

#include <algorithm>
#include <numbers>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gamecode/matchdata.h"
#include "gamecode/presentation.h"
#include "matchscreens/matchkeys.h"
#include "viewservices/viewscreen.h"
#include "vx256/polyman.h"

namespace {

std::vector<std::string> s_calls;

void Record(const std::string& call) { s_calls.push_back(call); }

// Kind A: depths 5, 0 and -0.0001; kind B: 7 and 5 (interleaving A's); kind C: never seen.
constexpr float kDepthsA[] = {5.0f, 0.0f, -0.0001f};
constexpr float kDepthsB[] = {7.0f, 5.0f};
int32_t CountA() { return 3; }
int32_t CountTwo() { return 2; }
float DepthA(int32_t i) { return kDepthsA[i]; }
float DepthB(int32_t i) { return kDepthsB[i]; }
void DrawA(int32_t i) { Record("drawA" + std::to_string(i)); }
void DrawB(int32_t i) { Record("drawB" + std::to_string(i)); }
void DrawC(int32_t i) { Record("drawC" + std::to_string(i)); }
void PrepareA(int32_t i) { Record("prepA" + std::to_string(i)); }
void PrepareC(int32_t i) { Record("prepC" + std::to_string(i)); }

TEST(ObjectDisplay, PreparesEverythingThenDrawsTheVisibleFarthestFirst)
{
    const ObjectType list[] = {{CountA, DepthA, DrawA, PrepareA},
                               {CountTwo, DepthB, DrawB, nullptr},
                               {CountTwo, nullptr, DrawC, PrepareC},
                               {nullptr, DepthA, DrawA, PrepareA}};
    s_calls.clear();
    ObjectDisplay(list);
    ASSERT_EQ(s_calls.size(), 9u);
    const std::vector<std::string> prepares(s_calls.begin(), s_calls.begin() + 5);
    EXPECT_EQ(prepares,
              (std::vector<std::string>{"prepA0", "prepA1", "prepA2", "prepC0", "prepC1"}));
    EXPECT_EQ(s_calls[5], "drawB0");
    // Equal depths in either order.
    EXPECT_TRUE((s_calls[6] == "drawA0" && s_calls[7] == "drawB1")
                || (s_calls[6] == "drawB1" && s_calls[7] == "drawA0"));
    EXPECT_EQ(s_calls[8], "drawA1");  // depth 0 is seen, -0.0001 is not

    s_calls.clear();
    ObjectDisplay(list + 3);  // no GetCount at the start: nothing at all
    EXPECT_TRUE(s_calls.empty());
}

int32_t CountMany() { return 129; }
float DepthOne(int32_t) { return 1.0f; }

TEST(ObjectDisplayDeathTest, TooManyKindsOrObjectsOrAKindSeenButNotDrawn)
{
    std::vector<ObjectType> kinds(17, ObjectType{CountTwo, DepthB, DrawB, nullptr});
    kinds.push_back({});
    EXPECT_DEATH(ObjectDisplay(kinds.data()),
                 "Abort error: ObjectDisplay\\(\\): too many object types - increase "
                 "MAX_OBJECT_TYPES\n\\(File: objects  Line: 57\\)");
    kinds[16] = {};
    ObjectDisplay(kinds.data());  // 16 kinds are allowed
    const ObjectType many[] = {
        {CountMany, DepthOne, DrawA, nullptr}, {CountMany, DepthOne, DrawB, nullptr}, {}};
    EXPECT_DEATH(ObjectDisplay(many),
                 "Abort error: ObjectDisplay\\(\\): too many visible objects - increase "
                 "MAX_OBJECTS\n\\(File: objects  Line: 92\\)");
    const ObjectType blind[] = {{CountTwo, DepthB, nullptr, nullptr}, {}};
    EXPECT_DEATH(ObjectDisplay(blind),
                 "ObjectDisplay\\(\\): object type 0 can be seen but not drawn");
}

// The software view's kinds, through recording drawers.
struct PersonCall {
    int32_t object, kind, level, motion;
};
std::vector<PersonCall> s_people;
std::vector<std::vector<float>> s_flatShadows;
std::vector<int32_t> s_skeletonShadows, s_labels, s_items;
std::vector<std::vector<float>> s_balls;

void InstallRecorders()
{
    s_people.clear();
    s_flatShadows.clear();
    s_skeletonShadows.clear();
    s_labels.clear();
    s_items.clear();
    s_balls.clear();
    SoftObjectDrawers = {};
    SoftObjectDrawers.person = [](int32_t o, int32_t k, int32_t l, int32_t m) {
        s_people.push_back({o, k, l, m});
    };
    SoftObjectDrawers.flatShadow = [](float x, float y, float a, float b) {
        s_flatShadows.push_back({x, y, a, b});
    };
    SoftObjectDrawers.skeletonShadow = [](int32_t o) { s_skeletonShadows.push_back(o); };
    SoftObjectDrawers.nameLabel = [](int32_t p) { s_labels.push_back(p); };
    SoftObjectDrawers.ball = [](float x, float y, float h, float a, float b, float c) {
        s_balls.push_back({x, y, h, a, b, c});
    };
    SoftObjectDrawers.itemDepth = [](int32_t i) { return 300.0f + static_cast<float>(i); };
    SoftObjectDrawers.itemDraw = [](int32_t i) { s_items.push_back(i); };
}

class ObjectKinds : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Looking down -y from the origin at eye height 0: Z = -y, X = 1.65 x, Y = -2.2 height.
        SetViewCamera(0, 0, 0, 0, -std::numbers::pi_v<float> / 2, 1.1f);
        SetViewSize(640, 480);
        for (int32_t o = 0; o < MATCH_OBJECT_COUNT; ++o)
            RenderList[o] = {static_cast<float>(o - 18), 0, -100.0f - o, 0, 0, 0, 0};
        for (int32_t side = 0; side < 2; ++side)
            for (int32_t n = 0; n < MATCH_PERSONS_PER_SIDE; ++n)
                LineUp[side][n] = static_cast<int16_t>(side * MATCH_PERSONS_PER_SIDE + n);
        m_flags = ViewFlags;
        InstallRecorders();
    }
    void TearDown() override
    {
        ViewFlags = m_flags;
        SoftObjectDrawers = {};
    }
    ViewFlagsRecord m_flags{};
};

TEST_F(ObjectKinds, APersonIsSeenWhenHisFootOrHeadIsInside)
{
    const struct {
        const char* name;
        RenderObject object;
        float depth;
    } cases[] = {
        {"ahead", {0, 0, -100, 0, 0, 0, 0}, 100},
        {"absent", {0, 0, -100, -1, 0, 0, 0}, -1},
        {"no skeleton shadow", {0, 0, -100, -2, 0, 0, 0}, 100},
        {"motion 159", {0, 0, -100, 159, 0, 0, 0}, -1},
        {"motion -3", {0, 0, -100, -3, 0, 0, 0}, -1},
        {"too near", {0, 0, -19.9f, 0, 0, 0, 0}, -1},
        {"at the near plane", {0, 0, -20, 0, 0, 0, 0}, 20},
        {"behind", {0, 0, 50, 0, 0, 0, 0}, -1},
        // Foot Y 110 below the bottom edge, head Y 33 inside.
        {"feet below the view", {0, -50, -100, 0, 0, 0, 0}, 100},
        {"all below the view", {0, -100, -100, 0, 0, 0, 0}, -1},
        // X = 1.65 x: -100.65 is just beyond the left edge, -99 inside.
        {"just beyond the left", {-61, 0, -100, 0, 0, 0, 0}, -1},
        {"just inside the left", {-60, 0, -100, 0, 0, 0, 0}, 100},
        {"beyond the right", {61, -10, -100, 0, 0, 0, 0}, -1},
    };
    for (const auto& c : cases) {
        RenderList[3] = c.object;
        EXPECT_FLOAT_EQ(ObjectTypes3D[0].GetDepth(3), c.depth) << c.name;
    }
    RenderList[OBJECT_BALL] = cases[0].object;
    EXPECT_FLOAT_EQ(ObjectTypes3D[1].GetDepth(0), 100.0f);
    RenderList[OBJECT_BALL] = cases[5].object;
    EXPECT_FLOAT_EQ(ObjectTypes3D[1].GetDepth(0), -1.0f);
}

TEST_F(ObjectKinds, TheLevelFollowsDepthZoomAndDetail)
{
    // First depths of each next level; one below keeps the level (the inner truncation counts:
    // 110.9 at zoom 1.1 is 110 / 1.1000000238 = 99.99 and stays at level 2).
    const struct {
        float zoom;
        int32_t detail;
        float firstDepths[4];
    } cases[] = {{1.1f, 0, {26, 62, 111, 166}},   {1.1f, 1, {51, 124, 221, 331}},
                 {1.1f, 2, {103, 248, 441, 661}}, {2.3f, 0, {53, 129, 230, 345}},
                 {2.3f, 1, {106, 258, 460, 690}}, {2.3f, 2, {214, 518, 920, 1380}}};
    for (const auto& c : cases) {
        SetViewCamera(0, 0, 0, 0, 0, c.zoom);
        ViewFlags.modelDetail = c.detail;
        EXPECT_EQ(ObjectDisplay_DetailLevel(0), 0);
        for (int32_t k = 0; k < 4; ++k) {
            EXPECT_EQ(ObjectDisplay_DetailLevel(c.firstDepths[k] - 0.1f), k) << c.zoom << " " << k;
            EXPECT_EQ(ObjectDisplay_DetailLevel(c.firstDepths[k]), k + 1) << c.zoom << " " << k;
        }
        EXPECT_EQ(ObjectDisplay_DetailLevel(9.9e6f * c.zoom), 4);
        EXPECT_EQ(ObjectDisplay_DetailLevel(1.2e7f * c.zoom), 5);
    }
    SetViewSize(320, 240);  // a narrower view doubles n
    SetViewCamera(0, 0, 0, 0, 0, 1.1f);
    ViewFlags.modelDetail = 0;
    EXPECT_EQ(ObjectDisplay_DetailLevel(12.9f), 0);
    EXPECT_EQ(ObjectDisplay_DetailLevel(13.0f), 1);
}

TEST_F(ObjectKinds, ModelKindsNameTheOfficialsAndTheGoalkeepers)
{
    const struct {
        int32_t object, kind;
    } cases[] = {{0, 1}, {16, 1}, {1, 0}, {15, 0}, {17, 0}, {31, 0}, {32, 2}, {33, 2}, {34, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(ObjectDisplay_ModelKind(c.object), c.kind) << c.object;
    Football_SwapLineUp(1, 0, 4);
    EXPECT_EQ(ObjectDisplay_ModelKind(20), 1);
    EXPECT_EQ(ObjectDisplay_ModelKind(16), 0);
}

TEST_F(ObjectKinds, TheSoftwareListDrawsPeopleBallAndItemsOverTheirShadows)
{
    RenderList[2].animation = -1;
    RenderList[4].animation = -2;
    RenderList[6].animation = 200;
    RenderList[OBJECT_BALL] = {1, 2, -40, 0, 0, 0, 0};
    Ball_SetSpinAngles(0.5f, 1.5f, 2.5f);
    ViewFlags.modelDetail = 0;
    ObjectDisplay(ObjectTypes3D);
    // Every person in use and the ball get flat shadows at their ground positions.
    ASSERT_EQ(s_flatShadows.size(), 34u);
    EXPECT_EQ(s_flatShadows[3], (std::vector<float>{-14, -104, 5.0f, 12.5f}));
    EXPECT_EQ(s_flatShadows.back(), (std::vector<float>{1, -40, 4.0f, 4.0f}));
    EXPECT_TRUE(s_skeletonShadows.empty());
    ASSERT_EQ(s_people.size(), 33u);
    EXPECT_EQ(s_items.size(), 12u);
    ASSERT_EQ(s_balls.size(), 1u);
    EXPECT_EQ(s_balls[0], (std::vector<float>{1, -40, 2, 0.5f, 1.5f, 2.5f}));
    // The farthest first: object 34 at depth 134, object 0 (a goalkeeper) last at 100.
    EXPECT_EQ(s_people.front().object, 34);
    EXPECT_EQ(s_people.front().kind, 2);
    EXPECT_EQ(s_people.back().object, 0);
    EXPECT_EQ(s_people.back().kind, 1);
    EXPECT_EQ(s_people.back().level, 2);  // n = trunc(100 / 1.1) = 90, below 100 at detail 0
    const auto drawn = [](int32_t o) {
        return std::find_if(s_people.begin(), s_people.end(),
                            [o](const PersonCall& p) { return p.object == o; });
    };
    EXPECT_EQ(drawn(2), s_people.end());
    EXPECT_EQ(drawn(6), s_people.end());
    ASSERT_NE(drawn(4), s_people.end());
    EXPECT_EQ(drawn(4)->motion, MOTION_ABSENT);  // drawn in its rest pose

    InstallRecorders();
    ViewFlags.modelDetail = 1;
    ObjectDisplay(ObjectTypes3D);
    EXPECT_EQ(s_skeletonShadows.size(), 32u);  // without 2, 4 and 6
    EXPECT_EQ(std::count(s_skeletonShadows.begin(), s_skeletonShadows.end(), 4), 0);
    EXPECT_EQ(s_flatShadows.size(), 1u);  // the ball's
    EXPECT_EQ(s_people.size() + s_balls.size() + s_items.size(), 46u);
}

TEST_F(ObjectKinds, FortyEightObjectsFitTheTable)
{
    RenderList[OBJECT_BALL] = {0, 0, -60, 0, 0, 0, 0};
    ObjectDisplay(ObjectTypes3D);
    EXPECT_EQ(s_people.size() + s_balls.size() + s_items.size(), 48u);
    // The items at 300-311 are the farthest.
    EXPECT_EQ(s_items.front(), 11);
}

TEST_F(ObjectKinds, LabelsGoToTheFourNearestPlayersInUse)
{
    // Players along y from the focus person 9: 9 itself, then 10, 11, 12, 13 ...
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p)
        RenderList[p] = {0, 0, static_cast<float>(10 * (p >= 9 ? p - 9 : 40 + p)), 0, 0, 0, 0};
    Match.followedObject = 9;
    ViewFlags.showNames = 1;
    ObjectDisplay_DrawNameLabels();
    EXPECT_EQ(s_labels, (std::vector<int32_t>{9, 10, 11, 12}));
    s_labels.clear();
    RenderList[10].animation = -1;
    ObjectDisplay_DrawNameLabels();
    EXPECT_EQ(s_labels, (std::vector<int32_t>{9, 11, 12}));
    s_labels.clear();
    ViewFlags.showNames = 0;
    ObjectDisplay_DrawNameLabels();
    EXPECT_TRUE(s_labels.empty());
}

}  // namespace
