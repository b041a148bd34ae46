// engine/host/dialog.cpp: the dialog manager: a modal dialog read from its template, drawn over
// the window image and driven by the window's keys, cursor and mouse buttons.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/codepage.h"
#include "engine/debugfont.h"
#include "engine/host/host.h"
#include "engine/host/internal.h"

namespace {

constexpr int32_t kUnitPixels = 2;
constexpr int32_t kCellWidth = DEBUGFONT_SIZE;
constexpr int32_t kCellHeight = 2 * DEBUGFONT_SIZE;
constexpr int32_t kTextMargin = 4;
constexpr int32_t kFontNameSize = 32;

// Key codes as the game knows them; the arrows and Enter also come from the keypad.
constexpr uint32_t kKeyEscape = 1;
constexpr uint32_t kKeyTab = 15;
constexpr uint32_t kKeyEnter = 28;
constexpr uint32_t kKeyUp = 72;
constexpr uint32_t kKeyDown = 80;

constexpr uint32_t kFace = 0xC0C0C0;
constexpr uint32_t kLight = 0xFFFFFF;
constexpr uint32_t kShadow = 0x808080;
constexpr uint32_t kDark = 0x000000;
constexpr uint32_t kWindow = 0xFFFFFF;
constexpr uint32_t kHighlight = 0x000080;
constexpr uint32_t kText = 0x000000;
constexpr uint32_t kGreyText = 0x808080;
constexpr uint32_t kHighlightText = 0xFFFFFF;

struct DialogItem {
    uint32_t style;
    HostRect rect;  // in the dialog's pixels
    uint16_t id;
    uint16_t itemClass;
    bool enabled;
    char text[HOST_DIALOG_TEXT_SIZE];
    int32_t rowCount;
    char rows[HOST_DIALOG_MAX_ROWS][HOST_DIALOG_ROW_SIZE];
    int32_t selection;  // -1: none
    int32_t top;        // the first row in view
};

struct DialogState {
    bool running;
    bool ended;
    intptr_t result;
    HostDialogProc proc;
    void* context;
    uint32_t style;
    HostRect frame;  // the dialog in client pixels
    int32_t itemCount;
    DialogItem items[HOST_DIALOG_MAX_ITEMS];
    int32_t focus;  // an item index, -1 when no item takes the focus
    bool primaryHeld;
    bool dirty;  // drawn again before the next wait
    HostSurface* image;
    HostImageKeep under;           // the window image under the dialog
    std::vector<uint32_t> pixels;  // the dialog, 0xRRGGBB, frame-sized
};

DialogState s_dialog;

// ---- the template

struct Reader {
    const uint8_t* bytes;
    uint32_t size;
    uint32_t at;
    bool ok;

    uint32_t U16()
    {
        if (at + 2 > size) {
            ok = false;
            return 0;
        }
        const uint32_t value = static_cast<uint32_t>(bytes[at] | bytes[at + 1] << 8);
        at += 2;
        return value;
    }
    uint32_t U32()
    {
        const uint32_t low = U16();
        return low | U16() << 16;
    }
    int32_t I16() { return static_cast<int16_t>(U16()); }
    void Align() { at = std::min(size, (at + 3) & ~3u); }
    // A wide string in the game's code page, cut at `capacity`; a character the code page lacks
    // reads as "?".
    void String(char* out, int32_t capacity)
    {
        int32_t length = 0;
        for (uint32_t c = U16(); ok && c != 0; c = U16()) {
            char byte = '\n';
            if (c != '\n' && !CodePageByteOf(c, &byte)) byte = '?';
            if (length + 1 < capacity) out[length++] = byte;
        }
        out[length] = '\0';
    }
};

HostRect Scaled(int32_t x, int32_t y, int32_t width, int32_t height)
{
    return {x * kUnitPixels, y * kUnitPixels, (x + width) * kUnitPixels,
            (y + height) * kUnitPixels};
}

bool ReadTemplate(const void* dialogTemplate, uint32_t size)
{
    Reader in{static_cast<const uint8_t*>(dialogTemplate), size, 0, dialogTemplate != nullptr};
    s_dialog.style = in.U32();
    const int32_t count = static_cast<int32_t>(in.U16());
    const int32_t x = in.I16(), y = in.I16(), width = in.I16(), height = in.I16();
    in.U16();  // the font size: every text is drawn in the one font
    char font[kFontNameSize];
    in.String(font, kFontNameSize);
    if (!in.ok || count > HOST_DIALOG_MAX_ITEMS || width <= 0 || height <= 0) return false;

    int32_t clientWidth, clientHeight;
    HostWindowClientSize(&clientWidth, &clientHeight);
    s_dialog.frame = Scaled(x, y, width, height);
    if (s_dialog.style & HOST_DIALOG_CENTRED) {
        const int32_t left = std::max(0, (clientWidth - width * kUnitPixels) / 2);
        const int32_t top = std::max(0, (clientHeight - height * kUnitPixels) / 2);
        s_dialog.frame = {left, top, left + width * kUnitPixels, top + height * kUnitPixels};
    }
    for (int32_t i = 0; i < count; ++i) {
        DialogItem& item = s_dialog.items[i];
        in.Align();
        item.style = in.U32();
        const int32_t ix = in.I16(), iy = in.I16(), iw = in.I16(), ih = in.I16();
        item.id = static_cast<uint16_t>(in.U16());
        item.itemClass = static_cast<uint16_t>(in.U16());
        in.String(item.text, HOST_DIALOG_TEXT_SIZE);
        if (!in.ok || iw < 0 || ih < 0 || item.itemClass < HOST_DIALOG_BUTTON
            || item.itemClass > HOST_DIALOG_STATIC)
            return false;
        item.rect = Scaled(ix, iy, iw, ih);
        item.enabled = true;
        item.selection = -1;
    }
    s_dialog.itemCount = count;
    return true;
}

DialogItem* FindItem(uint16_t id, uint16_t itemClass)
{
    for (int32_t i = 0; i < s_dialog.itemCount; ++i) {
        DialogItem& item = s_dialog.items[i];
        if (item.id == id && item.itemClass == itemClass) return &item;
    }
    return nullptr;
}

bool Pressable(const DialogItem& item)
{
    return item.itemClass == HOST_DIALOG_BUTTON && !(item.style & HOST_DIALOG_GROUP_BOX)
           && (item.style & HOST_DIALOG_VISIBLE) && item.enabled;
}

bool TakesFocus(const DialogItem& item)
{
    return (item.style & HOST_DIALOG_TAB_STOP) && (item.style & HOST_DIALOG_VISIBLE)
           && item.enabled;
}

// ---- drawing, into the frame-sized pixels

void Fill(const HostRect& r, uint32_t rgb)
{
    const int32_t width = s_dialog.frame.right - s_dialog.frame.left;
    const int32_t height = s_dialog.frame.bottom - s_dialog.frame.top;
    for (int32_t y = std::max(r.top, 0); y < std::min(r.bottom, height); ++y) {
        for (int32_t x = std::max(r.left, 0); x < std::min(r.right, width); ++x)
            s_dialog.pixels[static_cast<size_t>(y) * width + x] = rgb;
    }
}

// A one-pixel frame: `topLeft` along the top and left edges, `bottomRight` along the others.
void Edge(const HostRect& r, uint32_t topLeft, uint32_t bottomRight)
{
    Fill({r.left, r.top, r.right, r.top + 1}, topLeft);
    Fill({r.left, r.top, r.left + 1, r.bottom}, topLeft);
    Fill({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    Fill({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

HostRect Inset(const HostRect& r, int32_t by)
{
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

// Glyphs at double height, clipped to `clip`.
void Text(int32_t x, int32_t y, const char* text, int32_t length, uint32_t rgb,
          const HostRect& clip)
{
    for (int32_t i = 0; i < length; ++i, x += kCellWidth) {
        const DebugGlyph& glyph = DebugFontGlyph(static_cast<uint8_t>(text[i]));
        for (int32_t row = 0; row < kCellHeight; ++row) {
            for (int32_t column = 0; column < kCellWidth; ++column) {
                if (!(glyph[row / 2] & (0x80 >> column))) continue;
                const int32_t px = x + column, py = y + row;
                if (px >= clip.left && px < clip.right && py >= clip.top && py < clip.bottom)
                    Fill({px, py, px + 1, py + 1}, rgb);
            }
        }
    }
}

int32_t Length(const char* text) { return static_cast<int32_t>(std::strlen(text)); }

void DrawButton(const DialogItem& item, bool focused)
{
    const HostRect r = item.rect;
    if (item.style & HOST_DIALOG_GROUP_BOX) {
        Edge({r.left, r.top + kCellHeight / 2, r.right, r.bottom}, kShadow, kLight);
        const int32_t length = Length(item.text);
        if (length > 0) {
            Fill({r.left + kTextMargin, r.top, r.left + 2 * kTextMargin + length * kCellWidth,
                  r.top + kCellHeight},
                 kFace);
            Text(r.left + kTextMargin + kTextMargin / 2, r.top, item.text, length, kText, r);
        }
        return;
    }
    HostRect body = r;
    if (item.style & HOST_DIALOG_DEFAULT) {
        Edge(r, kDark, kDark);
        body = Inset(r, 1);
    }
    Edge(body, kLight, kDark);
    Edge(Inset(body, 1), kFace, kShadow);
    const int32_t length = Length(item.text);
    Text((r.left + r.right - length * kCellWidth) / 2, (r.top + r.bottom - kCellHeight) / 2,
         item.text, length, item.enabled ? kText : kGreyText, Inset(body, 2));
    if (focused) Edge(Inset(body, 3), kDark, kDark);
}

int32_t RowsInView(const DialogItem& list)
{
    return std::max(1, (list.rect.bottom - list.rect.top - 2) / HOST_DIALOG_ROW_PIXELS);
}

void DrawList(const DialogItem& list, bool focused)
{
    Edge(list.rect, focused ? kDark : kShadow, focused ? kDark : kLight);
    const HostRect inside = Inset(list.rect, 1);
    Fill(inside, kWindow);
    for (int32_t row = list.top; row < list.rowCount && row < list.top + RowsInView(list); ++row) {
        const int32_t y = inside.top + (row - list.top) * HOST_DIALOG_ROW_PIXELS;
        const bool selected = row == list.selection;
        if (selected) Fill({inside.left, y, inside.right, y + HOST_DIALOG_ROW_PIXELS}, kHighlight);
        Text(inside.left + kTextMargin, y, list.rows[row], Length(list.rows[row]),
             selected ? kHighlightText : kText, inside);
    }
}

// Lines break at "\n" and, past the item's width, at the last space (or mid-word when a word
// alone is too wide).
void DrawStatic(const DialogItem& item)
{
    if (item.style & HOST_DIALOG_SUNKEN) Edge(item.rect, kShadow, kLight);
    const HostRect inside = Inset(item.rect, 1);
    const int32_t columns = std::max(1, (inside.right - inside.left - kTextMargin) / kCellWidth);
    int32_t y = inside.top + 1;
    for (const char* line = item.text; *line != '\0' && y < inside.bottom; y += kCellHeight) {
        int32_t length = 0;
        while (line[length] != '\0' && line[length] != '\n')
            ++length;
        int32_t shown = std::min(length, columns);
        if (shown < length) {
            int32_t space = shown;
            while (space > 0 && line[space] != ' ')
                --space;
            if (space > 0) shown = space;
        }
        Text(inside.left + kTextMargin, y, line, shown, item.enabled ? kText : kGreyText, inside);
        line += shown;
        if (*line == '\n' || *line == ' ') ++line;
    }
}

void Draw()
{
    const HostRect& f = s_dialog.frame;
    const HostRect whole = {0, 0, f.right - f.left, f.bottom - f.top};
    Fill(whole, kFace);
    Edge(whole, kLight, kDark);
    for (int32_t i = 0; i < s_dialog.itemCount; ++i) {
        const DialogItem& item = s_dialog.items[i];
        if (!(item.style & HOST_DIALOG_VISIBLE)) continue;
        const bool focused = i == s_dialog.focus;
        if (item.itemClass == HOST_DIALOG_BUTTON) DrawButton(item, focused);
        if (item.itemClass == HOST_DIALOG_LIST_BOX) DrawList(item, focused);
        if (item.itemClass == HOST_DIALOG_STATIC) DrawStatic(item);
    }
    HostImagePutRgb(s_dialog.pixels.data(), f);
}

// ---- input

void Notify(uint32_t event, uint16_t id)
{
    if (!s_dialog.ended) s_dialog.proc(event, id, s_dialog.context);
}

void Press(const DialogItem& button)
{
    if (Pressable(button)) Notify(HOST_DIALOG_PRESSED, button.id);
}

void Select(DialogItem& list, int32_t row)
{
    if (row < 0 || row >= list.rowCount || row == list.selection) return;
    list.selection = row;
    list.top = std::clamp(list.top, row - RowsInView(list) + 1, row);
    Notify(HOST_DIALOG_SELECTED, list.id);
}

void MoveFocus()
{
    for (int32_t step = 1; step <= s_dialog.itemCount; ++step) {
        const int32_t next = (s_dialog.focus + step) % s_dialog.itemCount;
        if (TakesFocus(s_dialog.items[next])) {
            s_dialog.focus = next;
            return;
        }
    }
}

void PressDefault()
{
    for (int32_t i = 0; i < s_dialog.itemCount; ++i) {
        if (s_dialog.items[i].style & HOST_DIALOG_DEFAULT) Press(s_dialog.items[i]);
    }
}

void OnKey(uint32_t keyCode)
{
    DialogItem* focused = s_dialog.focus >= 0 ? &s_dialog.items[s_dialog.focus] : nullptr;
    const bool onList = focused && focused->itemClass == HOST_DIALOG_LIST_BOX;
    const uint32_t key = keyCode & 0x7F;
    if (key == kKeyEscape) {
        if (DialogItem* cancel = FindItem(HOST_DIALOG_ID_CANCEL, HOST_DIALOG_BUTTON))
            Press(*cancel);
    } else if (key == kKeyTab) {
        MoveFocus();
    } else if (key == kKeyEnter) {
        if (focused && !onList) Press(*focused);
        if (!focused || onList) PressDefault();
    } else if (onList && (key == kKeyUp || key == kKeyDown)) {
        const int32_t row = focused->selection + (key == kKeyUp ? -1 : 1);
        Select(*focused, std::max(0, std::min(row, focused->rowCount - 1)));
    }
}

bool Inside(const HostRect& r, int32_t x, int32_t y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

void OnClick(int32_t x, int32_t y)
{
    for (int32_t i = 0; i < s_dialog.itemCount; ++i) {
        DialogItem& item = s_dialog.items[i];
        if (!Inside(item.rect, x, y) || !(item.style & HOST_DIALOG_VISIBLE) || !item.enabled)
            continue;
        if (item.itemClass == HOST_DIALOG_LIST_BOX) {
            s_dialog.focus = i;
            const int32_t offset = y - item.rect.top - 1;
            if (offset >= 0) Select(item, item.top + offset / HOST_DIALOG_ROW_PIXELS);
            return;
        }
        if (Pressable(item)) {
            s_dialog.focus = TakesFocus(item) ? i : s_dialog.focus;
            Press(item);
            return;
        }
    }
}

// A press of the primary button since the last look; false when there was none.
bool TakeClick()
{
    const uint32_t primary = HostMouseButtonsSwapped() ? HOST_BUTTON_RIGHT : HOST_BUTTON_LEFT;
    const bool down = (HostMouseButtonsRead() & primary) != 0;
    const bool pressed = down && !s_dialog.primaryHeld;
    s_dialog.primaryHeld = down;
    if (!pressed) return false;
    int32_t x, y, originX, originY;
    HostCursorGet(&x, &y);
    HostWindowClientOrigin(&originX, &originY);
    OnClick(x - originX - s_dialog.frame.left, y - originY - s_dialog.frame.top);
    return true;
}

void OnMessage(const HostMessage& message)
{
    switch (message.kind) {
        case HOST_MSG_KEY_DOWN: OnKey(static_cast<uint32_t>(message.wparam)); break;
        case HOST_MSG_CLOSE: OnKey(kKeyEscape); break;
        case HOST_MSG_PAINT: HostDefaultWindowProc(message.window, message.kind, 0, 0); break;
        case HOST_MSG_KEY_UP:
        case HOST_MSG_CHAR: break;
        default: HostMsgDispatch(message); break;
    }
}

// Messages and clicks until the procedure ends the dialog, the window image goes or a quit comes.
void RunLoop()
{
    while (!s_dialog.ended) {
        if (HostWindowImage() != s_dialog.image) {
            HostDialogEnd(-1);
            return;
        }
        if (s_dialog.dirty) Draw();
        s_dialog.dirty = false;
        if (HostMsgPeek()) {
            HostMessage message;
            const int32_t got = HostMsgGet(&message);
            if (got == 0) HostPostQuit(static_cast<int32_t>(message.wparam));
            if (got <= 0) HostDialogEnd(-1);
            if (got > 0) OnMessage(message);
            s_dialog.dirty = true;
        } else if (TakeClick()) {
            s_dialog.dirty = true;
        } else {
            HostWaitForMessage();
        }
    }
}

bool Refuse(const char* why)
{
    std::printf("HostDialogRun(): %s\n", why);
    return false;
}

bool Start(const void* dialogTemplate, uint32_t size, HostDialogProc proc, void* context)
{
    if (s_dialog.running) return Refuse("a dialog is already running");
    s_dialog = {};
    s_dialog.image = HostWindowImage();
    if (s_dialog.image == nullptr || proc == nullptr) return Refuse("no window");
    if (!HostImageCanOverlay()) return Refuse("the window shows 8-bit colour");
    if (!ReadTemplate(dialogTemplate, size)) return Refuse("malformed template");
    const HostRect& f = s_dialog.frame;
    s_dialog.pixels.assign(static_cast<size_t>(f.right - f.left) * (f.bottom - f.top), kFace);
    s_dialog.proc = proc;
    s_dialog.context = context;
    s_dialog.focus = -1;
    MoveFocus();
    s_dialog.primaryHeld = (HostMouseButtons() & (HOST_BUTTON_LEFT | HOST_BUTTON_RIGHT)) != 0;
    s_dialog.running = true;
    s_dialog.dirty = true;
    return true;
}

}  // namespace

intptr_t HostDialogRun(const void* dialogTemplate, uint32_t size, HostDialogProc proc,
                       void* context)
{
    if (!Start(dialogTemplate, size, proc, context)) return -1;
    HostImageKeepRect(s_dialog.frame, &s_dialog.under);
    Notify(HOST_DIALOG_INIT, 0);
    RunLoop();
    HostImageGiveBack(&s_dialog.under);
    const intptr_t result = s_dialog.result;
    s_dialog = {};
    return result;
}

void HostDialogListReset(uint16_t id)
{
    if (DialogItem* list = FindItem(id, HOST_DIALOG_LIST_BOX)) {
        list->rowCount = 0;
        list->selection = -1;
        list->top = 0;
    }
}

void HostDialogListAdd(uint16_t id, const char* text)
{
    DialogItem* list = FindItem(id, HOST_DIALOG_LIST_BOX);
    if (list == nullptr || list->rowCount == HOST_DIALOG_MAX_ROWS) return;
    std::snprintf(list->rows[list->rowCount++], HOST_DIALOG_ROW_SIZE, "%s", text);
}

int32_t HostDialogListSelection(uint16_t id)
{
    const DialogItem* list = FindItem(id, HOST_DIALOG_LIST_BOX);
    return list ? list->selection : -1;
}

void HostDialogSetText(uint16_t id, const char* text)
{
    for (int32_t i = 0; i < s_dialog.itemCount; ++i) {
        if (s_dialog.items[i].id == id)
            std::snprintf(s_dialog.items[i].text, HOST_DIALOG_TEXT_SIZE, "%s", text);
    }
}

void HostDialogEnable(uint16_t id, bool enabled)
{
    for (int32_t i = 0; i < s_dialog.itemCount; ++i) {
        if (s_dialog.items[i].id != id) continue;
        s_dialog.items[i].enabled = enabled;
        if (!enabled && s_dialog.focus == i) MoveFocus();
    }
}

void HostDialogEnd(intptr_t result)
{
    if (!s_dialog.running || s_dialog.ended) return;
    s_dialog.ended = true;
    s_dialog.result = result;
}

std::string HostInjectDialogText(uint16_t id)
{
    for (int32_t i = 0; i < s_dialog.itemCount; ++i) {
        const DialogItem& item = s_dialog.items[i];
        if (item.id != id) continue;
        if (item.itemClass != HOST_DIALOG_LIST_BOX) return item.text;
        std::string rows;
        for (int32_t row = 0; row < item.rowCount; ++row)
            rows += std::string(item.rows[row]) + "\n";
        return rows;
    }
    return "";
}

bool HostInjectDialogEnabled(uint16_t id)
{
    for (int32_t i = 0; i < s_dialog.itemCount; ++i) {
        if (s_dialog.items[i].id == id) return s_dialog.items[i].enabled;
    }
    return false;
}
