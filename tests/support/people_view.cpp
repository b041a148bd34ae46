// tests/support/people_view.cpp: the people's drawing set-up shared by the tests and benchmarks.
#include "tests/support/people_view.h"

#include <cstring>

#include "engine/gfx.h"
#include "tests/support/kit_match.h"
#include "tests/support/object_scene.h"
#include "viewservices/motioncap.h"
#include "viewservices/viewflags.h"
#include "viewservices/viewscreen.h"
#include "vx256/fontgame.h"
#include "vx256/gamepal.h"
#include "vx256/kittextures.h"
#include "vx256/mgraphic.h"
#include "vx256/playermodel.h"
#include "vx256/softspan.h"
#include "vx256/textures.h"

ScopedPeopleView::ScopedPeopleView()
{
    FONT_Init();
    MGraphic_Init();
    KitTextures_Init();
    ViewFlags_Init();
    KitMatch_SetUpBlock();
    TEXT_ClearTable();
    KITPLR_LoadAllTextures();
    LoadMotionCaptures();
    LoadPlayerModels();
    ViewScreen_Init();
    SoftSpan_Init();
    ObjectScene_Begin();
}

ScopedPeopleView::~ScopedPeopleView()
{
    ObjectScene_End();
    SoftSpan_Uninit();
    ViewScreen_Uninit();
    FreePlayerModels();
    FreeMotionCaptures();
    TEXT_FreeKitTextures();
    ViewFlags_Init();
    KitTextures_Uninit();
    MGraphic_Uninit();
    FONT_Uninit();
}

void PeopleView_UseInGamePalette(uint8_t grass)
{
    GamePalette_LoadPiece("PALETTES\\ingame\\master", 0, 255, 0);
    GamePalette_LoadPiece("PALETTES\\ingame\\skinhair", 10, 14, 10);
    GamePalette_LoadPiece("PALETTES\\ingame\\skinhair", 156, 221, 156);
    SetupKitPalettes();
    const uint8_t greens[2][3] = {{5, 18, 6}, {12, 34, 13}};
    std::memcpy(GamePalette + 3 * GAMEPAL_SHADOW_COLOUR, greens[0], 3);
    std::memcpy(GamePalette + 3 * grass, greens[1], 3);
    SetPalette(GamePalette);
}
