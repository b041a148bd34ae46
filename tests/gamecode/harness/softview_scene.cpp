// tests/gamecode/harness/softview_scene.cpp: the software view over a seeded match.
#include "tests/gamecode/harness/softview_scene.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/mouse.h"
#include "engine/pakfile.h"
#include "engine/random.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/softview.h"
#include "matchscreens/vtback.h"
#include "tests/support/gfx_run.h"
#include "tests/support/kit_match.h"
#include "tools/mkdata/nodwriter.h"
#include "viewservices/infobar.h"
#include "viewservices/timedevents.h"
#include "viewservices/viewscreen.h"
#include "vx256/fontgame.h"
#include "vx256/mgraphic.h"
#include "vx256/softraster.h"
#include "vx256/softspan.h"

namespace {

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

// The generated hard-disk archive's palettes, match graphics, fonts, texts and the built-in tactics
// (which a match reads as it plays), read through the archive layer.
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
            && name.rfind("lang\\", 0) != 0 && name.rfind("tactics\\", 0) != 0)
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

}  // namespace

// The seeded match both 3D views' scenes show: 300 ticks in, the kits and looks the generated
// textures have, two names for the score line and named players.
void SetUpViewedKickOff()
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
            std::snprintf(side.entries[e].name, sizeof(side.entries[e].name), "J. Martel%c",
                          'A' + e);
}

ScopedSoftView::ScopedSoftView() : m_folder(DataFolder(m_dir))
{
    SetUpViewedKickOff();
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
    SoftView_Init();
    VTMenuInit();
    VT_SetBackEnd(&SoftVTBackEnd);
    m_before = MemoryStats();
    Build();
}

ScopedSoftView::~ScopedSoftView()
{
    Tear();
    MatchKeys_Uninit();
    TimedEvents_Uninit();
    InfoBar_Uninit();
    ViewScreen_Uninit();
    MGraphic_Uninit();
    FONT_Uninit();
    SoftRaster_Uninit();
    VTMenuUninit();
    SoftSpan_Uninit();
    SoftView_Uninit();
    UninitMouseDriver();
    SetModeBySize(640, 480, DDRAW_KIND_8BIT);
}

void ScopedSoftView::Build()
{
    FirstCreateGameEnvironment();
    CreateGameEnvironment();
}
void ScopedSoftView::Tear()
{
    DestroyGameEnvironment();
    FirstDestroyGameEnvironment();
}
void ScopedSoftView::Frame()
{
    UpdateGameFrame();
    DrawGameFrame();
    PresentNow();
}
