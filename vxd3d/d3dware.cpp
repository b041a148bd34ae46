// vxd3d/d3dware.cpp: the 3D-device match view: its models, texture callbacks, frame passes,
// camera and pacing.
#include "vxd3d/d3dware.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <span>
#include <vector>

#include <strings.h>

#include "engine/d3danim.h"
#include "engine/d3dobj.h"
#include "engine/dxd3d.h"
#include "engine/dxd3drs.h"
#include "engine/dxd3dtex.h"
#include "engine/dxdraw.h"
#include "engine/dxenum.h"
#include "engine/fatal.h"
#include "engine/gfx.h"
#include "engine/memory.h"
#include "engine/mouse.h"
#include "engine/options.h"
#include "engine/poll.h"
#include "engine/sounddrv.h"
#include "engine/timer.h"
#include "engine/winlib.h"
#include "engine/xyzdata.h"
#include "game/kitcolours.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/motionframes.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "menus/loadbar.h"
#include "vxd3d/d3dhud.h"
#include "vxd3d/d3dicon.h"
#include "vxd3d/d3dservices.h"
#include "vxd3d/d3dtex.h"
#include "vxd3d/gfxmgr.h"

D3DViewServices D3DServices;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kCentreX = PITCH_CENTRE_X;
constexpr float kCentreY = PITCH_CENTRE_Y;
constexpr float kHalfGoalWidth = (PITCH_RIGHT_POST_X - PITCH_LEFT_POST_X) / 2.0f;
constexpr float kGoalDepth = 28.0f;
constexpr float kGoalHeight = 44.8f;
constexpr float kBallScale = 38.0f;
constexpr float kStadiumScale = 1000.0f;
constexpr float kFlagScale = 44.8f;
constexpr float kMarkScale = 20.0f;
constexpr int32_t kBigStadiumStands = 16;
constexpr int32_t kPeople = 35;
constexpr int32_t kFirstOfficial = 32;
constexpr int32_t kHeadJoint = 4;  // the clip frame's joint turned by the head angle
constexpr float kRestRootHeight = 17.0f;
constexpr int16_t kRestPoseMotion = -2;  // on the pitch at rest, without a shadow
constexpr int32_t kShowsYellow = 8;      // an official's state while he shows a card
constexpr int32_t kShowsRed = 9;
constexpr int32_t kCardAnimation = 60;
constexpr uint32_t kBlackShadowDay = 32, kBlackShadowNight = 16;
constexpr float kShadowRadius = 30.0f;
constexpr float kPersonRadius = 15.0f;
constexpr float kPersonCentreLift = 10.0f;
constexpr int32_t kGroundMarks = 16;
constexpr float kFogStart = 50.0f, kFogEnd = 8000.0f;
constexpr uint32_t kOpaqueBlack = 0xFF000000, kOpaqueWhite = 0xFFFFFFFF;

// Creation options of the three kinds of model.
constexpr uint8_t kSceneryOptions = D3DOBJ_FLAT | D3DOBJ_INDEXED;
constexpr uint8_t kPropOptions = D3DOBJ_INDEXED;
constexpr uint8_t kSkinnedOptions = D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS;

// Draw flags the texture callback gives a group.
constexpr uint32_t kDrawBlended = 1;
constexpr uint32_t kDrawTwoSided = 2;

struct TextureRow {
    const char* texture;  // "#": any
    const char* group;
    uint32_t flags;  // bit 0: two-sided
};

constexpr TextureRow Row(const char* texture, uint32_t flags = 0) { return {texture, "#", flags}; }
constexpr TextureRow Group(const char* group, uint32_t flags = 0) { return {"#", group, flags}; }
constexpr TextureRow kAny = {"#", "#", 0};

constexpr std::array kStad2Rows = {
    kAny,
    Row("duggout2", 1),
    Row("duggout", 1),
    Row("tree"),
    Row("floodlig"),
    Row("floodbit", 1),
    Row("girderre", 1),
    Row("girder", 1),
    Row("side_1", 1),
};
constexpr std::array kBigStadOwnRows = {
    Row("clouda"),    Row("cloudb"),     Row("cloudc"),      Row("cloudd"), Row("horitop"),
    Row("wall", 1),   Row("wall1", 1),   Row("wallrear", 1), kAny,          Row("rooff1", 1),
    Row("roof", 1),   Row("pole1"),      Row("pole2"),       Row("pole3"),  Row("pole4"),
    Row("girder", 1), Row("girders", 1), Row("eastrofr", 1),
};
constexpr auto kBigStadRows = [] {
    std::array<TextureRow, kBigStadOwnRows.size() + kStad2Rows.size()> rows{};
    std::copy(kBigStadOwnRows.begin(), kBigStadOwnRows.end(), rows.begin());
    std::copy(kStad2Rows.begin(), kStad2Rows.end(), rows.begin() + kBigStadOwnRows.size());
    return rows;
}();
constexpr std::array kPitchRows = {Row("grass"), kAny, Row("line"), Row("spot"), Row("patches")};
constexpr std::array kGoalRows = {
    kAny,
    Group("left3"),
    Group("right3"),
    Group("top3"),
    Row("net", 1),
    Group("left1"),
    Group("left2"),
    Group("left4"),
    Group("right1"),
    Group("right2"),
    Group("right4"),
    Group("top1"),
    Group("top2"),
    Group("top4"),
    Group("LeftPost", 1),
    Group("RightPost", 1),
    Group("LeftWire", 1),
    Group("RightWire", 1),
};
constexpr std::array kFlagRows = {TextureRow{"#", "#", 1}};

// What a model's texture callback reads: its folder under "vxdata\d3d" and its list.
struct ModelTextures {
    char directory[64];
    std::span<const TextureRow> rows;
};

struct PersonModel {
    D3DObject* object;
    D3DAnimData* anim;
    std::vector<uint32_t> builtColours;  // of each untextured entry, to put the card back
};

struct GoalRecord {
    Vec3 point;
    int32_t part;
    int32_t goal;
    float distance;
};

struct PoseTable {
    Matrix4* bones;  // tracked: frames x 21
    int32_t frames;
};

constexpr std::array<int32_t, 4> kPrecomputedMotions = {0, 10, 12, 13};
constexpr const char* kKindNames[D3DWARE_KINDS] = {"player", "keeper", "referee"};
constexpr const char* kLevelNames[D3DWARE_LEVELS] = {"500man", "300man", "200man", "100man",
                                                     "60man"};
constexpr const char* kGoalParts[4] = {"gback", "gtop", "gleft", "gright"};
constexpr const char* kCrowdFills[4] = {"1_4", "1_2", "3_4", "full"};
constexpr float kPersonThresholds[3][4] = {
    {23, 56, 100, 150}, {46, 112, 200, 300}, {93, 225, 400, 600}};
constexpr Vec3 kFloodlights[2][D3DWARE_FLOODLIGHTS] = {
    {{-713, -1000, 584}, {713, -1000, 584}, {-713, 1000, 584}, {713, 1000, 584}},
    {{715.9f, 0, 832}, {-738.1f, 0, 1030}, {0, -1000, 758}, {0, 1000, 776}},
};

struct ViewState {
    MatchDayBlock* block;
    bool built;
    bool stencil;
    bool night;
    int32_t big;
    int32_t light = -1;
    double accumulator;  // a float stops counting half ticks after 2^23 ticks (23 hours)
    uint32_t lastUpdate;
    int32_t frames;
    int32_t drawnPerson;
    char stadiumName[16];
    const char* pitchName;
    ModelTextures stadiumTextures, pitchTextures, goalTextures, flagTextures, simpleTextures;
    const char* shadowDirectory;
    D3DObject *stadium, *pitch, *ball, *ballShadow, *groundMark, *flag;
    D3DObject* goalParts[4];
    GoalRecord goals[8];
    Matrix4 goalWorld[2];
    PersonModel people[D3DWARE_KINDS][D3DWARE_LEVELS];
    PersonModel shadow;
    PoseTable poses[kPrecomputedMotions.size()];
    Matrix4 viewProjection;
    Vec3 eye;
};

ViewState s_view;

constexpr MatchViewOps kDeviceViewOps = {D3DGame_Init,   D3DGame_Destroy, D3DGame_Step,
                                         D3DGame_Render, D3DGame_Update,  D3DGame_Frames};

uint32_t Now() { return TickCount.load(); }

// The first row of the highest score above 0 for a group, -1 for none.
int32_t WinningRow(std::span<const TextureRow> rows, const char* texture, const char* group)
{
    int32_t best = -1, bestScore = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const TextureRow& row = rows[i];
        int32_t score = 0;
        if (strcasecmp(row.group, group) == 0)
            score += 8;
        else if (std::strcmp(row.group, "#") == 0)
            score += 2;
        if (strcasecmp(row.texture, texture) == 0)
            score += 4;
        else if (std::strcmp(row.texture, "#") == 0)
            score += 1;
        if (score > bestScore) {
            best = static_cast<int32_t>(i);
            bestScore = score;
        }
    }
    return best;
}

int32_t CompareGroups(const ModelTextures& m, const D3DObjEvent& e)
{
    const int32_t a = WinningRow(m.rows, e.name, e.second);
    const int32_t b = WinningRow(m.rows, e.otherName, e.otherSecond);
    if (a != b) return a < b ? -1 : 1;
    return strcasecmp(e.name, e.otherName);
}

// "<directory>\<name>.gfx", crowds from their fill's folder and boards from "FRE".
void TextureFile(const ModelTextures& m, const char* name, char (&out)[128])
{
    if (strncasecmp(name, "crowd", 5) == 0) {
        const uint8_t fill = s_view.block->crowdFill;
        std::snprintf(out, sizeof out, "%s\\%s\\%s.gfx", m.directory, name,
                      kCrowdFills[fill < 4 ? fill : 3]);
    } else if (strncasecmp(name, "main", 4) == 0) {
        std::snprintf(out, sizeof out, "%s\\FRE\\%s.gfx", m.directory, name);
    } else {
        std::snprintf(out, sizeof out, "%s\\%s.gfx", m.directory, name);
    }
}

bool HasAlpha(int32_t texture)
{
    return D3DTexGetTextureFormat(D3DTexReadTextureFormat(texture))->comp[COL_ALPHA].bits != 0;
}

void SetBlending(bool on)
{
    D3DSetRenderState(RS_ALPHABLENDENABLE, on ? 1 : 0);
    D3DSetRenderState(RS_SRCBLEND, on ? HOST_BLEND_SOURCE_ALPHA : HOST_BLEND_ONE);
    D3DSetRenderState(RS_DESTBLEND, on ? HOST_BLEND_INVERSE_SOURCE_ALPHA : HOST_BLEND_ZERO);
}

void SetGroupStates(uint32_t drawFlags)
{
    SetBlending((drawFlags & kDrawBlended) != 0);
    D3DSetRenderState(RS_CULLMODE,
                      (drawFlags & kDrawTwoSided) != 0 ? HOST_CULL_NONE : HOST_CULL_CCW);
}

int32_t SceneryCallback(const D3DObjEvent& event, D3DObjResult* result)
{
    const ModelTextures& m = *reinterpret_cast<const ModelTextures*>(event.user);
    switch (event.kind) {
        case D3DOBJ_EVENT_COMPARE: result->comparison = CompareGroups(m, event); return 1;
        case D3DOBJ_EVENT_CREATE: {
            char file[128];
            TextureFile(m, event.name, file);
            result->handle = D3DServices.LoadNamedTexture(file);
            const int32_t row = WinningRow(m.rows, event.name, event.second);
            const bool twoSided = row >= 0 && (m.rows[static_cast<size_t>(row)].flags & 1) != 0;
            result->value = (HasAlpha(D3DServices.NamedTexture(result->handle)) ? kDrawBlended : 0)
                            | (twoSided ? kDrawTwoSided : 0);
            return 1;
        }
        case D3DOBJ_EVENT_RELEASE: return 1;  // the named cache owns the texture
        case D3DOBJ_EVENT_BIND:
            SetGroupStates(event.value);
            D3DTexSetCurrentHandle(D3DServices.NamedTexture(event.handle));
            return 1;
        case D3DOBJ_EVENT_UNTEXTURED: SetGroupStates(event.value); return 1;
        default: return 0;
    }
}

int32_t PeopleCallback(const D3DObjEvent& event, D3DObjResult* result)
{
    switch (event.kind) {
        case D3DOBJ_EVENT_CREATE:
            result->handle = D3DServices.KitPartFromName(event.name);
            return 1;
        case D3DOBJ_EVENT_RELEASE: return 1;
        case D3DOBJ_EVENT_BIND:
            D3DTexSetCurrentHandle(D3DServices.PersonTexture(s_view.drawnPerson, event.handle));
            return 1;
        default: return 0;
    }
}

// The colour of every texture record of a checked block (a shadow's translucent black).
void Recolour(void* block, uint32_t argb)
{
    const XYZHeader head = XYZData_Header(block);
    auto* bytes = static_cast<uint8_t*>(block);
    for (uint32_t i = 0; i < head.textureCount; ++i) {
        uint8_t* colour =
            bytes + head.textureOffset + i * head.textureSize + offsetof(XYZTexture, red);
        colour[0] = static_cast<uint8_t>(argb >> 16);
        colour[1] = static_cast<uint8_t>(argb >> 8);
        colour[2] = static_cast<uint8_t>(argb);
        colour[3] = static_cast<uint8_t>(argb >> 24);
    }
}

using Placement = void (*)(void* block);

void PlaceScenery(void* block)
{
    XYZData_RotateX(block, kPi / 2);
    XYZData_Scale(block, kStadiumScale, kStadiumScale, kStadiumScale);
    XYZData_Translate(block, kCentreX, kCentreY, 0);
}
void PlaceBall(void* block) { XYZData_Scale(block, kBallScale, kBallScale, kBallScale); }
void PlaceMark(void* block) { XYZData_Scale(block, -kMarkScale, kMarkScale, kMarkScale); }
void PlaceFlag(void* block)
{
    XYZData_RotateX(block, kPi / 2);
    XYZData_RotateZ(block, kPi / 2);
    XYZData_Scale(block, kFlagScale, kFlagScale, kFlagScale);
}
void PlaceGoalPart(void* block)
{
    XYZData_RotateX(block, kPi / 2);
    XYZData_RotateZ(block, kPi / 2);
    XYZData_Scale(block, kHalfGoalWidth, kGoalDepth, kGoalHeight);
}

uint32_t ShadowColour() { return (s_view.night ? kBlackShadowNight : kBlackShadowDay) << 24; }

struct ModelLoad {
    const char* file;
    Placement place;
    D3DObjCallback callback;
    uintptr_t user;
    uint8_t options;
    bool shadow;  // translucent black
};

// Loads, places and builds one model into *owner (tracked blocks know their owner's address);
// its file's block is freed after. With `anim`, its animation data.
void LoadModel(const ModelLoad& load, D3DObject** owner, D3DAnimData** anim = nullptr)
{
    void* block = nullptr;
    XYZData_Load(load.file, &block);
    if (load.place != nullptr) load.place(block);
    if (load.shadow) Recolour(block, ShadowColour());
    D3DObj_CreateObjectFromXYZData(owner, block, load.callback, load.user, load.options);
    if (anim != nullptr) D3DAnim_CreateAnimData(anim, block, *owner);
    FreeMemory(&block);
}

uintptr_t UserOf(ModelTextures* m) { return reinterpret_cast<uintptr_t>(m); }

void SetTextures(ModelTextures* m, const char* directory, std::span<const TextureRow> rows)
{
    std::snprintf(m->directory, sizeof m->directory, "%s", directory);
    m->rows = rows;
}

int32_t StandSum(const MatchDayBlock& block)
{
    int32_t sum = 0;
    for (const int16_t stand : block.stands)
        sum += stand;
    return sum;
}

void ComputeBigStadium()
{
    s_view.big = StandSum(*s_view.block) >= kBigStadiumStands ? 1 : 0;
    D3DServices.SetBigStadium(s_view.big);
}

void TransformPoint(Vec3* out, const Vec3& p, const Matrix4& m)
{
    MatTransformPoint(out, &p, 1, &m);
}

void LoadGoals()
{
    MatSetTranslation(&s_view.goalWorld[0], kCentreX, PITCH_FAR_GOAL_LINE_Y, 0);
    Matrix4 moved;
    MatRotateZ(&s_view.goalWorld[1], kPi);
    MatSetTranslation(&moved, kCentreX, PITCH_NEAR_GOAL_LINE_Y, 0);
    MatMultiply(&s_view.goalWorld[1], &s_view.goalWorld[1], &moved);
    const Vec3 points[4] = {
        {0, kGoalDepth, 0}, {0, 0, kGoalHeight}, {-kHalfGoalWidth, 0, 0}, {kHalfGoalWidth, 0, 0}};
    for (int32_t part = 0; part < 4; ++part) {
        LoadBar_Advance(0.25f);
        char file[96];
        std::snprintf(file, sizeof file, "vxdata\\d3d\\stadium\\models\\misc\\goal\\%s.xyz",
                      kGoalParts[part]);
        LoadModel({file, PlaceGoalPart, SceneryCallback, UserOf(&s_view.goalTextures), kPropOptions,
                   false},
                  &s_view.goalParts[part]);
        for (int32_t goal = 0; goal < 2; ++goal) {
            GoalRecord& r = s_view.goals[2 * part + goal];
            TransformPoint(&r.point, points[part], s_view.goalWorld[goal]);
            r.part = part;
            r.goal = goal;
        }
    }
}

void LoadStadium()
{
    const MatchDayBlock& block = *s_view.block;
    ComputeBigStadium();
    s_view.night = block.night != 0;
    std::snprintf(s_view.stadiumName, sizeof s_view.stadiumName, "%s%c",
                  s_view.big != 0 ? "bigstad" : "stad2", s_view.night ? 'n' : 'd');
    s_view.pitchName = Options.video.mipMapping != 0 ? "newgrass" : "lowgrass";
    char directory[64], file[96];
    std::snprintf(directory, sizeof directory, "stadium\\textures\\%s", s_view.stadiumName);
    SetTextures(&s_view.stadiumTextures, directory,
                s_view.big != 0 ? std::span<const TextureRow>(kBigStadRows)
                                : std::span<const TextureRow>(kStad2Rows));
    SetTextures(&s_view.pitchTextures,
                s_view.night ? "stadium\\textures\\pitchn" : "stadium\\textures\\pitchd",
                kPitchRows);
    SetTextures(&s_view.goalTextures, "stadium\\textures\\goal", kGoalRows);
    SetTextures(&s_view.flagTextures, "stadium\\textures", kFlagRows);
    SetTextures(&s_view.simpleTextures, "simple\\textures", {});
    s_view.shadowDirectory = s_view.simpleTextures.directory;

    LoadBar_StartBlock(9.0f, 4.0f);
    std::snprintf(file, sizeof file, "vxdata\\d3d\\stadium\\models\\%s.xyz", s_view.stadiumName);
    LoadModel({file, PlaceScenery, SceneryCallback, UserOf(&s_view.stadiumTextures),
               kSceneryOptions, false},
              &s_view.stadium);
    LoadBar_Advance(3.0f);
    std::snprintf(file, sizeof file, "vxdata\\d3d\\stadium\\models\\%s.xyz", s_view.pitchName);
    LoadModel({file, PlaceScenery, SceneryCallback, UserOf(&s_view.pitchTextures), kSceneryOptions,
               false},
              &s_view.pitch);
    LoadBar_Advance(2.0f);
    LoadModel({"vxdata\\d3d\\simple\\model\\116ball.xyz", PlaceBall, SceneryCallback,
               UserOf(&s_view.simpleTextures), kPropOptions, false},
              &s_view.ball);
    LoadModel({"vxdata\\d3d\\simple\\model\\ballsha0.xyz", PlaceBall, D3DObjBasicCallback,
               reinterpret_cast<uintptr_t>(&s_view.shadowDirectory), kSceneryOptions, true},
              &s_view.ballShadow);
    LoadBar_Advance(1.0f);
    LoadGoals();
    LoadModel({"vxdata\\d3d\\simple\\model\\bollocks.xyz", PlaceMark, SceneryCallback,
               UserOf(&s_view.simpleTextures), kSceneryOptions, false},
              &s_view.groundMark);
    LoadBar_Advance(1.0f);
    LoadModel({"vxdata\\d3d\\stadium\\models\\misc\\flag\\flag.xyz", PlaceFlag, SceneryCallback,
               UserOf(&s_view.flagTextures), kPropOptions, false},
              &s_view.flag);
    LoadBar_EndBlock();
}

// The turn of one clip joint as a row-vector matrix (the joint turn maps column vectors).
void JointMatrix(const uint8_t angles[3], int32_t extraA, Matrix4* out)
{
    const auto angle = [](int32_t steps) { return static_cast<float>(steps & 255) * kPi / 128; };
    const float a = angle(angles[0] + extraA), b = angle(angles[1]), c = angle(angles[2]);
    float r[3][3];
    D3DServices.JointRotation(std::sin(a), std::cos(a), std::sin(b), std::cos(b), std::sin(c),
                              std::cos(c), r);
    MatIdentity(out);
    for (int32_t row = 0; row < 3; ++row)
        for (int32_t column = 0; column < 3; ++column)
            out->m[row][column] = r[column][row];
}

void FramePose(const D3DPoseFrame& frame, int32_t headAngle, Matrix4 (&bones)[D3D_POSED_JOINTS])
{
    for (int32_t j = 0; j < D3D_POSED_JOINTS; ++j)
        JointMatrix(frame.angles[j], j + 1 == kHeadJoint ? headAngle : 0, &bones[j]);
}

void BuildPoseTables()
{
    for (size_t t = 0; t < kPrecomputedMotions.size(); ++t) {
        PoseTable& table = s_view.poses[t];
        table.frames =
            std::max(MatchPresentationOps.GetMotionFrameCount(kPrecomputedMotions[t]), 1);
        AllocateMemory(&table.bones,
                       static_cast<uint32_t>(table.frames * D3D_POSED_JOINTS * sizeof(Matrix4)),
                       MEM_TYPE_GAME);
        for (int32_t f = 0; f < table.frames; ++f) {
            D3DPoseFrame frame{};
            if (!D3DServices.PoseFrame(kPrecomputedMotions[t], f, &frame)) frame = {};
            auto& bones = *reinterpret_cast<Matrix4(*)[D3D_POSED_JOINTS]>(
                table.bones + static_cast<size_t>(f) * D3D_POSED_JOINTS);
            FramePose(frame, 0, bones);
        }
    }
}

void LoadPerson(PersonModel* p, const char* file, bool shadow)
{
    LoadModel({file, nullptr, PeopleCallback, 0, kSkinnedOptions, shadow}, &p->object, &p->anim);
    for (uint32_t e = 0; e < p->object->entryCount; ++e) {
        const D3DObjEntry& entry = p->object->entries[e];
        const bool coloured = (entry.flags & D3DOBJ_UNTEXTURED) != 0 && entry.vertexCount > 0;
        p->builtColours.push_back(
            coloured ? static_cast<const D3DObjColouredVertex*>(entry.vertices)[0].colour : 0);
    }
}

void LoadPeople()
{
    const MatchDayBlock& block = *s_view.block;
    LoadBar_StartBlock(2.0f, 5.0f);
    D3DServices.ClearKitTextures();
    TexD3D_AllocRamps();
    for (int32_t side = 0; side < 2; ++side)
        TexD3D_BuildTeamRamps(side, MatchSide_GetKit(block.sides[side]));
    TexD3D_BuildOfficialRamps();
    D3DServices.LoadPersonTextures();
    for (int32_t kind = 0; kind < D3DWARE_KINDS; ++kind) {
        for (int32_t level = 0; level < D3DWARE_LEVELS; ++level) {
            LoadBar_Advance(1.0f / (D3DWARE_KINDS * D3DWARE_LEVELS));
            char file[96];
            std::snprintf(file, sizeof file, "vxdata\\d3d\\sskin\\models\\%s\\%s.xyz",
                          kKindNames[kind], kLevelNames[level]);
            LoadPerson(&s_view.people[kind][level], file, false);
        }
    }
    BuildPoseTables();
    LoadPerson(&s_view.shadow, "vxdata\\d3d\\sskin\\models\\shadow\\60shad.xyz", true);
    ComputeBigStadium();
    LoadBar_EndBlock();
}

void FreePerson(PersonModel* p)
{
    if (p->anim != nullptr) D3DAnim_FreeAnimData(&p->anim);
    if (p->object != nullptr) D3DObj_DestroyObject(&p->object);
    p->builtColours.clear();
}

void FreeModels()
{
    for (PoseTable& table : s_view.poses)
        if (table.bones != nullptr) FreeMemory(&table.bones);
    for (auto& kind : s_view.people)
        for (PersonModel& p : kind)
            FreePerson(&p);
    FreePerson(&s_view.shadow);
    for (D3DObject** o : {&s_view.stadium, &s_view.pitch, &s_view.ball, &s_view.ballShadow,
                          &s_view.goalParts[0], &s_view.goalParts[1], &s_view.goalParts[2],
                          &s_view.goalParts[3], &s_view.groundMark, &s_view.flag})
        if (*o != nullptr) D3DObj_DestroyObject(o);
}

int32_t ModeKind()
{
    int32_t count = 0;
    const DDrawMode* modes = GfxModeList(&count);
    const int32_t mode = Options.video.mode;
    return mode >= 0 && mode < count ? int32_t{modes[mode].kind} : int32_t{DDRAW_KIND_16BIT};
}

bool DeviceStencils()
{
    const DXDeviceEntry* device = DXGetSelectedD3DDevice();
    const int32_t kind = ModeKind();
    return device != nullptr && kind >= DDRAW_KIND_16BIT
           && (device->flags & (DXDEV_STENCIL8 << kind)) != 0;
}

void SetScreen()
{
    s_view.stencil = DeviceStencils();
    uint32_t flags = DDRAW_MODE_3D_DEVICE | DDRAW_MODE_ZBUFFER;
    if (s_view.stencil) flags |= DDRAW_MODE_STENCIL;
    if (!WinIsWindowed()) flags |= DDRAW_MODE_FLIPPABLE;
    SetGraphicMode(Options.video.mode, flags);
    ResetMouseDriver();
}

void SetTexturePreferences()
{
    const VideoSettings& v = Options.video;
    uint32_t flags = ModeKind() >= DDRAW_KIND_24BIT ? D3DTEX_WANT_32BIT : D3DTEX_WANT_16BIT;
    flags |= v.mipMapping != 0 ? D3DTEX_MIPMAPS : D3DTEX_NO_MIPMAPS;
    if (v.textureDetail == 0) flags |= D3DTEX_HALF_SIZE;
    D3DTexSetGlobalFlags(flags);
}

void SetLightAndMaterial()
{
    const float white[4] = {1, 1, 1, 1};
    Vec3 direction = s_view.night ? Vec3{0, 0, -1} : Vec3{1, 1, -1};
    Vec3Normalise(&direction);
    const float d[3] = {direction.x, direction.y, direction.z};
    s_view.light = D3DLightCreate(white, d);
    D3DMaterial material{};
    material.diffuse = {0.7f, 0.7f, 0.7f, 1};
    material.ambient = {0.65f, 0.65f, 0.65f, 1};
    material.specular = {0, 0, 0, 1};
    material.emissive = {0, 0, 0, 1};
    D3DSetMaterial(&material);
}

// The colour-table entries the radar's numbers take: each side's first kit colour.
void SetSideColours()
{
    for (int32_t side = 0; side < 2; ++side) {
        const KitDesign kit = MatchSide_GetKit(s_view.block->sides[side]);
        const KitColour& c =
            KitColourTable[static_cast<size_t>(KitColour_Clamp(kit.colours[0][0]))];
        AddIcon_ColourList(D3DHUD_HOME_COLOUR + side, c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, 1);
    }
}

// ---- Frame ---------------------------------------------------------------------------------

void SetFilters(uint32_t mag, uint32_t min, uint32_t mip)
{
    D3DSetTextureStageState(0, HOST_TSS_MAG_FILTER, mag);
    D3DSetTextureStageState(0, HOST_TSS_MIN_FILTER, min);
    D3DSetTextureStageState(0, HOST_TSS_MIP_FILTER, mip);
}

void SetDepth(bool test, bool write)
{
    D3DSetRenderState(RS_ZENABLE, test ? 1 : 0);
    D3DSetRenderState(RS_ZWRITEENABLE, write ? 1 : 0);
}

void BaseStates()
{
    const VideoSettings& v = Options.video;
    SetDepth(true, true);
    D3DSetRenderState(RS_ZFUNC, HOST_CMP_LESS_EQUAL);
    D3DSetRenderState(RS_LIGHTING, 0);
    SetBlending(false);
    D3DSetRenderState(RS_TEXTUREPERSPECTIVE, 1);
    if (v.textureFiltering <= 0)
        SetFilters(HOST_FILTER_POINT, HOST_FILTER_POINT, HOST_FILTER_POINT);
    else
        SetFilters(HOST_FILTER_LINEAR, HOST_FILTER_LINEAR,
                   v.textureFiltering == 1 ? HOST_FILTER_POINT : HOST_FILTER_LINEAR);
    D3DSetRenderState(RS_SHADEMODE, HOST_SHADE_FLAT);
    D3DSetRenderState(RS_CULLMODE, HOST_CULL_CCW);
    D3DSetRenderState(RS_FOGENABLE, 0);
    D3DSetRenderState(RS_FOGCOLOR, kOpaqueBlack);
    D3DSetRenderState(RS_FOGTABLEMODE, HOST_FOG_NONE);
    D3DSetRenderState(RS_STENCILENABLE, 0);
    D3DSetRenderState(RS_COLORVERTEX, 1);
    for (const uint32_t source : {RS_DIFFUSEMATERIALSOURCE, RS_SPECULARMATERIALSOURCE,
                                  RS_AMBIENTMATERIALSOURCE, RS_EMISSIVEMATERIALSOURCE})
        D3DSetRenderState(source, HOST_MCS_COLOR1);
    D3DSetTextureStageState(0, HOST_TSS_ADDRESS_U, HOST_TADDRESS_WRAP);
    D3DSetTextureStageState(0, HOST_TSS_ADDRESS_V, HOST_TADDRESS_WRAP);
    if (v.fog != 0) {
        D3DSetRenderState(RS_FOGENABLE, 1);
        D3DSetRenderState(RS_FOGTABLEMODE, HOST_FOG_LINEAR);
        D3DSetRenderStateFloat(RS_FOGSTART, kFogStart);
        D3DSetRenderStateFloat(RS_FOGEND, kFogEnd);
        D3DSetRenderState(RS_FOGCOLOR, s_view.night ? kOpaqueBlack : kOpaqueWhite);
    }
    D3DSetTextureStageStateFloat(0, HOST_TSS_MIP_LOD_BIAS, 0);
}

void SetWorld(const Matrix4& world) { D3DSetTransformType(D3D_TRANSFORM_WORLD, &world); }

void SetWorldIdentity()
{
    Matrix4 identity;
    MatIdentity(&identity);
    SetWorld(identity);
}

void DrawAt(const D3DObject* object, float x, float y, float z)
{
    Matrix4 world;
    MatSetTranslation(&world, x, y, z);
    SetWorld(world);
    D3DObj_Render(object);
}

// Which of the 35 people the view may see: spheres of `radius`, `lift` above each.
void Visible(float radius, float lift, bool (&visible)[kPeople])
{
    float centres[kPeople * 3], radii[kPeople];
    for (int32_t i = 0; i < kPeople; ++i) {
        const RenderObject& o = RenderList[i];
        centres[3 * i] = o.x;
        centres[3 * i + 1] = o.y;
        centres[3 * i + 2] = o.height + lift;
        radii[i] = radius;
    }
    uint32_t results[kPeople];
    SetWorldIdentity();
    D3DComputeSphereVisibility(centres, radii, kPeople, results);
    for (int32_t i = 0; i < kPeople; ++i)
        visible[i] = (results[i] & D3D_SPHERE_OUTSIDE) == 0 && D3DGame_OnPitch(i);
}

const PoseTable* PrecomputedPose(int32_t motion)
{
    const auto* found = std::find(kPrecomputedMotions.begin(), kPrecomputedMotions.end(), motion);
    return found == kPrecomputedMotions.end() ? nullptr
                                              : &s_view.poses[found - kPrecomputedMotions.begin()];
}

// The person's pose (precomputed for the commonest motions, the head turned after) and his root
// height; without a clip, the rest pose.
float PoseBones(int32_t object, Matrix4 (&bones)[D3D_POSED_JOINTS])
{
    const RenderObject& o = RenderList[object];
    D3DPoseFrame frame{};
    const bool clip = o.animation >= 0 && D3DServices.PoseFrame(o.animation, o.drawnFrame, &frame);
    if (!clip) frame = {kRestRootHeight, {}};
    const PoseTable* table = clip ? PrecomputedPose(o.animation) : nullptr;
    if (table == nullptr) {
        FramePose(frame, o.headAngle, bones);
        return frame.rootHeight;
    }
    const int32_t f = std::clamp<int32_t>(o.drawnFrame, 0, table->frames - 1);
    std::memcpy(bones, table->bones + static_cast<size_t>(f) * D3D_POSED_JOINTS, sizeof bones);
    if ((o.headAngle & 255) != 0)
        JointMatrix(frame.angles[kHeadJoint - 1], o.headAngle, &bones[kHeadJoint - 1]);
    return frame.rootHeight;
}

void PersonWorld(int32_t object, float rootHeight, Matrix4* world)
{
    const RenderObject& o = RenderList[object];
    Matrix4 moved;
    MatRotateZ(world, -static_cast<float>(o.drawnDirection) * kPi / 128);
    MatSetTranslation(&moved, o.x, o.y, o.height + rootHeight);
    MatMultiply(world, world, &moved);
}

void Pose(PersonModel& model, const Matrix4 (&bones)[D3D_POSED_JOINTS])
{
    D3DAnim_TransformPoints(model.anim, bones, 0, D3D_POSED_JOINTS);
    D3DAnim_ApplyConvPoints2Object(model.anim);
}

float DistanceOf(int32_t object)
{
    const RenderObject& o = RenderList[object];
    return D3DGame_EyeDistance(o.x, o.y, o.height);
}

void DrawShadow(const D3DObject* object, const Matrix4& world, const Vec3& owner)
{
    const int32_t count = s_view.night ? D3DWARE_FLOODLIGHTS : 1;
    for (int32_t l = 0; l < count; ++l) {
        Matrix4 flat, shadowWorld;
        D3DGame_ShadowMatrix(&flat, owner, s_view.night ? &kFloodlights[s_view.big][l] : nullptr);
        MatMultiply(&shadowWorld, &world, &flat);
        SetWorld(shadowWorld);
        D3DObj_Render(object);
    }
}

void ShadowStates()
{
    if (s_view.stencil) {
        D3DSetRenderState(RS_STENCILENABLE, 1);
        D3DSetRenderState(RS_STENCILFUNC, HOST_CMP_NOT_EQUAL);
        D3DSetRenderState(RS_STENCILREF, 1);
        D3DSetRenderState(RS_STENCILMASK, 1);
        D3DSetRenderState(RS_STENCILFAIL, HOST_STENCIL_KEEP);
        D3DSetRenderState(RS_STENCILZFAIL, HOST_STENCIL_KEEP);
        D3DSetRenderState(RS_STENCILPASS, HOST_STENCIL_INCREMENT);
    }
    SetBlending(true);
    D3DSetRenderState(RS_CULLMODE, HOST_CULL_CCW);
    D3DSetRenderState(RS_COLORVERTEX, 1);
}

void DrawShadows()
{
    BaseStates();
    SetDepth(false, false);
    ShadowStates();
    const RenderObject& ball = RenderList[MATCH_BALL];
    Matrix4 ballWorld;
    MatSetTranslation(&ballWorld, ball.x, ball.y, ball.height);
    DrawShadow(s_view.ballShadow, ballWorld, {ball.x, ball.y, ball.height});
    ShadowStates();
    bool visible[kPeople];
    Visible(kShadowRadius, 0, visible);
    for (int32_t i = 0; i < kPeople; ++i) {
        if (!visible[i] || RenderList[i].animation == kRestPoseMotion) continue;
        Matrix4 bones[D3D_POSED_JOINTS], world;
        const float root = PoseBones(i, bones);
        Pose(s_view.shadow, bones);
        PersonWorld(i, root, &world);
        const RenderObject& o = RenderList[i];
        DrawShadow(s_view.shadow.object, world, {o.x, o.y, o.height + root});
    }
    D3DSetRenderState(RS_STENCILENABLE, 0);
}

void DrawGroundMarks()
{
    SetBlending(true);
    for (int32_t n = 0; n < kGroundMarks; ++n) {
        const D3DGroundMark mark = D3DServices.GroundMark(n);
        if (!mark.inUse) continue;
        Matrix4 world, moved;
        MatRotateZ(&world, mark.angle);
        MatSetTranslation(&moved, mark.x, mark.y, 0);
        MatMultiply(&world, &world, &moved);
        SetWorld(world);
        D3DObj_Render(s_view.groundMark);
    }
}

// The card group of the officials' model at `level`: red or yellow while this one shows a card,
// else the colour it was built with (the three share the model).
void ColourCard(int32_t object, int32_t level)
{
    PersonModel& model = s_view.people[2][level];
    const uint32_t colour = D3DGame_CardColour(object);
    for (uint32_t e = 0; e < model.object->entryCount; ++e) {
        D3DObjEntry& entry = model.object->entries[e];
        if ((entry.flags & D3DOBJ_UNTEXTURED) == 0) continue;
        auto* vertices = static_cast<D3DObjColouredVertex*>(entry.vertices);
        const uint32_t wanted = colour != 0 ? colour : model.builtColours[e];
        for (uint32_t v = 0; v < entry.vertexCount; ++v)
            vertices[v].colour = wanted;
    }
}

void DrawPeople()
{
    const D3DViewFlags flags = D3DServices.ViewFlags();
    const float zoom = D3DServices.CameraZoom();
    bool visible[kPeople];
    Visible(kPersonRadius, kPersonCentreLift, visible);
    for (int32_t i = 0; i < kPeople; ++i) {
        if (!visible[i]) continue;
        const int32_t kind = D3DGame_ModelKind(i);
        const int32_t level = D3DGame_PersonLevel(DistanceOf(i), zoom, flags.modelDetail);
        if (kind == 2) ColourCard(i, level);
        PersonModel& model = s_view.people[kind][level];
        Matrix4 bones[D3D_POSED_JOINTS], world;
        const float root = PoseBones(i, bones);
        Pose(model, bones);
        PersonWorld(i, root, &world);
        SetWorld(world);
        s_view.drawnPerson = i;
        D3DObj_Render(model.object);
    }
}

void DrawBall()
{
    float spin[3];
    D3DServices.BallSpin(spin);
    const RenderObject& ball = RenderList[MATCH_BALL];
    Matrix4 world, step;
    MatRotateZ(&world, spin[2]);
    MatRotateY(&step, -spin[1]);
    MatMultiply(&world, &world, &step);
    MatSetTranslation(&step, ball.x, ball.y, ball.height);
    MatMultiply(&world, &world, &step);
    SetWorld(world);
    D3DObj_Render(s_view.ball);
}

void DrawCornerFlags()
{
    SetDepth(true, true);
    for (const float x : {float{PITCH_LEFT_TOUCHLINE_X}, float{PITCH_RIGHT_TOUCHLINE_X}})
        for (const float y : {float{PITCH_NEAR_GOAL_LINE_Y}, float{PITCH_FAR_GOAL_LINE_Y}})
            DrawAt(s_view.flag, x, y, 0);
}

void DrawGoals()
{
    SetDepth(true, false);
    for (GoalRecord& r : s_view.goals)
        r.distance = D3DGame_EyeDistance(r.point.x, r.point.y, r.point.z);
    std::array<GoalRecord, 8> order;
    std::copy(std::begin(s_view.goals), std::end(s_view.goals), order.begin());
    std::stable_sort(order.begin(), order.end(), [](const GoalRecord& a, const GoalRecord& b) {
        return static_cast<int32_t>(a.distance) < static_cast<int32_t>(b.distance);
    });
    for (const GoalRecord& r : order) {
        SetWorld(s_view.goalWorld[r.goal]);
        D3DObj_Render(s_view.goalParts[r.part]);
    }
}

void OverlayStates()
{
    SetDepth(false, false);
    SetBlending(true);
    SetFilters(HOST_FILTER_POINT, HOST_FILTER_POINT, HOST_FILTER_POINT);
    D3DSetRenderState(RS_FOGENABLE, 0);
}

void DrawSceneNow()
{
    D3DClearScene(D3D_CLEAR_ZBUFFER | (s_view.stencil ? uint32_t{D3D_CLEAR_STENCIL} : 0u));
    D3DBeginScene();
    BaseStates();
    SetDepth(false, false);
    SetWorldIdentity();
    D3DObj_Render(s_view.pitch);
    DrawShadows();
    DrawGroundMarks();
    BaseStates();
    D3DSetRenderState(RS_LIGHTING, 0);
    SetDepth(true, true);
    SetWorldIdentity();
    D3DObj_Render(s_view.stadium);
    BaseStates();
    D3DSetRenderState(RS_LIGHTING, Options.video.lighting != 0 ? 1 : 0);
    D3DSetRenderState(RS_SHADEMODE, HOST_SHADE_GOURAUD);
    D3DSetRenderState(RS_TEXTUREPERSPECTIVE, 0);
    D3DSetTextureStageStateFloat(0, HOST_TSS_MIP_LOD_BIAS, -1);
    DrawPeople();
    DrawBall();
    D3DSetRenderState(RS_LIGHTING, 0);
    D3DSetRenderState(RS_SHADEMODE, HOST_SHADE_FLAT);
    D3DSetRenderState(RS_TEXTUREPERSPECTIVE, 1);
    DrawCornerFlags();
    DrawGoals();
    BaseStates();
    OverlayStates();
    D3DHud_Draw();
    D3DEndScene();
    if (!WinIsWindowed()) GfxFlip();
}

// Paces the frame; false when it is dropped. An idle program's return rebuilds the view.
bool PaceFrame()
{
    const int32_t perSecond = D3DServices.ViewFlags().quickPreview != 0
                                  ? D3DWARE_QUICK_FRAMES_A_SECOND
                                  : D3DWARE_FRAMES_A_SECOND;
    s_view.accumulator += static_cast<double>(D3DWARE_TICKS_A_SECOND) / perSecond;
    if (Now() > s_view.accumulator) return false;
    while (Now() < s_view.accumulator)
        Poll();
    if (WinWasIdle()) {
        MatchView_Destroy();
        MatchView_Init();
    }
    return true;
}

}  // namespace

void D3DGame_Init()
{
    s_view.block = GetMatchSidesBlock();
    if (Options.video.device3D < 0 || DXGetSelectedD3DDevice() == nullptr)
        FatalError("D3DGame_Init(): Direct3D not initialized");
    s_view.night = s_view.block->night != 0;
    SetScreen();
    LoadBar_StartBlock(16.0f, 1.0f);
    SetTexturePreferences();
    D3DServices.ClearNamedTextures();
    D3DServices.ClearKitTextures();
    TexD3D_ResetTable();
    LoadBar_Advance(1.0f);
    LoadBar_StartBlock(1.0f, 1.0f);
    Icon_Init();
    LoadBar_EndBlock();
    LoadBar_StartBlock(1.0f, 3.0f);
    D3DServices.LoadMotionCaptures();
    LoadBar_EndBlock();
    LoadStadium();
    LoadPeople();
    SetLightAndMaterial();
    D3DServices.ClearGroundMarks();
    D3DServices.InfoBarReset();
    SndSetActiveChannels(8);
    MatchPresentationOps.MatchSfx_Init();
    // The cameras are not reset here: the view takes them as the last view or the options left
    // them, the player's camera among them.
    LoadBar_Advance(1.0f);
    LoadBar_EndBlock();
    s_view.accumulator = Now();
    s_view.lastUpdate = Now() / 2 - 1;
    SetSideColours();
    s_view.frames = 0;
    s_view.built = true;
}

void D3DGame_Destroy()
{
    if (!s_view.built) return;
    if (s_view.light >= 0) D3DLightDestroy(s_view.light);
    s_view.light = -1;
    FreeModels();
    Icon_Uninit();
    TexD3D_FreeAll();
    TexD3D_FreeRamps();
    D3DServices.ClearNamedTextures();
    D3DServices.ClearKitTextures();
    if (IsGraphicMode()) RestoreGraphicMode();
    D3DServices.FreeMotionCaptures();
    MatchPresentationOps.MatchSfx_Shutdown();
    SndClearActiveChannels();
    s_view.accumulator = Now();
    s_view.built = false;
}

void D3DGame_Step() { HighLight_Tick(); }

void D3DGame_Update()
{
    D3DServices.MirrorSideSteps();
    D3DServices.UpdateCurrentCamera();
    const uint32_t half = Now() / 2;
    if (half == s_view.lastUpdate) return;
    s_view.lastUpdate = half;
    D3DServices.InfoBarAnimate();
    D3DServices.TimedEventsStep();
}

void D3DGame_Render()
{
    if (!s_view.built || !PaceFrame()) return;
    ++s_view.frames;
    DrawSceneNow();
    Poll();
    const int32_t width = static_cast<int32_t>(ScreenWidth());
    const int32_t height = static_cast<int32_t>(ScreenHeight());
    D3DServices.VirtualPointerUpdate(width, height);
    D3DServices.ReadControllers(0);
    int32_t x = 0, y = 0, buttons = 0;
    D3DServices.VirtualPointer(&x, &y, &buttons);
    D3DServices.ReplayBarInput(x, y, (buttons & 1) != 0);
}

void D3DGame_SetCamera(float x, float y, float z, float yaw, float pitch, float zoom)
{
    SetWorldIdentity();
    Matrix4 view, step;
    MatSetTranslation(&view, -x, -y, -z);
    MatRotateZ(&step, -yaw);
    MatMultiply(&view, &view, &step);
    MatRotateX(&step, -pitch);
    MatMultiply(&view, &view, &step);
    MatSetScale(&step, 0.75f * zoom, zoom, 1);
    MatMultiply(&view, &view, &step);
    Matrix4 projection{};
    projection.m[0][0] = 2;
    projection.m[1][1] = 2;
    projection.m[2][2] = 1.00295f;
    projection.m[3][2] = -10;
    projection.m[2][3] = 1;
    D3DSetTransformType(D3D_TRANSFORM_VIEW, &view);
    D3DSetTransformType(D3D_TRANSFORM_PROJECTION, &projection);
    MatMultiply(&s_view.viewProjection, &view, &projection);
    s_view.eye = {x, y, z};
}

int32_t D3DGame_ProjectPoint(float x, float y, float z, float* screenX, float* screenY)
{
    const Matrix4& m = s_view.viewProjection;
    const auto column = [&](int32_t c) {
        return x * m.m[0][c] + y * m.m[1][c] + z * m.m[2][c] + m.m[3][c];
    };
    const float cx = column(0), cy = column(1), cz = column(2), cw = column(3);
    if (cz < 0) return -1;
    const auto width = static_cast<float>(ScreenWidth());
    const auto height = static_cast<float>(ScreenHeight());
    *screenX = width / 2 + width * cx / cw * 0.5f;
    *screenY = height / 2 - height * cy / cw * 0.5f;
    return 0;
}

float D3DGame_EyeDistance(float x, float y, float z)
{
    const float dx = x - s_view.eye.x, dy = y - s_view.eye.y, dz = z - s_view.eye.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void D3DGame_Register() { MatchView_Register(VIEWKIND_DEVICE_3D, &kDeviceViewOps); }

bool D3DGame_OnPitch(int32_t object)
{
    const int16_t motion = RenderList[object].animation;
    return motion >= kRestPoseMotion && motion < MOTION_CLIP_COUNT;
}

void D3DGame_DrawScene() { DrawSceneNow(); }

int32_t D3DGame_ModelKind(int32_t object)
{
    if (object >= kFirstOfficial) return 2;
    return object == LineUp[0][0] || object == LineUp[1][0] ? 1 : 0;
}

int32_t D3DGame_Frames() { return s_view.frames; }
bool D3DGame_StencilShadows() { return s_view.stencil; }
int32_t D3DGame_BigStadium() { return s_view.big; }
const char* D3DGame_StadiumName() { return s_view.stadiumName; }
const char* D3DGame_PitchModel() { return s_view.pitchName; }
int32_t D3DGame_ShadowsAPerson() { return s_view.night ? D3DWARE_FLOODLIGHTS : 1; }
int32_t D3DGame_Light() { return s_view.light; }
double D3DGame_Accumulator() { return s_view.accumulator; }

int32_t D3DGame_PersonLevel(float distance, float zoom, int32_t modelDetail)
{
    const float* row = kPersonThresholds[std::clamp(modelDetail, 0, 2)];
    const float d = distance / zoom;
    int32_t level = 0;
    while (level < 4 && d >= row[level])
        ++level;
    return level;
}

void D3DGame_ShadowMatrix(Matrix4* out, const Vec3& owner, const Vec3* light)
{
    MatIdentity(out);
    if (light == nullptr) {
        out->m[2][0] = 1;
        out->m[2][1] = 1;
    } else {
        const Vec3 d = {owner.x - kCentreX - light->x, owner.y - kCentreY - light->y,
                        owner.z - light->z};
        out->m[2][0] = -d.x / d.z;
        out->m[2][1] = -d.y / d.z;
    }
    out->m[2][2] = 0;
}

uint32_t D3DGame_CardColour(int32_t object)
{
    if (object < kFirstOfficial || object >= kPeople) return 0;
    if (RenderList[object].animation != kCardAnimation) return 0;
    const int16_t state = MatchPersons[object].action;
    return state == kShowsRed ? D3DWARE_RED_CARD : state == kShowsYellow ? D3DWARE_YELLOW_CARD : 0;
}
