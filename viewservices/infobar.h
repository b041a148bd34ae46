// viewservices/infobar.h: the information bar over the 3D views: what just happened on the pitch or
// what a view key changed, as one line of text that slides in and out.
#pragma once

#include <cstdint>

constexpr int32_t INFOBAR_TEXT_BYTES = 128;  // at most 127 characters
constexpr int32_t INFOBAR_OFFSET_MAX = 98;

// Types the view keys pass; the engine passes 0-15.
enum InfoBarType : int32_t {
    INFOBAR_SUBSTITUTE = -6,
    INFOBAR_PANORAMIC = -5,
    INFOBAR_NAMES = -4,
    INFOBAR_QUICK_PREVIEW = -3,
    INFOBAR_MODEL_DETAIL = -2,
    INFOBAR_SCREEN_SIZE = -1,
};

struct InfoBarState {
    int32_t type;  // the last type given
    char text[INFOBAR_TEXT_BYTES];
    int32_t framesLeft;  // 0: no bar
    int32_t offset;      // 0-98, how far the bar has slid in
};

extern InfoBarState InfoBarInfo;  // owned by InfoBar: read it here

void InfoBar_Init();  // no bar, no text, type 0
void InfoBar_Uninit();

// Sets the type and the text and starts the bar: 100 frames for the view keys' types, 150 for
// the pitch's, 50 for any while quick preview is on. a and b are person numbers (0-36) or, for
// type -1, the screen size; c a text number. Another type is fatal
// "Error: InfoBar(): unknown type (%d)\n".
void InfoBar(int32_t type, int32_t a, int32_t b, int32_t c);
// The engine's three-argument form: the text of a booking, sending-off, goal, own goal or
// substitution comes from the type.
void InfoBar_FromEngine(int32_t type, int32_t person1, int32_t person2);
// Once per frame: slides in by 2 up to 98 while frames remain (one fewer each time), else out
// by 2 down to 0 (or 1).
void InfoBar_Animate();
void InfoBar_Reset();  // offset and frames to 0
int32_t InfoBar_GetOffset();
const char* InfoBar_GetText();
int32_t InfoBar_GetType();
