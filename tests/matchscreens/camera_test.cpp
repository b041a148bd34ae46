// The match cameras: the hand-worked cases (where each camera stands, what it aims at, its lens,
// the focus rules), a sweep of the ball over the pitch for every view type, the fatal views, and
// the keys that choose the view type, kept with the view flags from run to run.
#include "matchscreens/camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/keyboard.h"
#include "engine/options.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "matchscreens/matchkeys.h"
#include "tests/gamecode/harness/softview_scene.h"
#include "tests/support/support.h"
#include "vx256/polyman.h"
#include "vx256/world3d.h"

namespace {

constexpr double kPi = std::numbers::pi;

class CameraTest : public testing::Test {
protected:
    void SetUp() override
    {
        MatchBlocks_Init();
        MatchEngine_Init();
        Options = OPTIONS_DEFAULTS;
        BigStadium = 0;
        GetMatchSidesBlock()->viewMode = VIEW_3D;
        InitCameras();
    }
    void TearDown() override
    {
        BigStadium = 0;
        MatchEngine_Uninit();
        MatchBlocks_Uninit();
    }
};

void Place(int32_t object, float x, float y, float height)
{
    RenderList[object].x = x;
    RenderList[object].y = y;
    RenderList[object].height = height;
}

struct Focus {
    float x, y, height;
};

// Some point of a fine grid over the pitch lies inside the software renderer's picture.
bool PitchInView()
{
    for (float x = PITCH_LEFT_TOUCHLINE_X; x <= PITCH_RIGHT_TOUCHLINE_X; x += 32) {
        for (float y = PITCH_NEAR_GOAL_LINE_Y; y <= PITCH_FAR_GOAL_LINE_Y; y += 32) {
            const ViewPoint v = Polyman_ToView(x, y, 0);
            if (Polyman_Outcode(v.x, v.y, v.z) == 0) return true;
        }
    }
    return false;
}

// One frame of camera 0 from a set scene. People: 0 (a keeper) at (700, 300, 20), 5 at
// (150, 100, 0), 9 and the restart marker at (1000, 1500, 0), the referee on the centre spot; the
// ball where the case puts it. The action given is that of 0, 9 and the referee.
struct CameraCase {
    const char* name;
    uint16_t viewMode;
    int16_t viewType;
    int32_t bigStadium;
    Focus ball;
    int16_t holder, secondHolder, followed;
    int16_t phase;
    int16_t followedAction;
    float previousTargetX;  // 0: as the reset leaves it
    Focus target, eye;
    double yaw, zoom;
};

// clang-format off
const CameraCase kCases[] = {
    // Where the cameras stand and what they aim at.
    {"focus at the centre: right touchline", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 0, MATCH_BALL, 0, 0, 0,
     {796, 1082, 0}, {1445, 1082, 350}, kPi / 2, 1.695930},
    {"ball held by nobody, focus person at (150, 100): right", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 0, 5, 0, 0, 0,
     {256, 222, 0}, {1445, 1082, 350}, 0.944605, 3.469740},
    {"ball held by nobody, focus person at (150, 100): left", VIEW_3D, 3, 0, {796, 1082, 0}, 0, 0, 5, 0, 0, 0,
     {256, 222, 0}, {76, 1082, 350}, -0.206324, 2.175294},
    {"goal camera whose last target x was 1400", VIEW_3D, 1, 0, {796, 1082, 0}, 0, 0, MATCH_BALL, 0, 0, 1400,
     {796, 1082, 1}, {928, 62, 350}, 3.012896, 2.498042},
    {"first frame after a reset, focus within 16 of x: down the pitch", VIEW_3D, 2, 0, {806, 1500, 0}, 0, 0, MATCH_BALL, 0, 0, 0,
     {806, 1500, 1}, {806, 2102.083f, 350}, 0.0, 1.600617},
    {"focus 16 from the near goal camera: down the pitch", VIEW_3D, 1, 0, {780, 600, 40}, 0, 0, MATCH_BALL, 0, 0, 0,
     {780, 600, 1}, {780, 61.762f, 350}, kPi, 1.475412},
    {"focus on the camera's line, height clamped", VIEW_3D, 0, 0, {1400, 1082, 350}, 0, 0, MATCH_BALL, 0, 0, 0,
     {1336, 1082, 350}, {1445, 1082, 350}, kPi / 2, 1.0},  // 0.25 computed, stored as 1
    // A ball lofted across the pitch: the aim comes down its vertical until the far touchline
    // shows a fifth of the way up the picture; higher still, the lens widens to hold the ball too.
    {"a ball 330 up across the pitch", VIEW_3D, 0, 0, {435, 1460, 330}, 0, 0, MATCH_BALL, 0, 0, 0,
     {435, 1460, 209.348f}, {1445, 1082, 350}, 1.928916, 2.501367},
    {"a ball 500 up across the pitch", VIEW_3D, 0, 0, {435, 1460, 500}, 0, 0, MATCH_BALL, 0, 0, 0,
     {435, 1460, 248.186f}, {1445, 1082, 350}, 1.928916, 1.893619},
    // A big stadium moves them.
    {"big stadium: right", VIEW_3D, 0, 1, {796, 1082, 0}, 0, 0, MATCH_BALL, 0, 0, 0,
     {796, 1082, 0}, {1424, 1082, 358.4f}, kPi / 2, 1.663068},
    {"big stadium: left", VIEW_3D, 3, 1, {796, 1082, 0}, 0, 0, MATCH_BALL, 0, 0, 0,
     {796, 1082, 0}, {55, 1082, 358.4f}, -kPi / 2, 1.893183},
    {"big stadium: near goal", VIEW_3D, 1, 1, {900, 1082, 0}, 0, 0, MATCH_BALL, 0, 0, 0,
     {900, 1082, 1}, {796, 22, 358.4f}, -3.043792, 2.583946},
    {"big stadium: far goal", VIEW_3D, 2, 1, {900, 1082, 0}, 0, 0, MATCH_BALL, 0, 0, 0,
     {900, 1082, 1}, {796, 2142, 358.4f}, -0.097800, 2.583946},
    // Who the focus is.
    {"the second ball-holder word wins over the first", VIEW_3D, 0, 0, {796, 1082, 0}, 6, 10, MATCH_BALL, 0, 0, 0,
     {1000, 1500, 0}, {1445, 1082, 350}, 2.324918, 1.618600},
    {"the first ball-holder word alone", VIEW_3D, 0, 0, {796, 1082, 0}, 6, 0, MATCH_BALL, 0, 0, 0,
     {256, 222, 0}, {1445, 1082, 350}, 0.944605, 3.469740},
    {"the keeper holding the ball in his hands", VIEW_3D, 0, 0, {796, 1082, 0}, 1, 0, MATCH_BALL, 0, 0, 0,
     {700, 300, 20}, {1445, 1082, 350}, 0.761172, 2.597523},
    {"holder words outside the objects are passed over", VIEW_3D, 0, 0, {796, 1082, 0}, -2, 40, 9, 0, 0, 0,
     {1000, 1500, 0}, {1445, 1082, 350}, 2.324918, 1.618600},
    {"holder word 37 names the last object, the restart marker", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 37, MATCH_BALL, 0, 0, 0,
     {1000, 1500, 0}, {1445, 1082, 350}, 2.324918, 1.618600},
    {"a focus person past the ball gives the ball", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 0, 36, 8, 0, 0,
     {796, 1082, 0}, {1445, 1082, 350}, kPi / 2, 1.695930},
    {"a negative focus person gives the ball", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 0, -1, 8, 0, 0,
     {796, 1082, 0}, {1445, 1082, 350}, kPi / 2, 1.695930},
    // The close-up.
    {"a celebrating player is brought closer", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 0, 9, 0, 69, 0,
     {1000, 1500, 0}, {1445, 1082, 350}, 2.324918, 3.722781},
    {"a celebrating keeper is brought closer", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 0, 0, 0, 69, 0,
     {700, 300, 20}, {1445, 1082, 350}, 0.761172, 5.974303},
    {"phase 8 with player 0 as the focus", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 0, 0, 8, 0, 0,
     {700, 300, 20}, {1445, 1082, 350}, 0.761172, 5.974303},
    {"a referee in state 69 is not", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 0, MATCH_REFEREE, 0, 69, 0,
     {796, 1082, 0}, {1445, 1082, 350}, kPi / 2, 1.695930},
    {"phase 7", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 0, MATCH_BALL, 7, 0, 0,
     {796, 1082, 0}, {1445, 1082, 350}, kPi / 2, 3.900639},
    {"phase 8", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 0, MATCH_BALL, 8, 0, 0,
     {796, 1082, 0}, {1445, 1082, 350}, kPi / 2, 3.900639},
    {"phase 9", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 0, MATCH_BALL, 9, 0, 0,
     {796, 1082, 0}, {1445, 1082, 350}, kPi / 2, 3.900639},
    {"phase 6", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 0, MATCH_BALL, 6, 0, 0,
     {796, 1082, 0}, {1445, 1082, 350}, kPi / 2, 1.695930},
    {"phase 10", VIEW_3D, 0, 0, {796, 1082, 0}, 0, 0, MATCH_BALL, 10, 0, 0,
     {796, 1082, 0}, {1445, 1082, 350}, kPi / 2, 1.695930},
    // The fixed overview outside the 3D view, whatever the view type.
    {"overview in the text view", VIEW_TEXT, 2, 1, {200, 200, 0}, 0, 0, MATCH_BALL, 9, 0, 1400,
     {796, 1360, 1}, {796, 2982.701f, 1343.415f}, 0.0, 1.5},
    {"overview in the 2D view", VIEW_2D, 3, 0, {200, 200, 0}, 0, 0, MATCH_BALL, 0, 0, 1400,
     {796, 1360, 1}, {796, 2982.701f, 1343.415f}, 0.0, 1.5},
    {"overview in the 2D view with view type 4", VIEW_2D, 4, 0, {200, 200, 0}, 0, 0, MATCH_BALL, 0, 0, 1400,
     {796, 1360, 1}, {796, 2982.701f, 1343.415f}, 0.0, 1.5},
};
// clang-format on

void ExpectNear(const float got[3], const Focus& want, double tolerance)
{
    EXPECT_NEAR(got[0], want.x, tolerance);
    EXPECT_NEAR(got[1], want.y, tolerance);
    EXPECT_NEAR(got[2], want.height, tolerance);
}

TEST_F(CameraTest, EachCaseStandsAimsAndZoomsAsWorkedByHand)
{
    for (const CameraCase& c : kCases) {
        SCOPED_TRACE(c.name);
        InitCameras();
        GetMatchSidesBlock()->viewMode = c.viewMode;
        BigStadium = c.bigStadium;
        Place(0, 700, 300, 20);
        Place(5, 150, 100, 0);
        Place(9, 1000, 1500, 0);
        Place(MATCH_REFEREE, 796, 1082, 0);
        Place(MATCH_MARKER, 1000, 1500, 0);
        Place(MATCH_BALL, c.ball.x, c.ball.y, c.ball.height);
        Ball.holder = c.holder;
        Ball.secondHolder = c.secondHolder;
        Match.followedObject = c.followed;
        MatchPhase = c.phase;
        for (MatchPerson& p : MatchPersons)
            p.action = 0;
        for (const int32_t person : {0, 9, static_cast<int32_t>(MATCH_REFEREE)})
            MatchPersons[person].action = c.followedAction;
        if (c.previousTargetX != 0) Cameras[0].target[0] = c.previousTargetX;
        Cameras[0].viewType = c.viewType;

        UpdateCurrentCamera();
        const CameraRecord& cam = Cameras[0];
        ExpectNear(cam.target, c.target, 0.01);
        ExpectNear(cam.eye, c.eye, 0.01);
        EXPECT_NEAR(cam.yaw, c.yaw, 1e-5);
        EXPECT_NEAR(cam.zoom, c.zoom, 1e-5);
        // The software renderer received the same.
        const ViewPoint at = Polyman_Camera();
        EXPECT_NEAR(at.x, c.eye.x, 0.01);
        EXPECT_NEAR(at.y, c.eye.y, 0.01);
        EXPECT_NEAR(at.z, c.eye.height, 0.01);
        EXPECT_NEAR(Polyman_Zoom(), c.zoom, 1e-5);
    }
}

// A reset gives view type 0 to every camera, and so to the options file, which keeps camera 0's;
// only the program's start gives camera 0 the type the file kept.
TEST_F(CameraTest, AResetGivesEveryRecordItsStartAndViewTypeZero)
{
    Options.cameraViewType = 2;
    Cameras[0].viewType = 2;
    Cameras[3].viewType = 1;
    Cameras[1].zoom = 7.0f;
    CurrentCamera = 2;
    InitCameras();
    EXPECT_EQ(CurrentCamera, 0);
    EXPECT_EQ(int32_t{Options.cameraViewType}, 0);
    for (int32_t n = 0; n < CAMERA_COUNT; ++n) {
        const CameraRecord& c = Cameras[n];
        EXPECT_EQ(c.viewType, 0) << n;
        EXPECT_FLOAT_EQ(c.zoom, 1.1f) << n;
        EXPECT_DOUBLE_EQ(c.spare[0], 16.0) << n;
        EXPECT_DOUBLE_EQ(c.spare[1], 44.0) << n;
        EXPECT_DOUBLE_EQ(c.distance, 1000.0) << n;
        EXPECT_NEAR(c.yaw, kPi / 2, 1e-11) << n;
        EXPECT_NEAR(c.pitch, 3.5342917352918, 1e-12) << n;
        const Focus target = {796, 1082, 10};
        ExpectNear(c.target, target, 0.0);
    }
    // The view type chosen later is what the options file keeps, until the next reset.
    SetCameraViewType(3);
    EXPECT_EQ(int32_t{Options.cameraViewType}, 3);
    Cameras[2].zoom = 7.0f;
    Camera_StartRun();
    EXPECT_EQ(Camera_ViewType(), 3);
    EXPECT_FLOAT_EQ(Cameras[2].zoom, 1.1f);
    InitCameras();
    EXPECT_EQ(Camera_ViewType(), 0);
    EXPECT_EQ(int32_t{Options.cameraViewType}, 0);
}

TEST_F(CameraTest, TheZoomIsStoredWithinOneToTwenty)
{
    const struct {
        float computed, stored;
    } zooms[] = {{25.0f, 20.0f}, {20.0f, 20.0f}, {0.25f, 1.0f}, {7.5f, 7.5f}};
    for (const auto& z : zooms) {
        Cameras[1].zoom = z.computed;
        ApplyCameraView(1);
        EXPECT_FLOAT_EQ(Cameras[1].zoom, z.stored) << z.computed;
        EXPECT_FLOAT_EQ(Polyman_Zoom(), z.stored) << z.computed;
    }
}

// The ball over a grid of the pitch and beyond it, at five heights, for each view type in both
// stadiums: the target is the clamped focus (a touchline camera's lower on its vertical when the
// ball is high) and lands on the view's centre, the followed ball stays in the picture and so
// does the pitch unless the camera looks up, the lens stays within 1-20, and the eye stands where
// the type puts it, off the pitch.
TEST_F(CameraTest, SweepingTheBallKeepsEveryCameraOnItsStandAndAimedAtThePlay)
{
    Ball.holder = Ball.secondHolder = 0;
    Match.followedObject = MATCH_BALL;
    for (int32_t big = 0; big <= 1; ++big) {
        BigStadium = big;
        const double height = big != 0 ? 358.4 : 350.0;
        for (int16_t type = 0; type < CAMERA_VIEW_TYPES; ++type) {
            InitCameras();
            SetCameraViewType(type);
            const bool goal = type == CAMERA_NEAR_GOAL || type == CAMERA_FAR_GOAL;
            for (float x = -100; x <= 1700; x += 60) {
                for (float y = -100; y <= 2300; y += 80) {
                    for (const float h : {0.0f, 40.0f, 300.0f, 900.0f, 4000.0f}) {
                        SCOPED_TRACE(testing::Message() << "big " << big << " type " << type
                                                        << " ball " << x << ", " << y << ", " << h);
                        Place(MATCH_BALL, x, y, h);
                        const double lastTargetX = Cameras[0].target[0];
                        UpdateCurrentCamera();
                        const CameraRecord& c = Cameras[0];
                        const Focus followed = {std::clamp(x, 256.0f, 1336.0f),
                                                std::clamp(y, 222.0f, 1942.0f),
                                                goal ? 1.0f : std::clamp(h, 0.0f, 3200.0f)};
                        const bool low = goal || h <= 40;
                        const Focus want = {followed.x, followed.y,
                                            low ? followed.height : c.target[2]};
                        ExpectNear(c.target, want, 1e-3);
                        EXPECT_LE(c.target[2], followed.height + 1e-3);
                        const ViewPoint v = Polyman_ToView(want.x, want.y, want.height);
                        ASSERT_GT(v.z, 0.0f);
                        EXPECT_NEAR(v.x / v.z, 0.0, 1e-4);
                        EXPECT_NEAR(v.y / v.z, 0.0, 1e-4);
                        const ViewPoint ball =
                            Polyman_ToView(followed.x, followed.y, followed.height);
                        EXPECT_EQ(Polyman_Outcode(ball.x, ball.y, ball.z), 0u);
                        if (c.target[2] <= c.eye[2]) {
                            EXPECT_TRUE(PitchInView());
                        }
                        EXPECT_GE(c.zoom, 1.0f);
                        EXPECT_LE(c.zoom, 20.0f);
                        EXPECT_NEAR(c.eye[2], height, 1e-3);
                        if (!goal) {
                            const double at =
                                type == 0 ? (big != 0 ? 1424 : 1445) : (big != 0 ? 55 : 76);
                            EXPECT_NEAR(c.eye[0], at, 1e-3);
                            EXPECT_NEAR(c.eye[1], 1082, 1e-3);
                            continue;
                        }
                        // Behind the goal line, slid from the last target's x, within 16 of it
                        // when looking straight down the pitch.
                        const double standX = std::clamp(lastTargetX, 664.0, 928.0);
                        const double standY =
                            type == 1 ? (big != 0 ? 22 : 62) : (big != 0 ? 2142 : 2102);
                        const CameraPoint& stand = CameraPositions[type - 1];
                        EXPECT_DOUBLE_EQ(stand.x, standX);
                        EXPECT_DOUBLE_EQ(stand.y, standY);
                        EXPECT_DOUBLE_EQ(stand.height, height);
                        EXPECT_NEAR(c.eye[0], standX, 16.001);
                        EXPECT_NEAR(c.eye[1], standY, 1.0);
                        EXPECT_TRUE(type == 1 ? c.eye[1] < 122 : c.eye[1] > 2042);
                    }
                }
            }
        }
    }
}

using CameraDeathTest = CameraTest;

TEST_F(CameraDeathTest, AnUnknownViewTypeCameraOrViewModeIsFatal)
{
    Cameras[0].viewType = 4;
    EXPECT_EXIT(UpdateCurrentCamera(), testing::ExitedWithCode(1),
                "Error:ProcessViewPoint not a valid view 4");
    EXPECT_EXIT(ProcessViewPoint(CAMERA_COUNT), testing::ExitedWithCode(1),
                "ProcessViewPoint\\(\\): bad camera 4");
    Cameras[0].viewType = 0;
    GetMatchSidesBlock()->viewMode = VIEW_NONE;
    EXPECT_EXIT(ApplyCameraView(0), testing::ExitedWithCode(1),
                "ApplyCameraView\\(\\): unknown game type");
}

}  // namespace

namespace {

void PressKey(uint32_t code)
{
    for (const bool down : {true, false}) {
        HostOnKey(code, down, false);
        while (HostMsgPeek()) {
            HostMessage message{};
            HostMsgGet(&message);
            HostMsgDispatch(message);
        }
    }
}

// Where the software renderer's camera stands, by view type: off the right and left touchlines,
// behind the near and the far goal lines.
bool StandsForType(int32_t type)
{
    const ViewPoint eye = Polyman_Camera();
    switch (type) {
        case CAMERA_RIGHT_TOUCHLINE: return eye.x > 1436 && eye.y == 1082;
        case CAMERA_NEAR_GOAL: return eye.y < 122;
        case CAMERA_FAR_GOAL: return eye.y > 2042;
        default: return eye.x < 156 && eye.y == 1082;
    }
}

// The keys pressed in the running software view; the view rebuilt as after a menu, which resets
// the camera and leaves the flags; the camera chosen again; then a restart: the options saved,
// the run's words put back to their defaults, the file read again.
TEST(CameraKeys, TheViewFlagsOutlastARebuildAndTheChosenViewTypeARestart)
{
    TempHome home;
    Options = OPTIONS_DEFAULTS;
    ScopedSoftView view;
    InitKeyboardInterrupt();
    for (const int32_t row : {3, 1, 0, 2}) {
        SCOPED_TRACE(row);
        // A second press of a row with one camera chooses the same one again.
        for (int32_t press = 0; press < 2; ++press) {
            PressKey(MKEY_DIGIT1 + row);
            ScopedSoftView::Frame();  // the keys are read after the drawing
            ScopedSoftView::Frame();
            EXPECT_EQ(Camera_ViewType(), row);
            EXPECT_EQ(int32_t{Options.cameraViewType}, row);
            EXPECT_TRUE(StandsForType(row));
        }
    }
    ScopedSoftView::Tear();
    ScopedSoftView::Build();
    ScopedSoftView::Frame();
    EXPECT_EQ(Camera_ViewType(), CAMERA_RIGHT_TOUCHLINE);
    EXPECT_EQ(int32_t{Options.cameraViewType}, CAMERA_RIGHT_TOUCHLINE);
    EXPECT_TRUE(StandsForType(CAMERA_RIGHT_TOUCHLINE));
    PressKey(MKEY_DIGIT1 + 2);
    ScopedSoftView::Frame();
    ScopedSoftView::Frame();
    EXPECT_TRUE(StandsForType(CAMERA_FAR_GOAL));

    for (const uint32_t key : {MKEY_F6, MKEY_F7, MKEY_F8})
        PressKey(key);
    ScopedSoftView::Frame();
    EXPECT_EQ(int32_t{Options.showNames}, 0);
    EXPECT_EQ(int32_t{Options.panoramic}, 1);
    EXPECT_EQ(int32_t{Options.modelDetail}, 0);

    OptionsSave();
    Options = OPTIONS_DEFAULTS;
    MatchKeys_Init();
    Camera_StartRun();
    EXPECT_EQ(Camera_ViewType(), CAMERA_RIGHT_TOUCHLINE);
    EXPECT_EQ(ViewFlags.showNames, 1);
    OptionsLoad();
    MatchKeys_Init();
    Camera_StartRun();
    EXPECT_EQ(Camera_ViewType(), CAMERA_FAR_GOAL);
    EXPECT_EQ(ViewFlags.quickPreview, 0);
    EXPECT_EQ(ViewFlags.showNames, 0);
    EXPECT_EQ(ViewFlags.panoramic, 1);
    EXPECT_EQ(ViewFlags.modelDetail, 0);
    ClearKeyboardInterrupt();
    Options = OPTIONS_DEFAULTS;
}

}  // namespace
