// matchscreens/textview.h: the text match view: one 640 x 480 statistics screen per drawn frame
// (the line-ups with their figures, a radar pitch, the clock and score, the territory graph, the
// statistics, goals and cards, commentary and the other grounds' news), paced to a chosen number
// of engine ticks per second.
#pragma once

#include <array>
#include <cstdint>

constexpr int32_t TEXTVIEW_SPEEDS = 7;
constexpr int32_t TEXTVIEW_FASTEST_OFFERED = 3;  // the speed zones stop at 500 ticks a second
constexpr int32_t TEXTVIEW_GRAPH_MINUTES = 121;  // minutes 0-120

// Engine ticks per real second; 50 is real time.
constexpr std::array<int16_t, TEXTVIEW_SPEEDS> SpeedTable = {50, 100, 250, 500, 750, 1000, 1250};

struct TextViewState {
    float nextFrameTime;  // in timer ticks
    int32_t skippedFrames;
    uint32_t frameCounter;  // frames drawn since the view was set up
    uint8_t fullRedraw;     // the static screen was just drawn: every panel now, shown whole
    int16_t lastEnds;
    int16_t pressLatch;        // one press acts once
    uint8_t sideColour[2][3];  // percentages 0-100
    int16_t shownTerritory[TEXTVIEW_GRAPH_MINUTES];
    char shownCommentary[200];
    bool eventShown;
    bool shown;  // between Analysis_Init and Analysis_Destroy
};

// Owned by TextView: read them here. The speed index and radar flags live for the program's run.
extern int16_t SpeedIndex;       // into SpeedTable; starts at 2
extern int16_t RadarDisplay[2];  // per side, 1 shows its players on the radar
extern TextViewState TextView;   // the view of the match being watched

void TextView_Init();    // speed index 2, both radar flags on, no view
void TextView_Uninit();  // safe without Init and twice
// Registers the five operations below as the text view kind of the match view dispatch, and the
// script values `period` (-1 while no view is shown), `phase`, `clock`, `frames`, `speed`,
// `score0` and `score1`.
void TextView_Register();

// The view's hooks (view mode 0). Init takes the side colours, sets the 640 x 480 menu display
// and draws the static screen; Destroy closes the display.
void Analysis_Init();
void Analysis_Destroy();
void Analysis_Step();    // the timed events and the highlight countdown; no engine tick
void Analysis_Update();  // nothing in this view
// Pacing, then (unless the frame is skipped) the screen, the pointer's zones and the match keys.
void Analysis_Frame();

// The pacing both paced views share: true when this frame is drawn. A late frame is skipped,
// but never more than speed / 20 in a row; a drawn frame waits for its time and starts counting
// from now, so lateness is not carried over.
bool TextView_PaceFrame(float& nextFrameTime, int32_t& skippedFrames, int32_t speed);
// The clock's digits from (x, y), or its text centred on (textX, textY).
void TextView_DrawClockFace(int32_t x, int32_t y, int32_t textX, int32_t textY);
// A timed event's message on one line cut to `width`, centred on (centreX, centreY); with `box`
// over a 50 % dark box.
void TextView_DrawEventLine(int32_t centreX, int32_t centreY, int32_t width, bool box,
                            const char* message);

// One drawn frame without pacing or input: for tests and the benchmark.
void TextView_DrawScreen();
void TextView_DrawStaticScreen();
// Acts on the pointer at (x, y) with the button down or up, as one input pass does.
void TextView_Input(int32_t x, int32_t y, bool down);
// The side colours of both sides from their kits (kit colour numbers clamped to 0-39).
void TextView_TakeSideColours();
// The panel's text for the clock: "%3d:%02d", or text 628 past the period's length, or text 613
// in the shoot-out.
const char* TextView_ClockText();
// The name the goal panel shows for a goal of `side` by `playerId`: the scorer's, followed by
// text 698 "csc" when he plays for the other side (an own goal); "" for a player of neither.
const char* TextView_GoalScorer(int32_t side, int32_t playerId);
// The graph's current minute: clock seconds / 60 clamped to 0-120, 120 in the shoot-out.
int32_t TextView_CurrentMinute();
// The font colour index of a figure 0-100: above 80 6, above 65 12, above 50 0, above 40 16,
// else 4.
int32_t TextView_FigureColour(int32_t value);
