// tests/gamecode/harness/deviceview_scene.cpp: the 3D-device view over a seeded match.
#include "tests/gamecode/harness/deviceview_scene.h"

#include <cstdlib>
#include <string>

#include "app/deviceview.h"
#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/host/host.h"
#include "engine/mouse.h"
#include "engine/options.h"
#include "engine/timer.h"
#include "game/matchblocks.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "generated/build_paths.h"
#include "matchscreens/matchkeys.h"
#include "tests/gamecode/harness/softview_scene.h"
#include "tests/support/gfx_run.h"
#include "viewservices/infobar.h"
#include "viewservices/timedevents.h"
#include "vxd3d/d3dware.h"

namespace {

bool s_built = false;

}  // namespace

ScopedDeviceView::ScopedDeviceView(bool build, const HostFakeAdapter* adapter)
{
    SetUpViewedKickOff();
    GetMatchSidesBlock()->secondLeg = 0;
    m_menus.emplace(DDRAW_KIND_16BIT, ScopedMenus::GeneratedDataFolder(), true, adapter);
    RestoreGraphicMode();
    InitMouseDriver();
    InfoBar_Init();
    TimedEvents_Init();
    MatchKeys_Init();
    Options.video.card = 0;
    Options.video.device3D = 0;
    Options.video.mode = GfxFindMode(640, 480, DDRAW_KIND_16BIT);
    Options.video.mipMapping = 1;
    Options.video.textureFiltering = 0;
    Options.video.lighting = 1;
    Options.video.fog = 0;
    Options.video.textureDetail = 1;
    DeviceView_Register();
    m_before = MemoryStats();
    if (build) Build();
}

ScopedDeviceView::~ScopedDeviceView()
{
    Tear();
    MatchKeys_Uninit();
    TimedEvents_Uninit();
    InfoBar_Uninit();
    UninitMouseDriver();
    Options.video = {};
}

void ScopedDeviceView::Build()
{
    D3DGame_Init();
    s_built = true;
}

void ScopedDeviceView::Tear()
{
    if (!s_built) return;
    D3DGame_Destroy();
    s_built = false;
}

bool ScopedDeviceView::Frame()
{
    const int32_t before = D3DGame_Frames();
    D3DGame_Update();
    D3DGame_Render();
    PresentNow();
    return D3DGame_Frames() > before;
}

uint64_t DeviceFrameHash(const char* name, uint64_t golden)
{
    const uint64_t hash = HostFrameHash();
    const std::string path = PELLORAN_BUILD_DIR "/" + std::string(name) + ".png";
    if (hash != golden || std::getenv("PELLORAN_WRITE_FRAMES")) HostWriteFramePng(path.c_str());
    return hash;
}
