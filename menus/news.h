// menus/news.h: the rolling five-line news box drawn over the day screen while the world is
// updated, and the builders that turn the day's events at other clubs into its lines.
#pragma once

#include <cstdint>

constexpr int32_t NEWS_LINES = 5;
constexpr int32_t NEWS_LINE_BYTES = 150;     // at most 149 characters
constexpr int32_t NEWS_MESSAGE_BYTES = 300;  // a template or an expanded line, with its NUL
constexpr uint32_t NEWS_PAUSE_TICKS = 100;   // five lines within this time make the next wait it

enum : uint8_t {
    NEWS_WRAPPED = 1 << 0,  // every slot has been written at least once
    NEWS_PAUSE = 1 << 1,    // wait before the next drawing
};

// A ring of five lines: the slot written next, the slot shown on top, and each line's tick.
struct NewsBoxRecord {
    char lines[NEWS_LINES][NEWS_LINE_BYTES];
    uint32_t stamps[NEWS_LINES];
    int8_t write;
    int8_t first;
    uint8_t flags;  // NEWS_...
};
extern NewsBoxRecord NewsBox;  // owned by News

void NewsInit();  // the box emptied and the line count back to 0; safe twice
void NewsUninit();

void MessageBox_Reset();  // the box emptied, before each advance from the office
// Copies message text `textNo` into `dest` (NEWS_MESSAGE_BYTES). A text of 299 characters or
// more is the fatal error "J_MN20: Text line %d is too long for message buffer".
void MessageBox_CopyLine(char* dest, int32_t textNo);
// Stamps the text into the next slot (cut to 149 characters), then draws the box; when the five
// newest lines arrived within NEWS_PAUSE_TICKS the drawing waits that long first.
void MessageBox_AddLine(const char* text);
void MessageBox_Show();  // the box over the screen now, the oldest line on top
// Replaces the first occurrence of `code` in `text` (NEWS_MESSAGE_BYTES) with `value`; nothing
// when the code is absent. The result is cut to 299 characters.
void News_ReplaceCode(char* text, const char* code, const char* value);

// The day's events. Missing players and transfers are dropped while MessageFilter is 0 unless
// one of their clubs plays in the human's division (a club of another country counts as
// division 6); appointments and departures always show. Club 255 is no club.
void News_PlayerMissing(int32_t club, int32_t player);
void News_ManagerAppointed(int32_t club, int32_t person);
void News_ManagerSacked(int32_t club, int32_t person, int32_t kind);  // kind 0: he resigned
// A loan when `loan` is set (oldClub the lending club); a free player when oldClub is 255; the
// fee shown when above 0.
void News_PlayerMoved(int32_t player, int32_t oldClub, int32_t newClub, int32_t fee, int32_t loan);
// A message to the human while time passes: into the box, or, in the unattended run, only into
// the inbox that already holds it.
void News_ShowForHuman(const char* text);

int32_t News_LinesAdded();  // lines added since NewsInit
