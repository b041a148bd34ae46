// menus/labelbox.cpp: the box of words a hotspot shows while the pointer rests on it.
#include "menus/labelbox.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "menus/machine.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

namespace {

constexpr int32_t SCREEN_W = 640;
constexpr int32_t SCREEN_H = 480;
constexpr int32_t LABEL_FONT = 0;
constexpr int32_t PADDING = 4;
constexpr int32_t GAP = 2;  // between the hotspot and its box
constexpr uint16_t BOX_COLOUR = 0x0008;
constexpr uint16_t EDGE_COLOUR = 0xFFFF;
constexpr int32_t TEXT_COLOUR = 0;  // white

struct Box {
    int32_t x, y, w, h;
    int32_t wrap;  // the text's width inside
};

// The widest word in the current font: the wrap may not be narrower.
int32_t WidestWord(const char* text)
{
    int32_t widest = 0;
    std::string word;
    for (const char* c = text;; ++c) {
        if (*c != ' ' && *c != '\n' && *c != '\0') {
            word += *c;
            continue;
        }
        int32_t w = 0, h = 0;
        MeasureMenuText(word.c_str(), &w, &h);
        widest = std::max(widest, w);
        word.clear();
        if (*c == '\0') return widest;
    }
}

// The wrapped line count of the text at `width`; the wrap cuts a copy in place.
int32_t WrappedLines(const char* text, int32_t width)
{
    std::vector<char> copy(std::strlen(text) + 2, '\0');
    std::memcpy(copy.data(), text, copy.size() - 2);
    char* lines[MENU_TEXT_BOX_LINES];
    return XDoTextAddr(copy.data(), lines, width);
}

// Where the box goes in the current font; false when the text cannot fit on the screen, for
// the box must stay inside what it keeps.
bool Place(int32_t x, int32_t y, int32_t h, const char* text, Box* box)
{
    int32_t textW, pitch;
    MeasureMenuText(text, &textW, &pitch);
    const int32_t word = WidestWord(text);
    box->wrap = std::max(std::min(textW, LABEL_BOX_MAX_WIDTH), word);
    box->w = box->wrap + 2 * PADDING;
    if (box->w > SCREEN_W) return false;
    box->h = WrappedLines(text, box->wrap) * pitch + 2 * PADDING;
    if (box->h > SCREEN_H) return false;
    box->x = std::clamp(x, 0, SCREEN_W - box->w);
    const int32_t below = y + h + GAP;
    box->y = below + box->h <= SCREEN_H ? below : std::max(0, y - GAP - box->h);
    return true;
}

void Draw(const Box& b, const char* text)
{
    PreserveScreenSection(LABEL_BOX_SECTION, b.x, b.y, b.w, b.h);
    FillMenuRect(b.x, b.y, b.w, b.h, EDGE_COLOUR);
    FillMenuRect(b.x + 1, b.y + 1, b.w - 2, b.h - 2, BOX_COLOUR);
    SetDrawAttribute(1, TEXT_COLOUR);
    DoTextBox(b.x + PADDING, b.y + PADDING, text, MENU_ALIGN_TL, b.wrap, b.h - 2 * PADDING);
}

}  // namespace

void LabelBox_Show(int32_t x, int32_t y, int32_t, int32_t h, const char* text)
{
    LabelBox_Hide();
    if (text == nullptr || text[0] == '\0') return;
    const MenuAttributes kept = MenuAttr;
    SetMenuFont(LABEL_FONT);
    Box box;
    if (Place(x, y, h, text, &box)) Draw(box, text);
    MenuAttr = kept;
    SetMenuFont(kept.font);
}

void LabelBox_Hide()
{
    if (IsSavedScreenSection(LABEL_BOX_SECTION)) RestoreScreenSection(LABEL_BOX_SECTION);
}
