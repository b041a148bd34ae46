// NOD models: small images written by mkdata's writer, loaded by the three loaders; one table of
// refusals, the texture rules, and a fuzz loop of damaged skinned models that must be refused or
// loaded, never read outside the file.
#include "vx256/nod.h"

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "tools/mkdata/nodwriter.h"
#include "vx256/kittextures.h"

namespace {

constexpr const char* kDir = "models";

// A folder whose archive holds the given NOD files under "models\".
class ScopedModels {
public:
    explicit ScopedModels(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files)
    {
        ResetCoreForTest();
        MemoryInit();
        PakFileInit();
        std::vector<TestPakFile> pak;
        for (const auto& [name, bytes] : files)
            pak.push_back({std::string(kDir) + "\\" + name, bytes});
        WriteTestPak(m_dir.Path(), pak);
        DataFolderInit(m_dir.Path().c_str());
        PakMount("pakfiles\\hdcommon");
        KitTextures_Init();
    }
    ~ScopedModels()
    {
        KitTextures_Uninit();
        PakFileUninit();
        MemoryUninit();
        ResetCoreForTest();
    }

private:
    TempDir m_dir;
};

MkNodSurface Surface(std::array<int16_t, 4> corners, int16_t texture, float u = 0.5f)
{
    MkNodSurface s;
    s.corners = corners;
    s.texture = texture;
    s.u = {u, u, u, u};
    s.v = {0.25f, 0.25f, 0.25f, 0.25f};
    return s;
}

// A box corner of a rigid prop: a triangle and a quad, a white code and a packed colour.
MkNodModel Rigid()
{
    MkNodModel m;
    m.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    m.surfaces = {Surface({0, 1, 2, -1}, 0), Surface({0, 1, 2, 3}, 1)};
    m.textures = {"R255G255B255", "R255G0B0"};
    return m;
}

// Two leading points (the root, joint 1's origin), then four points of joint 1: one sort group.
MkNodModel Skinned()
{
    MkNodModel m;
    m.skinned = true;
    m.points = {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 1}, {0, 0, 0, 1, 2},
                {1, 0, 0, 1, 3}, {1, 1, 0, 1, 4}, {0, 1, 0, 1, 5}};
    m.surfaces = {Surface({2, 3, 4, -1}, 0), Surface({2, 3, 4, 5}, 1)};
    m.textures = {"R0G0B255", "shirtfr.GFX"};
    m.jointPoints = {0, 1};
    m.sortPoints = {2, 5};
    m.startPoints = {0};
    m.endPoints = {1};
    m.highestJoint = 1;
    m.leadingPoints = 2;
    return m;
}

void LoadSkinned(const std::vector<uint8_t>& bytes, uint32_t flags = NOD_TEXTURES_KIT)
{
    ScopedModels models({{"man.nod", bytes}});
    NodSkinnedModel model{};
    NOD_LoadWorld(&model, "man.nod", kDir, flags);
    NOD_FreeSkinned(&model);
}

void LoadRigid1(const std::vector<uint8_t>& bytes)
{
    ScopedModels models({{"prop.nod", bytes}});
    NodRigidModel* model = nullptr;
    NOD_LoadWorld1(&model, kDir, "prop", kDir, 0, 0, NOD_TEXTURES_UNRESOLVED);
    NOD_FreeWorld1(&model);
}

std::vector<uint8_t> With(std::vector<uint8_t> bytes, size_t at, uint32_t word)
{
    std::memcpy(&bytes[at], &word, 4);
    return bytes;
}

TEST(NodDeathTest, DamagedFilesAreRefusedWithWhatIsWrong)
{
    const std::vector<uint8_t> rigid = MkNodBytes(Rigid());
    const std::vector<uint8_t> skinned = MkNodBytes(Skinned());
    const std::vector<uint8_t> shortRigid(rigid.begin(), rigid.end() - 1);
    MkNodModel badJoint = Skinned();
    badJoint.points[3].joint = 5;
    MkNodModel badTerminator = Skinned();
    MkNodModel badCorner = Rigid();
    badCorner.surfaces[1].corners[3] = 4;
    MkNodModel badTexture = Rigid();
    badTexture.surfaces[0].texture = 2;
    MkNodModel badColour = Rigid();
    badColour.textures[0] = "R12G";
    MkNodModel ownSize = Rigid();
    ownSize.surfaces[0].flags = 0x08;
    MkNodModel childFirst = Skinned();
    childFirst.jointPoints = {0, 4};
    MkNodModel groups = Skinned();
    groups.sortPoints = {2};
    MkNodModel tooManyJoints = Skinned();
    tooManyJoints.jointPoints.resize(28, 0);
    std::vector<uint8_t> terminator = MkNodBytes(badTerminator);
    std::memcpy(&terminator[77 + 6 * 16 + 12], "\x07\x00", 2);
    struct Case {
        const char* what;
        std::function<void()> load;
        const char* text;
    };
    const Case cases[] = {
        {"one byte short", [&] { LoadRigid1(shortRigid); },
         "NOD_LoadWorld() - exceded allocated memory by 1 bytes\n"},
        {"head cut",
         [&] {
             LoadRigid1({rigid.begin(), rigid.begin() + 40});
         },
         "NOD_LoadWorld() - exceded allocated memory by 17 bytes\n"},
        {"magic 1", [&] { LoadRigid1(skinned); }, "NOD_InitializeHeaders() - Invalid header\n"},
        {"magic 3", [&] { LoadSkinned(rigid); }, "NOD_InitializeHeaders3() - Invalid header\n"},
        {"no points", [&] { LoadRigid1(With(rigid, 5, 0)); },
         "NOD_CopyPoints(): Invalid number of points\n"},
        {"no surfaces 3", [&] { LoadSkinned(With(skinned, 21, 0)); },
         "NOD_CopySurfaces3(): Invalid number of surfaces\n"},
        {"no textures", [&] { LoadRigid1(With(rigid, 33, 0)); },
         "NOD_CopyTextures(): Invalid number of textures\n"},
        {"no joints", [&] { LoadSkinned(With(skinned, 37, 0)); },
         "NOD_CopyJointPoints(): Invalid number of joint points\n"},
        {"no sorts", [&] { LoadSkinned(With(skinned, 49, 0)); },
         "NOD_CopySortPoints(): Invalid number of points\n"},
        {"no starts", [&] { LoadSkinned(With(skinned, 57, 0)); },
         "NOD_CopyStartPoints(): Invalid number of points\n"},
        {"no ends", [&] { LoadSkinned(With(skinned, 61, 0)); },
         "NOD_CopyEndPoints(): Invalid number of points\n"},
        {"joint above highest", [&] { LoadSkinned(MkNodBytes(badJoint)); },
         "ERROR in ORG PTS 5, file 'models\\man.nod'\n"},
        {"terminator", [&] { LoadSkinned(terminator); },
         "ERROR in ORG PTS (pt. 2) 7, in file 'models\\man.nod'\n"},
        {"colour", [&] { LoadRigid1(MkNodBytes(badColour)); },
         "ERROR:NOD_LoadTextures RGB has bad read `R12G'\n"},
        {"corner", [&] { LoadRigid1(MkNodBytes(badCorner)); }, "is damaged (corner point)"},
        {"texture", [&] { LoadRigid1(MkNodBytes(badTexture)); }, "is damaged (texture number)"},
        {"own size short", [&] { LoadRigid1(MkNodBytes(ownSize, {.surface = 58})); },
         "is damaged (record size)"},
        {"own size skinned",
         [&] {
             MkNodModel m = Skinned();
             m.surfaces[0].flags = 0x08;
             LoadSkinned(MkNodBytes(m));
         },
         "using NOD_WIDTH_HEIGHT ????"},
        {"point record", [&] { LoadSkinned(MkNodBytes(Skinned(), {.point = 12})); },
         "is damaged (record size)"},
        {"parent after child", [&] { LoadSkinned(MkNodBytes(childFirst)); },
         "is damaged (parent after child)"},
        {"sort groups", [&] { LoadSkinned(MkNodBytes(groups)); }, "is damaged (sort groups)"},
        {"joint room", [&] { LoadSkinned(MkNodBytes(tooManyJoints)); },
         "is damaged (list longer than its room)"},
        {"huge count", [&] { LoadSkinned(With(skinned, 13, 0x7FFFFFFF)); },
         "exceded allocated memory by"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FATAL(c.load(), c.text);
    }
}

TEST(Nod, ModelsLoadWithTheirRecordsTexturesAndCoordinates)
{
    MkNodModel rigid = Rigid();
    rigid.surfaces[1].flags = 0x08 | 0x01;
    rigid.surfaces[1].width = 64;
    rigid.surfaces[1].height = 32;
    rigid.surfaces[1].u = {1.3f, -0.2f, 0.5f, 1};
    const std::vector<uint8_t> longRecords =
        MkNodBytes(rigid, {.point = 20, .surface = 80, .texture = 24});
    ScopedModels models({{"prop.nod", longRecords}, {"man.nod", MkNodBytes(Skinned())}});
    const MemoryStatistics before = MemoryStats();

    NodRigidModel* prop = nullptr;
    NOD_LoadWorld1(&prop, kDir, "prop", kDir, 2, 1, NOD_TEXTURES_UNRESOLVED);
    ASSERT_EQ(prop->pointCount, 4);
    EXPECT_EQ(prop->points[2].x, 1);
    EXPECT_EQ(prop->points[2].y, 1);
    EXPECT_EQ(prop->points[5].x, 0);  // the extra room, zeroed
    ASSERT_EQ(prop->surfaceCount, 2);
    const NodRigidSurface& tri = prop->surfaces[0];
    EXPECT_EQ(tri.corners[3], -1);
    EXPECT_EQ(tri.corners[4], -1);
    EXPECT_EQ(tri.u[3], 0);
    EXPECT_EQ(tri.v[3], 0);
    EXPECT_EQ(tri.u[4], -1.0f);
    EXPECT_EQ(tri.u[0], 0.5f);  // a colour keeps its coordinates
    const NodRigidSurface& quad = prop->surfaces[1];
    EXPECT_EQ(quad.doubleSided, 0xFF);
    EXPECT_EQ(quad.secondFlag, 0);
    EXPECT_FLOAT_EQ(quad.u[0], 63.5f);
    EXPECT_FLOAT_EQ(quad.u[1], 0);
    EXPECT_FLOAT_EQ(quad.u[2], 0.5f * 63.5f);
    EXPECT_FLOAT_EQ(quad.v[0], 0.25f * 31.5f);
    EXPECT_EQ(prop->textures[0].type, NOD_TEXTURE_COLOUR);
    EXPECT_EQ(prop->textures[0].colour, 1u);
    EXPECT_EQ(prop->textures[1].colour, 0xF800u);

    NodSkinnedModel man{};
    NOD_LoadWorld(&man, "man.nod", kDir, NOD_TEXTURES_KIT);
    ASSERT_EQ(man.pointCount, 6);
    EXPECT_EQ(man.highestJoint, 1);
    EXPECT_EQ(man.leadingPoints, 2u);
    EXPECT_EQ(man.jointCount, 2);
    EXPECT_EQ(man.sortCount, 2);
    EXPECT_EQ(man.endPoints[0], 1u);
    EXPECT_EQ(man.firstOtherVertex, 1);
    EXPECT_EQ(man.surfaces[0].vertices[2], &man.work[4]);
    EXPECT_EQ(man.surfaces[0].vertices[3], nullptr);
    EXPECT_EQ(man.surfaces[1].vertices[3], &man.work[5]);
    EXPECT_EQ(man.textures[0].colour, 2u);
    EXPECT_EQ(man.textures[1].type, NOD_TEXTURE_KIT_PART);
    EXPECT_FLOAT_EQ(man.surfaces[1].u[0], 0.5f);  // no kit sizes here: 0-1 as it was
    man.points[0].x = 99;
    NOD_LoadWorld(&man, "man.nod", kDir, NOD_TEXTURES_KIT);  // loaded: nothing again
    EXPECT_EQ(man.points[0].x, 99);

    NOD_FreeSkinned(&man);
    NOD_FreeWorld1(&prop);
    EXPECT_EQ(prop, nullptr);
    EXPECT_EQ(man.pointCount, 0);
    EXPECT_EQ(MemoryStats().blocks, before.blocks);
    EXPECT_EQ(MemoryStats().bytes, before.bytes);
}

TEST(Nod, TextureNamesChooseColoursMarkersAndPlaces)
{
    struct Case {
        const char* name;
        uint32_t flags;
        int16_t type;
        uint32_t colour;
    };
    const Case cases[] = {
        {"R255G255B255", 0, NOD_TEXTURE_COLOUR, 1},
        {"R0G0B255", 0, NOD_TEXTURE_COLOUR, 2},
        {"R0G255B0", 0, NOD_TEXTURE_COLOUR, 3},
        {"R255G0B0", 0, NOD_TEXTURE_COLOUR, 0xF800},
        {"R128G64B32", 0, NOD_TEXTURE_COLOUR, (15u << 11) + (15u << 5) + 3},
        {"_Lpost", 0x12, NOD_TEXTURE_SIDE_MARKER, 0},
        {"_lpost", 0x12, NOD_TEXTURE_SIDE_MARKER, 0},
        {"_Rpost", 0x22, NOD_TEXTURE_SIDE_MARKER, 0},
        {"_Rpost", 0x12, NOD_TEXTURE_NAMED, 0},
        {"_Lpost", 0x02, NOD_TEXTURE_NAMED, 0},
        {"MAIN1", 0x02, NOD_TEXTURE_NAMED, 0},
    };
    for (const Case& c : cases) {
        NodTexture t{};
        std::strncpy(t.name, c.name, sizeof(t.name) - 1);
        NOD_LoadTextures(&t, "dir", c.flags);
        EXPECT_EQ(t.type, c.type) << c.name;
        EXPECT_EQ(t.colour, c.colour) << c.name;
    }
}

// Bit flips and cuts of a skinned model: each is refused (exit 1) or loads; never a crash or a
// sanitizer report.
TEST(NodFuzz, DamagedSkinnedModelsAreRefusedOrLoaded)
{
    const std::vector<uint8_t> good = MkNodBytes(Skinned());
    std::mt19937 random(48);
    int32_t loaded = 0;
    int32_t refused = 0;
    for (int32_t n = 0; n < 300; ++n) {
        std::vector<uint8_t> bytes = good;
        if (n % 4 == 3) {
            bytes.resize(random() % bytes.size());
        } else {
            for (int32_t flips = 1 + n % 3; flips > 0; --flips)
                bytes[random() % bytes.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
        }
        const pid_t child = fork();
        if (child == 0) {
            std::freopen("/dev/null", "w", stderr);
            LoadSkinned(bytes);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status)) << "case " << n;
        ASSERT_LE(WEXITSTATUS(status), 1) << "case " << n;
        (WEXITSTATUS(status) == 0 ? loaded : refused) += 1;
    }
    EXPECT_GT(loaded, 20);
    EXPECT_GT(refused, 100);
}

}  // namespace
