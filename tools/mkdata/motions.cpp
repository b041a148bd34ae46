// tools/mkdata/motions.cpp: the motion clips. Each clip's row in data/motions.txt names a
// template: a gait or idle cycle for a looped clip, or five poses (start, wind-up, key, follow,
// end) eased between for a clip played once, its key pose on the frame the match's action waits
// for. Poses set a few joints over a stance; the root height and the ball point come from the
// posed body, so a grounded man stands on his lowest sole and a held ball meets foot or hands.
#include "tools/mkdata/motions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <numbers>
#include <sstream>

#include "gamecode/motionframes.h"
#include "tools/mkdata/skeleton.h"
#include "tools/mkdata/textsource.h"
#include "viewservices/motioncap.h"
#include "vx256/polyman.h"

namespace {

constexpr float kTurn = 256.0f;
constexpr float kStandingRoot = -MK_SOLE_Z;
constexpr float kBallRadius = 1.92f;
constexpr float kAheadOfFeet = 4.0f;

// Angles in 256ths of a turn for joints 0-21 (0 unused) and a turn of the whole body applied
// over them, so that a dive or a fall turns every limb with the trunk; `lift` raises a grounded
// body off the ground (a keeper's dive in flight).
struct Pose {
    float joint[MK_JOINT_COUNT][3] = {};
    float body[3] = {};
    float lift = 0;
};

using Angles = uint8_t[MOTION_POSED_JOINTS][3];

// ---- Posing ----------------------------------------------------------------------------------

void Rotation(const float (&abc)[3], RotationMatrix out)
{
    const float k = 2.0f * std::numbers::pi_v<float> / kTurn;
    BuildJointRotation(std::sin(abc[0] * k), std::cos(abc[0] * k), std::sin(abc[1] * k),
                       std::cos(abc[1] * k), std::sin(abc[2] * k), std::cos(abc[2] * k), out);
}

Vec3 Turn(const RotationMatrix r, const Vec3& v)
{
    return {r[0][0] * v.x + r[0][1] * v.y + r[0][2] * v.z,
            r[1][0] * v.x + r[1][1] * v.y + r[1][2] * v.z,
            r[2][0] * v.x + r[2][1] * v.y + r[2][2] * v.z};
}

// The body's turn composed over a joint's, as the three angles of the product.
void Compose(const float (&body)[3], const float (&joint)[3], float (&out)[3])
{
    RotationMatrix b;
    RotationMatrix j;
    Rotation(body, b);
    Rotation(joint, j);
    RotationMatrix m;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            m[r][c] = b[r][0] * j[0][c] + b[r][1] * j[1][c] + b[r][2] * j[2][c];
    const float k = kTurn / (2.0f * std::numbers::pi_v<float>);
    out[0] = std::atan2(m[1][0], m[0][0]) * k;
    out[1] = -std::asin(std::clamp(m[2][0], -1.0f, 1.0f)) * k;
    out[2] = std::atan2(m[2][1], m[2][2]) * k;
}

void Quantise(const Pose& pose, Angles& out)
{
    for (int32_t j = 1; j < MK_JOINT_COUNT; ++j) {
        float abc[3];
        Compose(pose.body, pose.joint[j], abc);
        for (int32_t k = 0; k < 3; ++k)
            out[j - 1][k] = static_cast<uint8_t>(static_cast<int32_t>(std::lround(abc[k])) & 255);
    }
}

// ---- Pose helpers (side -1 left, +1 right; swings forward, spreads outward) --------------------

MkJoint Thigh(int32_t side) { return side < 0 ? MK_JOINT_LEFT_THIGH : MK_JOINT_RIGHT_THIGH; }
MkJoint UpperArm(int32_t side)
{
    return side < 0 ? MK_JOINT_LEFT_UPPER_ARM : MK_JOINT_RIGHT_UPPER_ARM;
}

void Set(Pose& p, int32_t joint, float a, float b, float c)
{
    p.joint[joint][0] = a;
    p.joint[joint][1] = b;
    p.joint[joint][2] = c;
}

void Leg(Pose& p, int32_t side, float swing, float knee, float spread = 0)
{
    const int32_t thigh = Thigh(side);
    Set(p, thigh, 0, swing, side * spread);
    Set(p, thigh + 1, 0, swing - knee, side * spread);
    Set(p, thigh + 2, 0, 0.4f * (swing - knee), side * spread);
    Set(p, thigh + 3, 0, 0.4f * (swing - knee), side * spread);
}

void Arm(Pose& p, int32_t side, float swing, float spread, float elbow = 0)
{
    const int32_t upper = UpperArm(side);
    Set(p, upper, 0, swing, side * spread);
    Set(p, upper + 1, 0, swing + elbow, side * spread);
    Set(p, upper + 2, 0, swing + elbow, side * spread);
}

void Arms(Pose& p, float swing, float spread, float elbow = 0)
{
    Arm(p, -1, swing, spread, elbow);
    Arm(p, 1, swing, spread, elbow);
}

// Forward lean of the trunk and head (negative b leans forward), and a twist about the vertical.
void Trunk(Pose& p, float lean, float twist = 0, float head = 0)
{
    for (int32_t j : {MK_JOINT_SPINE, MK_JOINT_CHEST, MK_JOINT_NECK})
        Set(p, j, twist, -lean, 0);
    Set(p, MK_JOINT_HEAD, twist, -lean - head, 0);
    for (int32_t j : {MK_JOINT_LEFT_CLAVICLE, MK_JOINT_RIGHT_CLAVICLE})
        Set(p, j, twist, -lean, 0);
}

Pose Stance()
{
    Pose p;
    Arms(p, 0, 6, 4);
    return p;
}

Pose Crouch(float depth)
{
    Pose p = Stance();
    Leg(p, -1, depth, 2 * depth, 6);
    Leg(p, 1, depth, 2 * depth, 6);
    Trunk(p, depth * 0.8f);
    Arms(p, 20, 18, 20);
    return p;
}

Pose Lying(float face)  // face -64 down, +64 up
{
    Pose p = Stance();
    Arms(p, 10, 20, 10);
    p.body[1] = face;
    return p;
}

// ---- Cycles ------------------------------------------------------------------------------------

float Ease(float t) { return t * t * (3 - 2 * t); }

struct Gait {
    float period;  // frames a stride pair takes
    float swing;
    float knee;
    float lean;
    float arms;
    float side;  // sideways swing instead of a forward one; at a speed, steps to the man's left
};

Pose GaitPose(const Gait& g, float phase)
{
    Pose p = Stance();
    const float s = std::sin(2 * std::numbers::pi_v<float> * phase);
    const float c = std::cos(2 * std::numbers::pi_v<float> * phase);
    for (int32_t side : {-1, 1}) {
        const float w = side < 0 ? s : -s;
        const float lift = std::max(0.0f, side < 0 ? c : -c);
        Leg(p, side, g.swing * w, g.knee * lift, g.side * (w + 1) + 4);
        Arm(p, side, -g.arms * w, 8, 10 + g.arms * 0.8f);
    }
    Trunk(p, g.lean);
    return p;
}

// clang-format off
const std::map<std::string, Gait> kGaits = {
    {"walk",      {24, 18, 16, 2, 12, 0}},
    {"jog",       {18, 26, 30, 5, 18, 0}},
    {"run",       {16, 32, 40, 8, 24, 0}},
    {"sprint",    {14, 38, 48, 12, 30, 0}},
    {"dribble",   {18, 24, 28, 7, 16, 0}},
    {"backpedal", {20, -16, 18, -3, 10, 0}},
    {"sidestep",  {20, 0, 10, 2, 6, 10}},
    {"shuffle",   {20, 0, 12, 2, 6, 8}},
    {"throwrun",  {18, 22, 26, 3, 0, 0}},  // a throw-in's run-up, the ball held overhead
};
// clang-format on

const char* const kCycles[] = {"stand",  "lie",         "celebration", "wave",
                               "flagup", "flagforward", "flagdiagonal"};

// Both hands hold the ball above the head, as a throw-in's run-up carries it.
void HoldOverhead(Pose& p) { Arms(p, 126, 10, 16); }

bool IsCycle(const std::string& name)
{
    return kGaits.count(name) != 0
           || std::find(std::begin(kCycles), std::end(kCycles), name) != std::end(kCycles);
}

// ---- Strides matched to the match's speed
// --------------------------------------------------------
//
// A gait with a speed sets each foot where the body's travel needs it: half of each stride pair
// on the ground, sliding back under the hip at exactly the speed the match moves the man, so the
// planted foot stays where it landed; the other half swung forward through the air. The legs
// reach their feet by a two-bone solution in the plane of the swing. A sideways gait steps the
// same way toward the man's left.

constexpr float kThigh = 7.5f;                      // hip to knee
constexpr float kShin = 7.0f;                       // knee to ankle
constexpr float kAnkleAboveSole = 1.5f;             // ankle to the flat sole
constexpr float kStandingHip = 16.0f;               // hip above the ground at rest
constexpr float kReach = 0.97f * (kThigh + kShin);  // the knee never quite straight
constexpr float kComfortableReach = 6.0f;           // how far ahead of the hip a foot lands
constexpr float kSideStepCrouch = 2.0f;             // the hip lowered, knees bent, ready to spring
constexpr float kSideStepWidth = 3.0f;              // each foot's mean place outside its hip
constexpr float kComfortableSideReach = 2.75f;  // the closing foot stays clear of the leading one

// The stride pairs a loop of `frames` frames holds at ground speed `perFrame`: a whole number,
// the feet landing as near `comfortable` a reach as that allows.
int32_t StridePairs(float perFrame, int32_t frames, float comfortable)
{
    const float wanted = perFrame * static_cast<float>(frames) / (4 * comfortable);
    return std::max(1, static_cast<int32_t>(std::lround(wanted)));
}

// The thigh's and shin's swings (b, 256ths of a turn) that put the ankle `ahead` of the hip and
// `below` it.
std::pair<float, float> LegReaching(float ahead, float below)
{
    const float toward = std::atan2(ahead, below);
    const float d = std::min(std::hypot(ahead, below), kReach);
    const float atHip = std::acos((kThigh * kThigh + d * d - kShin * kShin) / (2 * kThigh * d));
    const float atAnkle = std::acos((kShin * kShin + d * d - kThigh * kThigh) / (2 * kShin * d));
    const float k = kTurn / (2 * std::numbers::pi_v<float>);
    return {(toward + atHip) * k, (toward - atAnkle) * k};
}

struct FootPlace {
    float ahead;   // of its hip, along the travel
    float raised;  // off the ground
    float stride;  // 0 to 1 into the foot's own stride pair, 0 as it lands
};

// Where a foot is `phase` (0 to 1) into a loop of `pairs` stride pairs, the right foot half a
// pair behind the left: for the first half of each pair planted, sliding back from `reach`
// ahead of its hip to `reach` behind it at the body's speed; for the second carried forward
// through the air, at most `lift` high.
FootPlace FootAt(float phase, int32_t pairs, int32_t side, float reach, float lift)
{
    float s = phase * static_cast<float>(pairs) + (side < 0 ? 0.0f : 0.5f);
    s -= std::floor(s);
    if (s < 0.5f) return {reach * (1 - 4 * s), 0, s};
    const float w = 2 * s - 1;
    return {reach * (2 * Ease(w) - 1), lift * std::sin(std::numbers::pi_v<float> * w), s};
}

float FootLift(const Gait& g) { return 1.5f + 0.1f * std::fabs(g.swing); }

// The pose `phase` (0 to 1) into a loop of `pairs` stride pairs, each foot `reach` ahead of the
// hip when it lands (behind it when the gait runs backwards).
Pose MatchedGaitPose(const Gait& g, float phase, int32_t pairs, float reach)
{
    Pose p = Stance();
    const float below = std::min(kStandingHip - kAnkleAboveSole - 0.04f * g.knee,
                                 std::sqrt(kReach * kReach - reach * reach));
    for (int32_t side : {-1, 1}) {
        const FootPlace foot = FootAt(phase, pairs, side, reach, FootLift(g));
        const auto [thigh, shin] = LegReaching(foot.ahead, below - foot.raised);
        const int32_t joint = Thigh(side);
        const float spread = static_cast<float>(side) * 4;
        Set(p, joint, 0, thigh, spread);
        Set(p, joint + 1, 0, shin, spread);
        Set(p, joint + 2, 0, 0, spread);  // the sole flat, so the planted foot does not roll
        Set(p, joint + 3, 0, 0, spread);
        const float forward = std::cos(2 * std::numbers::pi_v<float> * foot.stride);
        Arm(p, side, -g.arms * forward, 8, 10 + g.arms * 0.8f);
    }
    Trunk(p, g.lean);
    return p;
}

// A side-step toward the man's left (-y), crouched with the hands ready: the left foot leads out
// and the right one closes in behind it, never crossing it. A leg leans out as a whole (thigh
// and shin turned alike about the forward axis) to put its foot aside, and bends its knee
// forward to make up the depth; the sole stays flat.
Pose SideStepPose(const Gait& g, float phase, int32_t pairs, float reach)
{
    Pose p = Stance();
    const float below = kStandingHip - kAnkleAboveSole - kSideStepCrouch;
    const float k = kTurn / (2 * std::numbers::pi_v<float>);
    for (int32_t side : {-1, 1}) {
        const FootPlace foot = FootAt(phase, pairs, side, reach, FootLift(g));
        const float aside = static_cast<float>(side) * kSideStepWidth - foot.ahead;
        const float lean = std::asin(aside / (kThigh + kShin));
        const auto [thigh, shin] = LegReaching(0, (below - foot.raised) / std::cos(lean));
        const int32_t joint = Thigh(side);
        Set(p, joint, 0, thigh, lean * k);
        Set(p, joint + 1, 0, shin, lean * k);
        Set(p, joint + 2, 0, 0, 0);
        Set(p, joint + 3, 0, 0, 0);
    }
    Arms(p, 20, 18, 20);
    Trunk(p, g.lean);
    return p;
}

// A gait's pose at `phase` (0 to 1) of a loop of `frames` frames, its strides matched to the
// match's `speed` when it has one.
Pose GaitCyclePose(const Gait& g, float phase, int32_t frames, int32_t speed)
{
    if (speed <= 0) {
        const float cycles = std::max(1.0f, std::round(static_cast<float>(frames) / g.period));
        return GaitPose(g, phase * cycles);
    }
    const float perFrame = MkGroundPerFrame(speed);
    const bool sideways = g.side != 0;
    const int32_t pairs =
        StridePairs(perFrame, frames, sideways ? kComfortableSideReach : kComfortableReach);
    const float reach = perFrame * static_cast<float>(frames) / static_cast<float>(pairs) / 4;
    if (sideways) return SideStepPose(g, phase, pairs, reach);
    return MatchedGaitPose(g, phase, pairs, g.swing < 0 ? -reach : reach);
}

// A cycle's pose at `phase` (0 to 1) of a loop of `frames` frames, a gait at the match's `speed`
// when it has one.
Pose CyclePose(const std::string& name, float phase, int32_t frames, int32_t speed)
{
    if (auto g = kGaits.find(name); g != kGaits.end()) {
        Pose p = GaitCyclePose(g->second, phase, frames, speed);
        if (name == "throwrun") HoldOverhead(p);
        return p;
    }
    const float wave = std::sin(2 * std::numbers::pi_v<float> * phase);
    Pose p = Stance();
    if (name == "stand") {
        Trunk(p, 1 + wave);
    } else if (name == "lie") {
        p = Lying(-64);
        Arm(p, 1, 10 + 6 * wave, 20, 10);
    } else if (name == "celebration") {
        Arm(p, -1, 100 + 20 * wave, 30, 10);
        Arm(p, 1, 100 - 20 * wave, 30, 10);
        Leg(p, -1, 8 + 8 * wave, 20);
        Leg(p, 1, 8 - 8 * wave, 20);
    } else if (name == "wave") {
        Arm(p, 1, 20, 90 + 20 * wave, 30);
    } else if (name == "flagup") {
        Arm(p, 1, 120 + 4 * wave, 6, 0);
    } else if (name == "flagforward") {
        Arm(p, 1, 64 + 4 * wave, 6, 0);
    } else {  // flagdiagonal
        Arm(p, 1, 32 + 4 * wave, 50, 0);
    }
    return p;
}

// ---- Clips played once ------------------------------------------------------------------------

struct Keyed {
    MkBallHold hold;
    bool grounded;
    Pose (*start)();
    Pose (*windup)();
    Pose (*key)();
    Pose (*follow)();
    Pose (*end)();
};

Pose KickBack()
{
    Pose p = Stance();
    Leg(p, 1, -24, 50);
    Leg(p, -1, 8, 12);
    Arm(p, -1, 20, 30, 10);
    Arm(p, 1, -10, 20, 10);
    Trunk(p, 4);
    return p;
}
Pose KickContact()
{
    Pose p = Stance();
    Leg(p, 1, 16, 14);
    Leg(p, -1, 6, 12);
    Arm(p, -1, -10, 30, 10);
    Arm(p, 1, 20, 20, 10);
    Trunk(p, 2);
    return p;
}
Pose KickFollow()
{
    Pose p = Stance();
    Leg(p, 1, 48, 10);
    Leg(p, -1, 4, 8);
    Arm(p, -1, -20, 36, 10);
    Arm(p, 1, 24, 24, 10);
    Trunk(p, -6);
    return p;
}
Pose LongBack()
{
    Pose p = KickBack();
    Leg(p, 1, -34, 64);
    return p;
}
Pose LongFollow()
{
    Pose p = KickFollow();
    Leg(p, 1, 64, 6);
    return p;
}
Pose PassContact()
{
    Pose p = KickContact();
    Set(p, MK_JOINT_RIGHT_THIGH, -12, 14, 0);  // the inside of the foot
    return p;
}
Pose TrapKey()
{
    Pose p = Stance();
    Leg(p, 1, 10, 20, 4);
    Leg(p, -1, 4, 10);
    Arms(p, 10, 24, 10);
    Trunk(p, 8, 0, 10);
    return p;
}
Pose VolleyKey()
{
    Pose p = KickFollow();
    Leg(p, 1, 44, 4, 10);
    Trunk(p, -10);
    return p;
}
Pose HeelBack()
{
    Pose p = Stance();
    Leg(p, 1, 10, 10);
    return p;
}
Pose HeelKey()
{
    Pose p = Stance();
    Leg(p, 1, -10, 40);
    Trunk(p, 6);
    return p;
}
Pose HeadWindup()
{
    Pose p = Stance();
    Trunk(p, -10, 0, -6);
    Arms(p, 20, 20, 20);
    return p;
}
Pose HeadKey()
{
    Pose p = Stance();
    Trunk(p, 12, 0, 6);
    Arms(p, 10, 24, 20);
    return p;
}
Pose JumpKey()
{
    Pose p = HeadKey();
    Leg(p, -1, 12, 36);
    Leg(p, 1, 6, 30);
    Arms(p, 40, 30, 20);
    return p;
}
Pose DiveHeadKey()
{
    Pose p = Stance();
    Arms(p, 40, 14, 10);
    p.body[1] = -54;
    return p;
}
Pose SlideKey()
{
    Pose p = Stance();
    Leg(p, 1, 60, 4);
    Leg(p, -1, 50, 40);
    Trunk(p, -20);
    Arm(p, -1, -20, 30, 10);
    Arm(p, 1, -10, 30, 10);
    p.body[1] = 10;
    return p;
}
Pose SlideDown()
{
    Pose p = SlideKey();
    p.body[1] = 40;
    return p;
}
Pose BlockKey()
{
    Pose p = Crouch(6);
    Leg(p, 1, 14, 14, 20);
    Arms(p, 10, 36, 10);
    return p;
}
Pose Stumble()
{
    Pose p = Stance();
    Leg(p, -1, -20, 30);
    Leg(p, 1, 24, 30);
    Arm(p, -1, 50, 40, 10);
    Arm(p, 1, 30, 40, 10);
    Trunk(p, 20);
    return p;
}
Pose Falling()
{
    Pose p = Stumble();
    p.body[1] = -30;
    return p;
}
Pose FaceDown() { return Lying(-64); }
Pose Kneeling()
{
    Pose p = Stance();
    Leg(p, -1, 64, 128);
    Leg(p, 1, 40, 40);
    Trunk(p, 16);
    Arms(p, 20, 20, 20);
    return p;
}
Pose CrouchLow() { return Crouch(20); }
Pose ThrowBack()
{
    Pose p = Stance();
    Arms(p, 150, 12, 30);
    Trunk(p, -10);
    Leg(p, 1, -12, 10);
    return p;
}
Pose ThrowKey()
{
    Pose p = Stance();
    Arms(p, 110, 12, 0);
    Trunk(p, 6);
    Leg(p, 1, -12, 10);
    return p;
}
Pose ThrowFollow()
{
    Pose p = ThrowKey();
    Arms(p, 64, 12, 0);
    return p;
}
Pose HoldChest()
{
    Pose p = Stance();
    Arms(p, 40, 0, 60);
    return p;
}
Pose CatchKey()
{
    Pose p = Stance();
    Arms(p, 56, -4, 20);
    Leg(p, -1, 6, 12);
    Leg(p, 1, 6, 12);
    return p;
}
Pose GatherKey()
{
    Pose p = Crouch(20);
    Trunk(p, 40);
    Arms(p, 30, -2, 6);
    return p;
}
Pose OverarmBack()
{
    Pose p = Stance();
    Arm(p, 1, 150, 20, 40);
    Arm(p, -1, 40, 20, 10);
    Trunk(p, -8, 12);
    return p;
}
Pose OverarmKey()
{
    Pose p = Stance();
    Arm(p, 1, 90, 10, 0);
    Arm(p, -1, 10, 20, 10);
    Trunk(p, 10, -6);
    Leg(p, -1, 16, 10);
    return p;
}
Pose RollBack()
{
    Pose p = Crouch(10);
    Arm(p, 1, -30, 10, 0);
    return p;
}
Pose RollKey()
{
    Pose p = Crouch(14);
    Arm(p, 1, 24, 4, 0);
    Arm(p, -1, 20, 20, 10);
    return p;
}
Pose DropHold()
{
    Pose p = Stance();
    Arms(p, 60, -4, 0);
    return p;
}
Pose DropKey()
{
    Pose p = KickFollow();
    Arms(p, 20, 30, 0);
    return p;
}
Pose PunchKey()
{
    Pose p = Stance();
    Arm(p, 1, 110, 0, 0);
    Arm(p, -1, 90, 10, 10);
    Leg(p, -1, 10, 30);
    return p;
}
Pose SmotherKey()
{
    Pose p = Lying(-56);
    Arms(p, 64, 0, 20);
    return p;
}
// Up on his knees from a smother, the ball gathered to his chest.
Pose KneelHolding()
{
    Pose p = Kneeling();
    Arms(p, 40, 0, 60);
    return p;
}
// Both hands up above his head, where a high ball is taken.
Pose CatchHighKey()
{
    Pose p = Stance();
    Arms(p, 112, -4, 10);
    Trunk(p, -4);
    return p;
}
Pose DiveKey(float reach)
{
    Pose p = Stance();
    Arms(p, reach, -20, 0);
    Leg(p, -1, 10, 20);
    p.body[2] = 60;  // rolled over toward his right
    return p;
}
Pose DiveLowKey() { return DiveKey(64); }
Pose DiveLanded()
{
    Pose p = DiveKey(80);
    p.body[2] = 64;
    return p;
}
// A save: the keeper flat out sideways toward his right, hands reaching where the ball passes,
// raised off the ground as far as a dive at that height carries him.
Pose SaveKey(float reach, float roll, float lift)
{
    Pose p = Stance();
    Arms(p, reach, -12, 0);
    Leg(p, -1, 8, 16, 6);
    Leg(p, 1, 4, 10, 10);
    Trunk(p, 0, 0, -6);
    p.body[2] = roll;
    p.lift = lift;
    return p;
}
Pose SaveHighKey() { return SaveKey(124, 52, 7); }
Pose SaveMiddleKey() { return SaveKey(96, 60, 4); }
Pose SaveLowKey() { return SaveKey(70, 64, 0); }

Pose HandToMouth()
{
    Pose p = Stance();
    Arm(p, 1, 40, 10, 80);
    return p;
}
Pose PointKey()
{
    Pose p = Stance();
    Arm(p, 1, 60, 40, 0);
    Trunk(p, 0, 10);
    return p;
}
Pose CardKey()
{
    Pose p = Stance();
    Arm(p, 1, 120, 10, 0);
    return p;
}
Pose TurnKey()
{
    Pose p = Stance();
    Trunk(p, 2, 24);
    Leg(p, -1, 6, 10, 6);
    Set(p, MK_JOINT_PELVIS, 12, 0, 0);
    return p;
}

// clang-format off
const std::map<std::string, Keyed> kKeyed = {
    {"turn",        {MkBallHold::Ahead, true,  Stance, Stance, TurnKey, TurnKey, Stance}},
    {"pass",        {MkBallHold::Foot,  true,  Stance, KickBack, PassContact, KickFollow, Stance}},
    {"trap",        {MkBallHold::Foot,  true,  Stance, Stance, TrapKey, TrapKey, Stance}},
    {"longkick",    {MkBallHold::Foot,  true,  Stance, LongBack, KickContact, LongFollow, Stance}},
    {"shot",        {MkBallHold::Foot,  true,  Stance, LongBack, KickContact, KickFollow, Stance}},
    {"volley",      {MkBallHold::Foot,  true,  Stance, KickBack, VolleyKey, LongFollow, Stance}},
    {"backheel",    {MkBallHold::Foot,  true,  Stance, HeelBack, HeelKey, Stance, Stance}},
    {"headerstand", {MkBallHold::Head,  true,  Stance, HeadWindup, HeadKey, Stance, Stance}},
    {"headerjump",  {MkBallHold::Head,  false, Stance, HeadWindup, JumpKey, JumpKey, Stance}},
    {"headerdive",  {MkBallHold::Head,  true,  Stance, HeadWindup, DiveHeadKey, FaceDown, Kneeling}},
    {"slide",       {MkBallHold::Foot,  true,  Stance, CrouchLow, SlideKey, SlideDown, Kneeling}},
    {"block",       {MkBallHold::Foot,  true,  Stance, Stance, BlockKey, BlockKey, Stance}},
    {"stumble",     {MkBallHold::Ahead, true,  Stance, Stumble, Stumble, Stance, Stance}},
    {"fall",        {MkBallHold::Ahead, true,  Stance, Stumble, Falling, FaceDown, FaceDown}},
    {"getup",       {MkBallHold::Ahead, true,  FaceDown, Kneeling, CrouchLow, Stance, Stance}},
    {"throwin",     {MkBallHold::Hands, true,  HoldChest, ThrowBack, ThrowKey, ThrowFollow, Stance}},
    {"catch",       {MkBallHold::Hands, true,  Stance, CatchKey, CatchKey, HoldChest, HoldChest}},
    {"gather",      {MkBallHold::Hands, true,  Stance, GatherKey, GatherKey, HoldChest, HoldChest}},
    {"keeperthrow", {MkBallHold::Hands, true,  HoldChest, OverarmBack, OverarmKey, Stance, Stance}},
    {"keeperroll",  {MkBallHold::Hands, true,  HoldChest, RollBack, RollKey, Stance, Stance}},
    {"dropkick",    {MkBallHold::Foot,  true,  DropHold, DropHold, DropKey, KickFollow, Stance}},
    {"punch",       {MkBallHold::Hands, false, Stance, HeadWindup, PunchKey, Stance, Stance}},
    {"smother",     {MkBallHold::Hands, true,  Stance, GatherKey, SmotherKey, SmotherKey, Kneeling}},
    {"rise",        {MkBallHold::Hands, true,  SmotherKey, SmotherKey, KneelHolding, HoldChest, HoldChest}},
    {"catchhigh",   {MkBallHold::Hands, true,  Stance, CrouchLow, CatchHighKey, HoldChest, HoldChest}},
    {"bend",        {MkBallHold::Ahead, true,  Stance, Stance, GatherKey, GatherKey, GatherKey}},
    {"divelow",     {MkBallHold::Hands, true,  Stance, CrouchLow, DiveLowKey, DiveLanded, Kneeling}},
    {"savehigh",    {MkBallHold::Hands, true,  Stance, CrouchLow, SaveHighKey, DiveLanded, Kneeling}},
    {"savemiddle",  {MkBallHold::Hands, true,  Stance, CrouchLow, SaveMiddleKey, DiveLanded, Kneeling}},
    {"savelow",     {MkBallHold::Hands, true,  Stance, CrouchLow, SaveLowKey, DiveLanded, Kneeling}},
    {"whistle",     {MkBallHold::Ahead, true,  Stance, HandToMouth, HandToMouth, Stance, Stance}},
    {"point",       {MkBallHold::Ahead, true,  Stance, PointKey, PointKey, PointKey, Stance}},
    {"card",        {MkBallHold::Ahead, true,  Stance, CardKey, CardKey, CardKey, Stance}},
};
// clang-format on

Pose Mix(const Pose& a, const Pose& b, float t)
{
    Pose p;
    const float e = Ease(std::clamp(t, 0.0f, 1.0f));
    for (int32_t j = 0; j < MK_JOINT_COUNT; ++j)
        for (int32_t k = 0; k < 3; ++k)
            p.joint[j][k] = a.joint[j][k] + (b.joint[j][k] - a.joint[j][k]) * e;
    for (int32_t k = 0; k < 3; ++k)
        p.body[k] = a.body[k] + (b.body[k] - a.body[k]) * e;
    p.lift = a.lift + (b.lift - a.lift) * e;
    return p;
}

// The key pose is held from `key` to `held` (a save stays stretched out while the match may still
// find the ball in his hands), then follows through.
Pose KeyedPose(const Keyed& k, int32_t frame, int32_t last, int32_t key, int32_t held)
{
    const float windup = 0.6f * static_cast<float>(key);
    const float follow = static_cast<float>(held) + 0.35f * static_cast<float>(last - held);
    const float f = static_cast<float>(frame);
    if (f <= windup) return Mix(k.start(), k.windup(), f / std::max(windup, 1.0f));
    if (frame <= key)
        return Mix(k.windup(), k.key(), (f - windup) / (static_cast<float>(key) - windup));
    if (frame <= held) return k.key();
    if (f <= follow)
        return Mix(k.key(), k.follow(),
                   (f - static_cast<float>(held)) / (follow - static_cast<float>(held)));
    return Mix(k.follow(), k.end(), (f - follow) / (static_cast<float>(last) - follow));
}

// ---- Rows
// ----------------------------------------------------------------------------------------

[[noreturn]] void Fail(int line, const std::string& why) { MkFailAt(MK_MOTIONS_SOURCE, line, why); }

MkMotionRow ParseRow(const MkSourceLine& line, int32_t clip, const std::vector<MkMotionRow>& rows)
{
    std::istringstream words(line.text);
    MkMotionRow row;
    std::string mode;
    if (!(words >> row.name >> row.templateName))
        Fail(line.number, "expected a name and a template");
    if (row.name != MotionClipNames[clip])
        Fail(line.number, "expected clip " + std::string(MotionClipNames[clip]));
    if (row.templateName == "mirror") {
        std::string base;
        words >> base;
        for (int32_t i = 0; i < clip; ++i)
            if (rows[i].name == base && rows[i].mirrorOf < 0) row.mirrorOf = i;
        if (row.mirrorOf < 0) Fail(line.number, "a mirror names an earlier clip that is no mirror");
        MkMotionRow mirrored = rows[row.mirrorOf];
        mirrored.name = row.name;
        mirrored.mirrorOf = row.mirrorOf;
        return mirrored;
    }
    int32_t frame = -1;
    if (!(words >> mode >> frame) || frame < 0 || frame >= MotionFrameCounts[clip] - 1)
        Fail(line.number, "expected key or loop and a frame inside the clip");
    if (mode == "loop") {
        if (!IsCycle(row.templateName)) Fail(line.number, "no cycle " + row.templateName);
        row.loopFrame = frame;
        if (row.templateName == "throwrun") row.hold = MkBallHold::Hands;
        if (std::string speed; words >> speed) {
            char* end = nullptr;
            row.speed = static_cast<int32_t>(std::strtol(speed.c_str(), &end, 10));
            if (*end != '\0' || row.speed <= 0 || row.speed > 1000
                || kGaits.count(row.templateName) == 0)
                Fail(line.number, "a speed is a whole number from 1 to 1000, for gaits only");
        }
    } else if (mode == "key") {
        const auto k = kKeyed.find(row.templateName);
        if (k == kKeyed.end()) Fail(line.number, "no template " + row.templateName);
        if (frame < 2) Fail(line.number, "a key frame needs a wind-up before it");
        row.keyFrame = frame;
        row.heldTo = frame;
        if (std::string held; words >> held) {
            if (held != "hold" || !(words >> row.heldTo) || row.heldTo < frame
                || row.heldTo >= MotionFrameCounts[clip] - 2)
                Fail(line.number, "expected hold and a frame from the key to the clip's end");
        }
        row.hold = k->second.hold;
        row.grounded = k->second.grounded;
    } else {
        Fail(line.number, "expected key or loop");
    }
    return row;
}

// ---- Frames
// --------------------------------------------------------------------------------------

Vec3 Ahead(const Vec3 (&points)[MK_BODY_POINTS])
{
    const Vec3& l = points[MK_JOINT_COUNT + 1];
    const Vec3& r = points[MK_JOINT_COUNT + 3];
    return {(l.x + r.x) * 0.5f - kAheadOfFeet, (l.y + r.y) * 0.5f, 0};
}

// The ball point relative to the root's ground position, its height above the ground.
Vec3 BallPoint(MkBallHold hold, const Vec3 (&points)[MK_BODY_POINTS], float root)
{
    Vec3 p;
    switch (hold) {
        case MkBallHold::Foot:
            p = points[MK_JOINT_COUNT + 3];
            p.x -= 1.2f;
            break;
        case MkBallHold::Head:
            p = points[MK_JOINT_HEAD];
            p.x -= 2.0f;
            p.z += 2.5f;
            break;
        case MkBallHold::Hands: {
            const Vec3& l = points[MK_JOINT_LEFT_HAND];
            const Vec3& r = points[MK_JOINT_RIGHT_HAND];
            p = {(l.x + r.x) * 0.5f, (l.y + r.y) * 0.5f, (l.z + r.z) * 0.5f};
            break;
        }
        case MkBallHold::Ahead:
            p = Ahead(points);
            p.z = -root;
            break;
    }
    p.z = std::max(p.z + root, kBallRadius);
    return p;
}

// The lowest the body reaches: the soles, or a joint's surface (a limb's half-thickness below it).
float Lowest(const Vec3 (&points)[MK_BODY_POINTS])
{
    float lowest = 0;
    for (int32_t i = 0; i < MK_BODY_POINTS; ++i) {
        const float pad = i < MK_JOINT_COUNT ? 1.5f : 0.0f;
        lowest = std::min(lowest, points[i].z - pad);
    }
    return lowest;
}

void WriteFrame(const Angles& angles, float root, const Vec3& ball, uint8_t* out)
{
    MotionFrame frame{};
    frame.root[2] = root;
    frame.ball[0] = ball.x;
    frame.ball[1] = ball.y;
    frame.ball[2] = ball.z;
    std::memcpy(frame.angles, angles, sizeof(frame.angles));
    std::memcpy(out, &frame, sizeof(frame));
}

Pose ClipPose(const MkMotionRow& row, int32_t frame, int32_t count)
{
    if (row.keyFrame >= 0)
        return KeyedPose(kKeyed.at(row.templateName), frame, count - 1, row.keyFrame, row.heldTo);
    const int32_t length = count - row.loopFrame;
    const int32_t step = ((frame - row.loopFrame) % length + length) % length;
    return CyclePose(row.templateName, static_cast<float>(step) / static_cast<float>(length),
                     length, row.speed);
}

std::vector<uint8_t> ClipFrames(const MkMotionRow& row, int32_t count)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(count) * MOTION_FRAME_BYTES);
    Vec3 held{};
    for (int32_t pass = 0; pass < 2; ++pass) {  // the key frame first: a kick's ball waits there
        for (int32_t f = 0; f < count; ++f) {
            if (pass == 0 && f != row.keyFrame) continue;
            Angles angles;
            const Pose pose = ClipPose(row, f, count);
            Quantise(pose, angles);
            Vec3 points[MK_BODY_POINTS];
            MkPoseBody(angles, points);
            const float root = row.grounded ? pose.lift - Lowest(points) : kStandingRoot;
            Vec3 ball = BallPoint(row.hold, points, root);
            if (pass == 0) held = ball;
            if (row.hold == MkBallHold::Foot || row.hold == MkBallHold::Head) ball = held;
            if (pass == 1)
                WriteFrame(angles, root, ball, &bytes[static_cast<size_t>(f) * MOTION_FRAME_BYTES]);
        }
    }
    return bytes;
}

// Left and right swapped: the joint pairs change places, turns about the vertical and forward axes
// change sign, and the ball moves to the other side.
std::vector<uint8_t> Mirror(std::vector<uint8_t> bytes)
{
    constexpr int32_t kPairs[][2] = {{5, 9},   {6, 10},  {7, 11},  {8, 12},
                                     {13, 17}, {14, 18}, {15, 19}, {16, 20}};
    for (size_t at = 0; at < bytes.size(); at += MOTION_FRAME_BYTES) {
        MotionFrame frame;
        std::memcpy(&frame, &bytes[at], sizeof(frame));
        for (const auto& pair : kPairs)
            for (int32_t k = 0; k < 3; ++k)
                std::swap(frame.angles[pair[0] - 1][k], frame.angles[pair[1] - 1][k]);
        for (auto& joint : frame.angles) {
            joint[0] = static_cast<uint8_t>(-joint[0]);
            joint[2] = static_cast<uint8_t>(-joint[2]);
        }
        frame.ball[1] = -frame.ball[1];
        std::memcpy(&bytes[at], &frame, sizeof(frame));
    }
    return bytes;
}

}  // namespace

float MkGroundPerFrame(int32_t speed)
{
    // The match's running step moves a man speed x 1000 x (pace + 500) / 600 in 16.16 units a tick.
    constexpr float kMiddlingPace = 75;
    return static_cast<float>(speed) * 1000 * (kMiddlingPace + 500) / 600 / 65536;
}

std::vector<MkMotionRow> MkMotionRows()
{
    const std::vector<MkSourceLine> lines = MkReadSourceLines(MK_MOTIONS_SOURCE);
    if (lines.size() != MOTION_CLIP_COUNT)
        Fail(lines.empty() ? 1 : lines.back().number, "expected one row for each of the 159 clips");
    std::vector<MkMotionRow> rows;
    for (int32_t clip = 0; clip < MOTION_CLIP_COUNT; ++clip)
        rows.push_back(ParseRow(lines[clip], clip, rows));
    return rows;
}

void MkPoseBody(const Angles& angles, Vec3 (&out)[MK_BODY_POINTS])
{
    RotationMatrix turn[MK_JOINT_COUNT];
    turn[0][0][0] = turn[0][1][1] = turn[0][2][2] = 1;
    turn[0][0][1] = turn[0][0][2] = turn[0][1][0] = turn[0][1][2] = turn[0][2][0] = turn[0][2][1] =
        0;
    for (int32_t j = 1; j < MK_JOINT_COUNT; ++j) {
        const float abc[3] = {static_cast<float>(angles[j - 1][0]),
                              static_cast<float>(angles[j - 1][1]),
                              static_cast<float>(angles[j - 1][2])};
        Rotation(abc, turn[j]);
    }
    out[0] = MK_SKELETON[0].rest;
    for (int32_t j = 1; j < MK_JOINT_COUNT; ++j) {
        const int32_t parent = MK_SKELETON[j].parent;
        const Vec3& rest = MK_SKELETON[j].rest;
        const Vec3& from = MK_SKELETON[parent].rest;
        const Vec3 offset = Turn(turn[parent], {rest.x - from.x, rest.y - from.y, rest.z - from.z});
        out[j] = {out[parent].x + offset.x, out[parent].y + offset.y, out[parent].z + offset.z};
    }
    int32_t n = MK_JOINT_COUNT;
    for (const MkSolePoint& sole : MK_SOLE_POINTS) {
        const Vec3& from = MK_SKELETON[sole.joint].rest;
        const Vec3 offset = Turn(
            turn[sole.joint], {sole.rest.x - from.x, sole.rest.y - from.y, sole.rest.z - from.z});
        out[n++] = {out[sole.joint].x + offset.x, out[sole.joint].y + offset.y,
                    out[sole.joint].z + offset.z};
    }
}

std::vector<std::vector<uint8_t>> MkMotionClipFrames()
{
    const std::vector<MkMotionRow> rows = MkMotionRows();
    std::vector<std::vector<uint8_t>> clips;
    for (int32_t clip = 0; clip < MOTION_CLIP_COUNT; ++clip) {
        const MkMotionRow& row = rows[clip];
        clips.push_back(row.mirrorOf >= 0 ? Mirror(clips[row.mirrorOf])
                                          : ClipFrames(row, MotionFrameCounts[clip]));
    }
    return clips;
}

void MkGenerateMotions(MkFileSet* set)
{
    const std::vector<std::vector<uint8_t>> clips = MkMotionClipFrames();
    for (int32_t clip = 0; clip < MOTION_CLIP_COUNT; ++clip) {
        const uint32_t head[2] = {static_cast<uint32_t>(clips[clip].size()),
                                  static_cast<uint32_t>(MotionFrameCounts[clip])};
        std::vector<uint8_t> bytes(sizeof(head));
        std::memcpy(bytes.data(), head, sizeof(head));
        bytes.insert(bytes.end(), clips[clip].begin(), clips[clip].end());
        char name[64];
        MotionCap_FileName(clip, name);
        MkAddFile(set, name, std::move(bytes));
    }
}
