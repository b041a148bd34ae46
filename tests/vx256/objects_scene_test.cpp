// A seeded match's render objects seen from the right touchline, drawn through the geometry
// stage, the display list and the walkers. The presented frame's hash is the golden value; the
// frame is written as a PNG when it differs.
#include <cmath>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/host/host.h"
#include "engine/random.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchrun.h"
#include "gamecode/presentation.h"
#include "generated/build_paths.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/gfx_run.h"
#include "tests/support/menu_run.h"
#include "tests/support/object_scene.h"
#include "viewservices/viewscreen.h"
#include "vx256/objects.h"
#include "vx256/polyman.h"
#include "vx256/softspan.h"

namespace {

constexpr uint64_t kSceneHash = 0x2c257d1af22b089cull;

// The person's waist in view pixels; false when it lies outside the view.
bool WaistPixel(int32_t object, int32_t& x, int32_t& y, float& across)
{
    const RenderObject& o = RenderList[object];
    const ViewPoint waist = Polyman_ToView(o.x, o.y, o.height + PERSON_HEAD_HEIGHT / 2);
    if (Polyman_Outcode(waist.x, waist.y, waist.z) != 0) return false;
    const PolyVertex at = {waist.x, waist.y, waist.z, 0, 0};
    SoftVertex pixel;
    ProjectVertices(&at, &pixel, 1, VertexOrder::AsStored);
    x = pixel.x / 16;
    y = pixel.y / 16;
    across = pixel.x / 16.0f;
    return true;
}

TEST(ObjectScene, ASeededMatchFromTheTouchlineMatchesItsGoldenHash)
{
    ScopedMatch match;
    MatchDayBuilder{}.Write();
    SetPitchConstants();
    SRand(46);
    Match_SetupPeriod();
    RunTicks(300);
    // The referee waits for the kick-off away from the centre circle: put him behind the kick-off
    // pair, so that people of different colours stand one behind the other.
    Person_PlaceAt(MATCH_REFEREE, 700, 1082);
    Match_FillRenderList();

    ScopedMenus menus(DDRAW_KIND_8BIT);
    ViewScreen_Init();
    SoftSpan_Init();
    ObjectScene_Begin();
    ObjectScene_Draw();

    // Where two people of different colours stand within two pixels across, the nearer one shows
    // at his waist.
    int32_t overlaps = 0;
    const GameScreenRecord view = Polyman_ViewScreen();
    for (const DrawnScenePerson& near : ObjectScene_DrawnPeople()) {
        int32_t x = 0, y = 0;
        float across = 0;
        if (!WaistPixel(near.object, x, y, across)) continue;
        for (const DrawnScenePerson& far : ObjectScene_DrawnPeople()) {
            int32_t farX = 0, farY = 0;
            float farAcross = 0;
            if (far.depth <= near.depth || far.colour == near.colour
                || !WaistPixel(far.object, farX, farY, farAcross)
                || std::fabs(farAcross - across) > 2)
                continue;
            ++overlaps;
            EXPECT_EQ(view.pixels[y * view.pitch + x], near.colour) << near.object;
        }
    }
    EXPECT_GT(overlaps, 0);

    ShowDBuffer(0, 0, GameScreen_Buffer(), GAMESCREEN_MARGIN, GAMESCREEN_MARGIN, 640, 480);
    PresentNow();
    const uint64_t hash = HostFrameHash();
    const std::string path = PELLORAN_BUILD_DIR "/objects_scene.png";
    if (hash != kSceneHash || std::getenv("PELLORAN_WRITE_FRAMES")) HostWriteFramePng(path.c_str());
    EXPECT_EQ(hash, kSceneHash) << "0x" << std::hex << hash << ", written to " << path;

    ObjectScene_End();
    SoftSpan_Uninit();
    ViewScreen_Uninit();
}

}  // namespace
