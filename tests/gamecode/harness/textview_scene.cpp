// tests/gamecode/harness/textview_scene.cpp: the text match view built on the headless host.
#include "tests/gamecode/harness/textview_scene.h"

#include <cstdio>

#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/textview.h"
#include "menus/machine.h"
#include "tests/gamecode/harness/harness.h"
#include "viewservices/timedevents.h"

ScopedTextView::ScopedTextView()
{
    ShutdownMenuGraphics();
    MatchBlocks_Init();
    MatchEngine_Init();
    MatchPresentation_SetDefaults();
    MatchKeys_Init();
    TimedEvents_Init();
    TextView_Init();
    MatchDayBuilder builder;
    builder.viewMode = VIEW_TEXT;
    builder.Write();
    SetPitchConstants();
    SeatEveryPersonInHisPlace();
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot)
            Person_PlaceAt(side * MATCH_PERSONS_PER_SIDE + slot, 300 + 80 * slot,
                           side == 0 ? 600 : 1500);
    }
    Match.periodLength = 15000;
    Analysis_Init();
}

ScopedTextView::~ScopedTextView()
{
    Analysis_Destroy();
    TextView_Uninit();
    TimedEvents_Uninit();
    MatchKeys_Uninit();
    MatchEngine_Uninit();
    MatchBlocks_Uninit();
}
