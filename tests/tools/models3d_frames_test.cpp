// tests/tools/models3d_frames_test.cpp: the generated 3D models drawn through the device, placed
// and seen as the match view will place and see them, each texture a flat colour picked from its
// name; frames read back against the hashes kept here. A frame that differs is written as a PNG
// into the build folder for a person to look at.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/d3danim.h"
#include "engine/d3dobj.h"
#include "engine/dxd3d.h"
#include "engine/dxd3drs.h"
#include "engine/dxd3dtex.h"
#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/memory.h"
#include "engine/xyzdata.h"
#include "generated/build_paths.h"
#include "tests/support/gfx_run.h"
#include "tools/mkdata/models3d.h"
#include "tools/mkdata/skeleton.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr int32_t kWidth = 320;
constexpr int32_t kHeight = 240;

// A 4 x 4 texture of one colour picked from the name, so every part keeps its colour.
int32_t FlatColours(const D3DObjEvent& event, D3DObjResult* result)
{
    if (event.kind == D3DOBJ_EVENT_RELEASE) {
        if (event.handle != -1) D3DTexDestroyTexture(event.handle);
        return 1;
    }
    if (event.kind != D3DOBJ_EVENT_CREATE) return 0;
    uint32_t hash = 2166136261u;
    for (const char* c = event.name; *c; ++c) {
        hash = (hash ^ static_cast<uint8_t>(*c)) * 16777619u;
    }
    const uint32_t rgba = 0xFF000000u | 0x00404040u | (hash & 0x00BFBFBFu);
    void* block = nullptr;
    AllocateMemory(&block, 64, MEM_TYPE_GAME);
    for (int32_t i = 0; i < 16; ++i) {
        std::memcpy(static_cast<uint8_t*>(block) + 4 * i, &rgba, 4);
    }
    result->handle =
        D3DTexAdvancedCreateTexture(4, 4, &block, 0, D3DTEX_SOURCE_RGBA | D3DTEX_ALPHA_SOLID);
    return 1;
}

std::vector<uint8_t> ModelBytes(const std::string& name)
{
    for (const MkNamedModel& m : MkModels3D()) {
        if (m.name == name) return MkModelBytes(m.model);
    }
    ADD_FAILURE() << "no model " << name;
    return {};
}

// One object built from a model moved as the view moves it; destroyed at the end.
class Object {
public:
    Object(const std::string& name, uint8_t options, void (*place)(void*) = nullptr)
        : m_block(ModelBytes(name))
    {
        if (place) place(m_block.data());
        D3DObj_CreateObjectFromXYZData(&m_object, m_block.data(), FlatColours, 0, options);
        if (options & D3DOBJ_KEEP_POINTS) D3DAnim_CreateAnimData(&m_anim, m_block.data(), m_object);
    }
    ~Object()
    {
        if (m_anim) D3DAnim_FreeAnimData(&m_anim);
        D3DObj_DestroyObject(&m_object);
    }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    void Draw(const Matrix4& world) const
    {
        D3DSetTransformType(D3D_TRANSFORM_WORLD, &world);
        D3DObj_Render(m_object);
    }
    void Draw(float x, float y, float z) const
    {
        Matrix4 world;
        MatSetTranslation(&world, x, y, z);
        Draw(world);
    }
    void Pose(const Matrix4* bones)
    {
        D3DAnim_TransformPoints(m_anim, bones, 0, MK_JOINT_COUNT - 1);
        D3DAnim_ApplyConvPoints2Object(m_anim);
    }

private:
    std::vector<uint8_t> m_block;
    D3DObject* m_object = nullptr;
    D3DAnimData* m_anim = nullptr;
};

void PlaceStadium(void* block)
{
    XYZData_RotateX(block, kPi / 2);
    XYZData_Scale(block, 1000, 1000, 1000);
    XYZData_Translate(block, 796, 1082, 0);
}

void PlaceGoalPart(void* block)
{
    XYZData_RotateX(block, kPi / 2);
    XYZData_RotateZ(block, kPi / 2);
    XYZData_Scale(block, 64, 28, 44.8f);
}

void PlaceFlag(void* block)
{
    XYZData_RotateX(block, kPi / 2);
    XYZData_RotateZ(block, kPi / 2);
    XYZData_Scale(block, 44.8f, 44.8f, 44.8f);
}

void PlaceBall(void* block) { XYZData_Scale(block, 38, 38, 38); }

// The graphics layer in a 320 x 240 mode with the device and a z-buffer, the camera built as
// the match view builds it: eye, a turn about z by -yaw, about x by -pitch, x scaled by 0.75
// zoom and y by zoom; the projection doubles x and y and takes depth from z.
class Frame {
public:
    Frame(const Vec3& eye, float yaw, float pitch, float zoom = 1) : m_graphics(true)
    {
        SetGraphicMode(GfxFindMode(kWidth, kHeight, DDRAW_KIND_16BIT),
                       DDRAW_MODE_3D_DEVICE | DDRAW_MODE_ZBUFFER);
        Matrix4 view, step;
        MatSetTranslation(&view, -eye.x, -eye.y, -eye.z);
        MatRotateZ(&step, -yaw);
        MatMultiply(&view, &view, &step);
        MatRotateX(&step, -pitch);
        MatMultiply(&view, &view, &step);
        MatSetScale(&step, 0.75f * zoom, zoom, 1);
        MatMultiply(&view, &view, &step);
        D3DSetTransformType(D3D_TRANSFORM_VIEW, &view);
        Matrix4 projection{};
        projection.m[0][0] = 2;
        projection.m[1][1] = 2;
        projection.m[2][2] = 1.00295f;
        projection.m[3][2] = -10;
        projection.m[2][3] = 1;
        D3DSetTransformType(D3D_TRANSFORM_PROJECTION, &projection);
        D3DSetRenderState(RS_CULLMODE, HOST_CULL_CCW);
        D3DSetRenderState(RS_LIGHTING, 0);
        D3DClearCurrent();
        D3DBeginScene();
    }

    // A white light from above and a little in front of the people.
    static void LightFromAbove()
    {
        D3DMaterial material{};
        material.diffuse = {1, 1, 1, 1};
        material.ambient = {0.25f, 0.25f, 0.25f, 1};
        D3DSetMaterial(&material);
        D3DSetAmbientLight(0xFF404040);
        const float white[4] = {0.9f, 0.9f, 0.9f, 1};
        const float direction[3] = {0.3f, 0.2f, -1};
        D3DLightCreate(white, direction);
        D3DSetRenderState(RS_LIGHTING, 1);
    }

    void Expect(const char* name, uint64_t hash)
    {
        D3DEndScene();
        PresentNow();
        const uint64_t actual = HostFrameHash();
        const std::string path = PELLORAN_BUILD_DIR "/models3d_" + std::string(name) + ".png";
        if (actual != hash || std::getenv("PELLORAN_WRITE_FRAMES")) HostWriteFramePng(path.c_str());
        EXPECT_EQ(actual, hash) << name << ": 0x" << std::hex << actual << ", written to " << path;
    }

private:
    ScopedGraphics m_graphics;
};

// The pitch flat under everything, then the stadium, goals, flags and ball with depth.
void DrawGround(bool big)
{
    const Object pitch("stadium\\models\\newgrass.xyz", 3, PlaceStadium);
    const Object stadium(big ? "stadium\\models\\bigstadn.xyz" : "stadium\\models\\stad2d.xyz", 3,
                         PlaceStadium);
    D3DSetRenderState(RS_ZENABLE, 0);
    D3DSetRenderState(RS_ZWRITEENABLE, 0);
    pitch.Draw(0, 0, 0);
    D3DSetRenderState(RS_ZENABLE, 1);
    D3DSetRenderState(RS_ZWRITEENABLE, 1);
    stadium.Draw(0, 0, 0);
    D3DSetRenderState(RS_CULLMODE, HOST_CULL_NONE);  // nets and the flag cloth: both sides
    const Object flag("stadium\\models\\misc\\flag\\flag.xyz", 2, PlaceFlag);
    for (const float x : {156.0f, 1436.0f}) {
        for (const float y : {122.0f, 2042.0f}) {
            flag.Draw(x, y, 0);
        }
    }
    for (const char* part : {"gback", "gtop", "gleft", "gright"}) {
        const Object goal(std::string("stadium\\models\\misc\\goal\\") + part + ".xyz", 2,
                          PlaceGoalPart);
        // Goal 0 deepens beyond the far goal line; goal 1 is turned about z to the near one.
        goal.Draw(796, 2042, 0);
        Matrix4 world, moved;
        MatRotateZ(&world, kPi);
        MatSetTranslation(&moved, 796, 122, 0);
        MatMultiply(&world, &world, &moved);
        goal.Draw(world);
    }
    D3DSetRenderState(RS_CULLMODE, HOST_CULL_CCW);
    const Object ball("simple\\model\\116ball.xyz", 2, PlaceBall);
    ball.Draw(796, 1082, 1.9f);
}

TEST(Models3DFrames, NormalStadiumByDay)
{
    Frame frame({1445, 1082, 350}, kPi / 2, -kPi / 2 - 0.5f, 0.4f);
    DrawGround(false);
    frame.Expect("stadium_day", 0x3d66d7de300ea1f1ull);
}

TEST(Models3DFrames, BigStadiumByNight)
{
    Frame frame({1424, 1082, 358.4f}, kPi / 2, -kPi / 2 - 0.5f, 0.4f);
    DrawGround(true);
    frame.Expect("bigstadium_night", 0x34a747b0d982fdb0ull);
}

// Arms raised sideways over the head and the right knee bent back, thigh forward.
void TestPose(Matrix4* bones)
{
    for (int32_t b = 0; b < MK_JOINT_COUNT - 1; ++b) {
        MatIdentity(&bones[b]);
    }
    const auto bone = [](MkJoint joint) { return MkJointBone(joint); };
    for (const MkJoint j : {MK_JOINT_LEFT_UPPER_ARM, MK_JOINT_LEFT_FOREARM, MK_JOINT_LEFT_HAND}) {
        MatRotateX(&bones[bone(j)], 0.8f * kPi);
    }
    for (const MkJoint j :
         {MK_JOINT_RIGHT_UPPER_ARM, MK_JOINT_RIGHT_FOREARM, MK_JOINT_RIGHT_HAND}) {
        MatRotateX(&bones[bone(j)], -0.8f * kPi);
    }
    MatRotateY(&bones[bone(MK_JOINT_RIGHT_THIGH)], -0.5f);
    for (const MkJoint j : {MK_JOINT_RIGHT_SHIN, MK_JOINT_RIGHT_FOOT, MK_JOINT_RIGHT_TOES}) {
        MatRotateY(&bones[bone(j)], 1.2f);
    }
}

void DrawPeople(bool posed)
{
    Matrix4 bones[MK_JOINT_COUNT - 1];
    if (posed) {
        TestPose(bones);
    } else {
        for (Matrix4& m : bones) {
            MatIdentity(&m);
        }
    }
    Frame::LightFromAbove();
    float y = -60;
    for (const char* kind : {"player", "keeper", "referee"}) {
        for (const char* level : {"500man", "60man"}) {
            Object person(std::string("sskin\\models\\") + kind + "\\" + level + ".xyz", 6);
            person.Pose(bones);
            person.Draw(0, y, 17);
            y += 24;
        }
    }
}

TEST(Models3DFrames, PeopleInTheRestPose)
{
    Frame frame({-120, 0, 20}, -kPi / 2, -kPi / 2);
    DrawPeople(false);
    frame.Expect("people_rest", 0x7892953d4bef76d8ull);
}

TEST(Models3DFrames, PeopleInATestPose)
{
    Frame frame({-120, 0, 20}, -kPi / 2, -kPi / 2);
    DrawPeople(true);
    frame.Expect("people_posed", 0xfc79de5fa95e9f93ull);
}

// Brightness of a frame pixel: the sum of its three components.
int32_t Brightness(int32_t x, int32_t y)
{
    const uint32_t rgb = FrameRgb(x, y);
    return static_cast<int32_t>((rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF));
}

// The ball seen from the side, lit from above: with the view's culling its outside shows, lit
// on top; culling the other way shows its inside, dark where the outside was lit.
TEST(Models3DFrames, ClosedModelsShowTheirOutsideLitFromAbove)
{
    int32_t top[2], bottom[2];
    for (const uint32_t cull : {HOST_CULL_CCW, HOST_CULL_CW}) {
        Frame frame({-40, 0, 0}, -kPi / 2, -kPi / 2, 3);
        Frame::LightFromAbove();
        D3DSetRenderState(RS_CULLMODE, cull);
        const Object ball("simple\\model\\116ball.xyz", 2, PlaceBall);
        ball.Draw(0, 0, 0);
        frame.Expect(cull == HOST_CULL_CCW ? "ball_outside" : "ball_inside",
                     cull == HOST_CULL_CCW ? 0x8b2e403fd213508full : 0xea0ae9d11abbbe7aull);
        const int32_t i = cull == HOST_CULL_CCW ? 0 : 1;
        top[i] = Brightness(kWidth / 2, kHeight / 2 - 25);
        bottom[i] = Brightness(kWidth / 2, kHeight / 2 + 25);
    }
    EXPECT_GT(top[0], bottom[0] + 60);
    EXPECT_GT(top[0], top[1] + 60);
}

}  // namespace
