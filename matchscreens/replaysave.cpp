// matchscreens/replaysave.cpp: the replay slots over the recorder's buffers, and the save screen.
#include "matchscreens/replaysave.h"

#include <cstdio>
#include <cstring>

#include "engine/fatal.h"
#include "engine/script.h"
#include "engine/userfile.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchloop.h"
#include "matchscreens/replay.h"
#include "menus/machine.h"
#include "menus/saveload.h"
#include "menus/vtmenu.h"

ReplaySlotHeader ReplaySlotHeaders[REPLAY_SLOT_COUNT];
int16_t ReplaySlotSelected = -1;
ReplaySaveServices ReplaySaveHooks;

namespace {

constexpr uint8_t LEFT_MIDDLE = 0x54;
constexpr int32_t COLOUR_NORMAL = 0, COLOUR_SELECTED = 8;
constexpr int32_t BUTTON_LINE = 1;
constexpr int32_t TEXT_TITLE = 126, TEXT_QUIT = 0, TEXT_SAVE = 89;
constexpr int32_t LINE_X = 150, LINE_Y = 78, LINE_PITCH = 26, LINE_W = 340, LINE_H = 22;
constexpr int32_t TITLE_X = 320, TITLE_Y = 26;
constexpr int32_t CODE_QUIT = REPLAY_SLOT_COUNT, CODE_SAVE = REPLAY_SLOT_COUNT + 1;

struct Button {
    int16_t x, y, w, h;
    int16_t textNo;
};
constexpr Button kQuit = {380, 364, 110, 30, TEXT_QUIT};
constexpr Button kSave = {150, 364, 110, 30, TEXT_SAVE};

struct ReplaySaveState {
    bool screenRunning;
};

ReplaySaveState s_save;

void ShowMessage(int32_t textNo) { DoMessageBox(GetMessageText(textNo), 0); }

int32_t LineY(int32_t slot) { return LINE_Y + LINE_PITCH * slot; }

void DrawButton(const Button& b)
{
    VT_DrawButton(b.x, b.y, b.w, b.h, BUTTON_LINE);
    VT_SetFontColour(COLOUR_NORMAL);
    VT_DrawLabelNo(b.x, b.y, b.w, b.h, b.textNo);
}

void DrawSaveScreen(int32_t, int32_t, int32_t, int32_t)
{
    VT_SetFontColour(COLOUR_NORMAL);
    VT_DrawTextNo(TITLE_X, TITLE_Y + LINE_H / 2, LEFT_MIDDLE, TEXT_TITLE);
    for (int32_t slot = 0; slot < REPLAY_SLOT_COUNT; ++slot) {
        VT_DrawButton(LINE_X, LineY(slot), LINE_W, LINE_H, BUTTON_LINE);
        VT_SetFontColour(slot == ReplaySlotSelected ? COLOUR_SELECTED : COLOUR_NORMAL);
        VT_DrawTextAddr(LINE_X, LineY(slot) + LINE_H / 2, LEFT_MIDDLE,
                        ReplaySlotHeaders[slot].description);
    }
    DrawButton(kQuit);
    DrawButton(kSave);
}

// A click rereads every description, so one composed for an earlier click is dropped.
int32_t SlotLineEvent(const InGameMenuEvent* event)
{
    if (event->event == VT_EVENT_ENTER || event->event == VT_EVENT_LEAVE) return VT_BREAK_0;
    if (event->event != VT_EVENT_PRESS) return VT_CONTINUE;
    const int32_t slot = event->code;
    Replay_ReadHeaders();
    std::memcpy(ReplaySlotHeaders[slot].tag, REPLAY_SLOT_TAG, sizeof REPLAY_SLOT_TAG);
    ReplaySave_Describe(slot, ReplaySlotHeaders[slot].description);
    ReplaySlotSelected = static_cast<int16_t>(slot);
    return VT_BREAK_0;
}

int32_t SaveEvent(const InGameMenuEvent* event)
{
    if (event->event != VT_EVENT_PRESS || ReplaySlotSelected < 0) return VT_CONTINUE;
    InGameMenuId = IGM_CLOSED;
    if (Replay_Save(ReplaySlotSelected) != USERFILE_OK) ReplaySaveHooks.message(TEXT_SAVE_FAILED);
    return VT_BREAK_1;
}

int32_t QuitEvent(const InGameMenuEvent* event)
{
    if (event->event != VT_EVENT_PRESS) return VT_CONTINUE;
    InGameMenuId = IGM_CLOSED;
    return VT_BREAK_1;
}

void OpenSaveScreen()
{
    Replay_ReadHeaders();
    ReplaySlotSelected = -1;
}

void CheckBuffer(const char* function, int32_t slot)
{
    if (ReplayBuffer == nullptr)
        FatalError("%s(): no replay buffer for slot %d", function, static_cast<int>(slot));
}

}  // namespace

void ReplaySave_Init()
{
    s_save = {};
    ReplaySlotSelected = -1;
    ReplaySaveHooks = {ShowMessage};
}

void ReplaySave_Uninit() { ReplaySave_Init(); }

void ReplaySave_Start()
{
    ReplaySave_Init();
    ScriptRegisterValue("replaypos", [] { return ReplayPosition; });
    ScriptRegisterValue("replayframes", [] { return ReplayRecorder.frameCount; });
    ScriptRegisterValue("replayscreen", [] { return s_save.screenRunning ? 1 : 0; });
    ScriptRegisterValue("replaystate",
                        [] { return static_cast<int32_t>(MatchShared.replayState); });
}

void Replay_ReadHeaders() { ReplayFile_ReadHeaders(ReplaySlotHeaders); }

int32_t Replay_Load(int32_t slot)
{
    CheckBuffer("Replay_Load", slot);
    ReplaySlotHeader& entry = ReplaySlotHeaders[slot >= 0 && slot < REPLAY_SLOT_COUNT ? slot : 0];
    MatchDayBlock* block = GetMatchSidesBlock();
    const int32_t result = ReplayFile_Load(slot, &entry, &ReplayRecorder, block, ReplayBuffer);
    // Whatever view the match was played in, a saved replay plays in the 3D view.
    if (result == REPLAYFILE_LOADED) block->viewMode = VIEW_3D;
    return result;
}

int32_t Replay_Save(int32_t slot)
{
    if (slot < 0 || slot >= REPLAY_SLOT_COUNT)
        FatalError("Replay_Save(): no replay slot %d", static_cast<int>(slot));
    CheckBuffer("Replay_Save", slot);
    return ReplayFile_Save(slot, ReplaySlotHeaders[slot], ReplayRecorder, *GetMatchSidesBlock(),
                           ReplayBuffer);
}

void ReplaySave_Describe(int32_t slot, char (&description)[REPLAY_DESCRIPTION_BYTES])
{
    const MatchDayBlock* block = GetMatchSidesBlock();
    const auto liveTicks = static_cast<uint32_t>(static_cast<int32_t>(LiveFrame.periodTicks));
    const uint32_t seconds = Match_ClockSecondsAt(liveTicks);
    constexpr int nameMax = MATCH_TEAM_NAME_BYTES - 1;
    std::snprintf(description, sizeof description, "%2d: %.*s %d - %d %.*s, %u:%02u", slot + 1,
                  nameMax, block->sides[0].teamName, LiveFrame.goals[0], LiveFrame.goals[1],
                  nameMax, block->sides[1].teamName, seconds / 60, seconds % 60);
}

const InGameScreen& ReplaySave_Screen()
{
    static const InGameMapBuilder map = [] {
        InGameMapBuilder b{};
        b.Add(VTI_BACKGROUND, VTD_VALUE, VT_PASS_STATIC, 0, 0, 0, 0, 0, nullptr);
        b.Custom(DrawSaveScreen);
        for (int32_t slot = 0; slot < REPLAY_SLOT_COUNT; ++slot)
            b.Region(slot, LINE_X, LineY(slot), LINE_W, LINE_H, SlotLineEvent);
        b.Region(CODE_QUIT, kQuit.x, kQuit.y, kQuit.w, kQuit.h, QuitEvent);
        b.Region(CODE_SAVE, kSave.x, kSave.y, kSave.w, kSave.h, SaveEvent);
        b.Finish();
        return b;
    }();
    static const InGameScreen screen = {map.items, OpenSaveScreen, nullptr, nullptr};
    return screen;
}

void InGame_ReplayMenu()
{
    s_save.screenRunning = true;
    InGameScreen_Run(ReplaySave_Screen());
    s_save.screenRunning = false;
}
