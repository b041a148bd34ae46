// viewservices/timedevents.h: news from the other grounds of the match day: each stored incident is
// shown for 4 seconds once the watched match's clock reaches its minute.
#pragma once

#include <cstdint>

constexpr int32_t TIMEDEVENT_TEXT_BYTES = 512;
constexpr uint32_t TIMEDEVENT_SHOW_TICKS = 400;  // timer ticks of 10 ms

struct TimedEventState {
    int32_t current = -1;  // the incident shown, -1 none
    int32_t active;        // 1 while a message shows
    uint32_t startTick;
    uint32_t expiryTick;
    int16_t next;  // the incident to show next
    char text[TIMEDEVENT_TEXT_BYTES];
};

extern TimedEventState TimedEvents;  // owned by TimedEvents: read it here

void TimedEvents_Init();  // nothing shown, nothing next
void TimedEvents_Uninit();

// Each period's set-up: the incidents sorted by minute and taken again from the first.
void TimedEvents_Reset();
// Every engine tick (text and 2D views) or frame (3D views): while no message shows, the next
// incident whose minute the clock has reached becomes current and its text is built.
void TimedEvents_Step();
// The text of incident `index` into TimedEvents.text: the clubs with their goals, the aggregate
// of a two-legged tie, then the player line by kind. Kind 0 is fatal
// "ERROR:DisplayEvent2 default case hit, event=%d"; kind 7 builds no player line.
void TimedEvents_BuildText(int32_t index);
// The drawing views' check, once per drawn frame: false when nothing is to be drawn; past the
// expiry the message ends, though this frame still draws it.
bool TimedEvents_ShouldDraw();

// The forms the views draw a message in: the builder's text (the 3D views), or the menu screens'
// form, each club beside its goals as "%s   %d" and "%d   %s" (the text and 2D views).
enum TimedEventForm { TIMEDEVENT_FORM_BUILT, TIMEDEVENT_FORM_MENU };
using TimedEventDraw = void (*)(const char* message);
// Every view's drawing of the message of incident `index` (the current one), once per drawn frame:
// `draw` is given the message in the view's form when TimedEvents_ShouldDraw says so, and the
// answer says whether it was. Another index than the current one draws nothing.
bool DisplayEvent2(int32_t index, TimedEventForm form, TimedEventDraw draw);
