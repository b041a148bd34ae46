// The software 3D view built and drawn in process over a seeded match, through its own hooks: the
// frame from the interim camera (golden), the heads-up display's rules, and rebuilds that leave
// memory where it was.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/host/host.h"
#include "engine/memory.h"
#include "engine/mouse.h"
#include "engine/pakfile.h"
#include "engine/random.h"
#include "engine/timer.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "generated/build_paths.h"
#include "generic/infobar.h"
#include "generic/matchkeys.h"
#include "generic/timedevents.h"
#include "generic/viewscreen.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/gfx_run.h"
#include "tests/support/kit_match.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "tools/mkdata/nodwriter.h"
#include "vx256/fontgame.h"
#include "vx256/mgraphic.h"
#include "vx256/softhud.h"
#include "vx256/softraster.h"
#include "vx256/softspan.h"
#include "vx256/softview.h"
#include "vx256/world3d.h"

namespace {

constexpr uint64_t kKickOffHash = 0xe46d6c2ca3a74cd0ull;

std::vector<uint8_t> Texture(uint8_t colour)
{
    std::vector<uint8_t> bytes = {8, 0, 8, 0};
    bytes.resize(4 + 64, colour);
    return bytes;
}

// A unit quad standing on the ground: what the goal parts, the flag and the balls stand in for
// until their own models come.
std::vector<uint8_t> StandIn()
{
    MkNodModel m;
    m.points = {{-1, 0, 0}, {1, 0, 0}, {1, 0, 1}, {-1, 0, 1}};
    MkNodSurface s;
    s.flags = 0x01;
    s.corners = {0, 1, 2, 3};
    s.texture = 0;
    s.u = {0, 1, 1, 0};
    s.v = {1, 1, 0, 0};
    m.surfaces = {s};
    m.textures = {"white.gfx"};
    return MkNodBytes(m);
}

// The generated hard-disk archive's palettes, match graphics, fonts and texts, read through the
// archive layer.
std::vector<TestPakFile> GeneratedHardDiskFiles()
{
    const std::string base = ScopedMenus::GeneratedDataFolder() + "/pakfiles/hdcommon";
    const int fd = open((base + ".pkd").c_str(), O_RDONLY);
    PakIndex index;
    std::string damaged, reason;
    const bool read = PakReadIndex(base, fd, &index, &damaged, &reason);
    close(fd);
    EXPECT_TRUE(read) << reason;
    ScopedArchives archives;
    std::vector<TestPakFile> files;
    for (const PakEntry& entry : index.entries) {
        const std::string name = index.Name(entry);
        if (name.rfind("palettes\\", 0) != 0 && name.rfind("miscgfx\\", 0) != 0
            && name.rfind("lang\\", 0) != 0)
            continue;
        uint8_t* block = nullptr;
        const int32_t length = PakLoadFile(name.c_str(), &block);
        files.push_back({name, std::vector<uint8_t>(block, block + length)});
        FreeMemory(&block);
    }
    return files;
}

// A data folder whose hard-disk archive holds the stand-ins and what the view reads of the
// generated one, beside the generated data-disc archive.
std::string DataFolder(const TempDir& dir)
{
    std::vector<TestPakFile> files = GeneratedHardDiskFiles();
    for (const char* part : {"Gback", "Gtop", "Gleft", "Gright"})
        files.push_back(
            {std::string("vxdata\\software\\stadium\\models\\misc\\goal\\") + part + ".nod",
             StandIn()});
    files.push_back({"vxdata\\software\\stadium\\models\\misc\\flag\\flag.nod", StandIn()});
    files.push_back({"vxdata\\software\\simple\\model\\116ball.nod", StandIn()});
    files.push_back({"vxdata\\software\\simple\\model\\cone.nod", StandIn()});
    for (const char* folder :
         {"stadium\\TEXTURES\\goal00", "stadium\\TEXTURES", "simple\\textures"})
        files.push_back({std::string("vxdata\\software\\") + folder + "\\white.gfx", Texture(20)});
    WriteTestPak(dir.Path(), files);
    const std::string generated = ScopedMenus::GeneratedDataFolder();
    for (const char* ext : {".pki", ".pkd"})
        std::filesystem::create_symlink(generated + "/pakfiles/cdcommon" + ext,
                                        dir.Path("pakfiles/cdcommon") + ext);
    return dir.Path();
}

// The seeded match after 300 ticks, the presentation's modules started, the view built.
class ScopedSoftView {
public:
    ScopedSoftView() : m_folder(DataFolder(m_dir))
    {
        MatchDayBuilder{.viewMode = VIEW_3D}.Write();
        SetPitchConstants();
        SRand(46);
        Match_SetupPeriod();
        RunTicks(300);
        Match_FillRenderList();
        // Kits and looks the generated textures have, and two names for the score line.
        KitMatch_SetUpBlock();
        KitDesign away = KitMatch_Design(7, 2, 2, 2, 2, 2);
        std::swap(away.colours[0][0], away.colours[0][2]);  // blue first
        KitMatch_SetKits(KitMatch_Design(3, 1, 1, 1, 1, 1), away);
        std::strcpy(GetMatchSidesBlock()->sides[0].teamName, "Rives");
        std::strcpy(GetMatchSidesBlock()->sides[1].teamName, "Valbourg");
        for (MatchSide& side : GetMatchSidesBlock()->sides)
            for (int32_t e = 0; e < MATCH_ENTRY_COUNT; ++e)
                std::snprintf(side.entries[e].name, sizeof(side.entries[e].name), "J. Martel%d", e);
        m_menus.emplace(DDRAW_KIND_8BIT, m_folder);
        TextMess_Load();
        RestoreGraphicMode();
        InitMouseDriver();
        FONT_Init();
        MGraphic_Init();
        ViewScreen_Init();
        InfoBar_Init();
        TimedEvents_Init();
        MatchKeys_Init();
        SoftSpan_Init();
        SoftRaster_Init();
        m_before = MemoryStats();
        Build();
    }
    ~ScopedSoftView()
    {
        Tear();
        MatchKeys_Uninit();
        TimedEvents_Uninit();
        InfoBar_Uninit();
        ViewScreen_Uninit();
        MGraphic_Uninit();
        FONT_Uninit();
        SoftRaster_Uninit();
        SoftSpan_Uninit();
        UninitMouseDriver();
        SetModeBySize(640, 480, DDRAW_KIND_8BIT);
    }
    ScopedSoftView(const ScopedSoftView&) = delete;
    ScopedSoftView& operator=(const ScopedSoftView&) = delete;

    static void Build()
    {
        FirstCreateGameEnvironment();
        CreateGameEnvironment();
    }
    static void Tear()
    {
        DestroyGameEnvironment();
        FirstDestroyGameEnvironment();
    }
    static void Frame()
    {
        UpdateGameFrame();
        DrawGameFrame();
        PresentNow();
    }
    const MemoryStatistics& Before() const { return m_before; }

private:
    TempDir m_dir;
    std::string m_folder;
    ScopedMatch m_match;
    std::optional<ScopedMenus> m_menus;
    MemoryStatistics m_before{};
};

TEST(SoftViewScene, TheKickOffFrameFromTheTouchlineMatchesItsGoldenHash)
{
    ScopedSoftView view;
    ScopedSoftView::Frame();
    EXPECT_EQ(SoftView_Frames(), 1);
    const uint64_t hash = HostFrameHash();
    const std::string path = PELLORAN_BUILD_DIR "/softview_kickoff.png";
    if (hash != kKickOffHash || std::getenv("PELLORAN_WRITE_FRAMES"))
        HostWriteFramePng(path.c_str());
    EXPECT_EQ(hash, kKickOffHash) << "0x" << std::hex << hash << ", written to " << path;
}

TEST(SoftViewScene, TwentyRebuildsLeaveMemoryWhereItWas)
{
    ScopedSoftView view;
    ScopedSoftView::Frame();
    ScopedSoftView::Tear();
    const MemoryStatistics after = MemoryStats();
    EXPECT_EQ(after.blocks, view.Before().blocks);
    EXPECT_EQ(after.bytes, view.Before().bytes);
    for (int32_t round = 0; round < 20; ++round) {
        ScopedSoftView::Build();
        ScopedSoftView::Frame();
        ScopedSoftView::Tear();
        ASSERT_EQ(MemoryStats().blocks, after.blocks) << round;
        ASSERT_EQ(MemoryStats().bytes, after.bytes) << round;
    }
    ScopedSoftView::Build();
}

// The heads-up display's rules: the shoot-out's goals in period 4, every overview dot inside its
// picture, and a score line of two 39-character names kept inside the game screen.
TEST(SoftViewScene, TheScoreLineTheOverviewAndLongNamesStayInTheirPlaces)
{
    ScopedSoftView view;
    Match.score[0] = 2;
    Match.score[1] = 1;
    Match.shootOutGoals[0] = 4;
    Match.shootOutGoals[1] = 5;
    char text[128];
    SoftHud_ScoreText(text, sizeof(text));
    EXPECT_STREQ(text, "Rives  2 - 1  Valbourg");
    Match.period = 4;
    SoftHud_ScoreText(text, sizeof(text));
    EXPECT_STREQ(text, "Rives  4 - 5  Valbourg");

    const MGraphicItem& overview = MGraphGetItem(MGRAPH_IGSCAN);
    for (int32_t p = 0; p <= MATCH_BALL; ++p) {
        if (p >= 22 && p != MATCH_BALL) continue;
        int32_t c = -1, r = -1;
        SoftHud_OverviewPoint(RenderList[p].x, RenderList[p].y, &c, &r);
        EXPECT_TRUE(c >= 0 && c < overview.width && r >= 0 && r < overview.height) << p;
    }
    // The four corners of the pitch land on the picture's corners.
    int32_t c = 0, r = 0;
    SoftHud_OverviewPoint(156, 122, &c, &r);
    EXPECT_EQ(c, overview.width - 1);
    EXPECT_EQ(r, 0);
    SoftHud_OverviewPoint(1436, 2042, &c, &r);
    EXPECT_EQ(c, 0);
    EXPECT_EQ(r, overview.height - 1);

    // The longest names the block holds, wider together than the view: cut at the buffer's edge
    // (the sanitizer build sees any write past it).
    for (MatchSide& side : GetMatchSidesBlock()->sides) {
        std::memset(side.teamName, 'W', MATCH_TEAM_NAME_BYTES - 1);
        side.teamName[MATCH_TEAM_NAME_BYTES - 1] = '\0';
    }
    ViewFlags.panoramic = 1;
    ScopedSoftView::Frame();
    EXPECT_EQ(SoftView_Frames(), 1);
    ViewFlags.panoramic = 0;
}

// The view's bytes of a rectangle of view positions, after one more frame.
std::vector<uint8_t> FramePart(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ScopedSoftView::Frame();
    const GameScreenRecord s = GetGameScreen();
    std::vector<uint8_t> bytes;
    for (int32_t row = y; row < y + height; ++row) {
        const uint8_t* p = s.pixels + static_cast<size_t>(row + GAMESCREEN_MARGIN) * s.pitch;
        bytes.insert(bytes.end(), p + x + GAMESCREEN_MARGIN, p + x + GAMESCREEN_MARGIN + width);
    }
    return bytes;
}

// The replay controls show only in a replay the player asked for; the notices by their states;
// a ground mark where the pitch point lies.
TEST(SoftViewScene, ReplayControlsNoticesAndGroundMarksShowWhenTheirStatesSaySo)
{
    ScopedSoftView view;
    const int32_t barTop = FindTopOfReplayBar();
    const auto bar = [&] { return FramePart(0, barTop, 640, 480 - barTop); };
    const auto notices = [] { return FramePart(0, 30, 320, 60); };
    const std::vector<uint8_t> plainBar = bar(), plainNotices = notices();
    struct Case {
        const char* name;
        uint8_t playing;
        uint16_t state;
        uint16_t menuRequest;
        bool barShown;
    };
    const Case cases[] = {
        {"a replay from F2", 1, REPLAY_THEN_NOTHING, 0, true},
        {"a highlight", 1, REPLAY_HIGHLIGHT, 0, false},
        {"a replay with a menu asked for", 1, REPLAY_THEN_NOTHING, 5, false},
        {"no replay", 0, REPLAY_NORMAL, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MatchShared.replayPlaying = c.playing;
        MatchShared.replayState = c.state;
        MatchShared.menuRequest = c.menuRequest;
        EXPECT_EQ(bar() != plainBar, c.barShown);
        EXPECT_EQ(notices() != plainNotices, c.playing != 0);  // text 126 under the score line
    }
    MatchShared = {};
    // Quick preview's notice blinks with bit 6 of the tick.
    // (The pacing starts again after each jump of the tick, so that the frame is not skipped.)
    ViewFlags.quickPreview = 1;
    TickCount = (TickCount.load() | 127u) + 1 + 64;
    SoftView_StartPacing();
    EXPECT_NE(notices(), plainNotices);
    TickCount = (TickCount.load() | 127u) + 1;
    SoftView_StartPacing();
    EXPECT_EQ(notices(), plainNotices);
    ViewFlags.quickPreview = 0;

    int32_t x = 0, y = 0;
    AddGroundMark(1050, 1000, 1.0, 0.0, 0);  // where nobody stands
    ASSERT_EQ(ProjectWorldPoint(0, 1050, 1000, &x, &y), 1);
    const std::vector<uint8_t> marked = FramePart(x - 64 - 4, y - 64 - 4, 9, 9);
    ClearGroundMarks();
    EXPECT_NE(FramePart(x - 64 - 4, y - 64 - 4, 9, 9), marked);
}

}  // namespace
