// matchscreens/vidopt.cpp: the video options screen.
#include "matchscreens/vidopt.h"

#include <cstdio>

#include "engine/fatal.h"
#include "engine/script.h"
#include "game/textmess.h"
#include "matchscreens/ingamemenus.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/vtmenu.h"
#include "viewservices/viewscreen.h"

namespace {

constexpr uint8_t LEFT_MIDDLE = 0x54, CENTRED = 0x55;
constexpr int32_t COLOUR_NORMAL = 0, COLOUR_CHOSEN = 8, COLOUR_GREYED = 9;
constexpr int32_t BUTTON_NORMAL = 1, BUTTON_CHOSEN = 2, BUTTON_PANEL = 4;
constexpr int32_t TEXT_TITLE = 1222, TEXT_NO_DEVICE = 1225, TEXT_APPLY_TO_SEE = 1245;
constexpr int32_t TEXT_FIRST_DEPTH = 1236;  // 256 colours, then 16, 24 and 32 bits
constexpr const char* INVALID_CARD = "** Invalid card **";

struct Box {
    int16_t x, y, w, h;
};

// The card, device and mode rows: a label, the value and two arrows in a box.
enum ArrowRow : int32_t { ROW_CARD, ROW_DEVICE, ROW_MODE, ARROW_ROWS };
constexpr int16_t kArrowRowY[ARROW_ROWS] = {80, 130, 180};
constexpr int16_t kArrowRowLabel[ARROW_ROWS] = {1223, 1224, 1226};
constexpr Box kLabel = {32, 0, 108, 50}, kValue = {140, 0, 420, 50}, kArrowBox = {580, 0, 44, 44};
constexpr Box kPrevious = {585, 5, 29, 15}, kNext = {585, 21, 29, 15};  // y from the row's

// The quality rows: a label and two or three choices whose codes are their values.
enum ChoiceRow : int32_t {
    ROW_MIPMAP,
    ROW_FILTERING,
    ROW_LIGHTING,
    ROW_FOG,
    ROW_DETAIL,
    CHOICE_ROWS
};
constexpr int32_t kMostChoices = 3;
struct ChoiceRowLayout {
    int16_t y;
    int16_t label;
    int32_t choices;
    int16_t texts[kMostChoices];
    VTCallback callback;
};
constexpr Box kChoiceLabel = {32, 0, 158, 25};
constexpr int16_t kChoiceX = 190, kChoiceStep = 132, kChoiceW = 130, kChoiceH = 30;
constexpr int16_t TEXT_OFF = 1241, TEXT_ON = 1240;
constexpr ChoiceRowLayout kChoiceRows[CHOICE_ROWS] = {
    {244, 1227, 2, {TEXT_OFF, TEXT_ON}, Func_MipMap},
    {276, 1228, 3, {1247, 1248, 1249}, Func_Filtering},
    {308, 1229, 2, {TEXT_OFF, TEXT_ON}, Func_Lighting},
    {340, 1230, 2, {TEXT_OFF, TEXT_ON}, Func_Fog},
    {372, 1231, 2, {1244, 1242}, Func_TextureDetail},
};

struct ButtonLayout {
    Box box;
    int16_t text;
    VTCallback callback;
};
constexpr ButtonLayout kButtons[] = {
    {{30, 420, 192, 30}, 1246, Func_Apply},
    {{224, 420, 192, 30}, 1366, Func_Cancel},
    {{418, 420, 192, 30}, 75, Func_Ok},
};

enum ChoiceLook : uint8_t { CHOICE_GREYED, CHOICE_OPEN, CHOICE_SHOWN };

struct VideoMenuState {
    VideoSettings copy;  // what the screen shows and changes until it is stored
    bool applyAgain;     // "Appliquer": the screen shows again
    bool changed;        // the stored settings name another card or device
    bool arrowsActive[ARROW_ROWS];
    ChoiceLook look[CHOICE_ROWS][kMostChoices];
    const char* cardName;
    int32_t deviceText;  // the device's name when 0
    const char* deviceName;
    char modeText[48];
};

VideoMenuState s_menu;

bool Pressed(const InGameMenuEvent* event) { return event->event == VT_EVENT_PRESS; }
int32_t MenuCard() { return Video_CardOf(s_menu.copy); }
bool MenuHasDevice() { return s_menu.copy.device3D != VIDEO_NO_DEVICE; }
uint32_t MenuDeviceFlags() { return Video_DeviceFlags(MenuCard(), s_menu.copy.device3D); }

// The next value from `from` by `step` round first..last that qualifies, trying each once; `from`
// when none does, so that a list where nothing qualifies cannot hold the screen.
template <typename Qualifies>
int32_t StepRound(int32_t from, int32_t step, int32_t first, int32_t last, Qualifies qualifies)
{
    const int32_t span = last - first + 1;
    int32_t value = from;
    for (int32_t tried = 0; tried < span; ++tried) {
        value = first + ((value - first + step) % span + span) % span;
        if (qualifies(value)) return value;
    }
    return from;
}

bool CardUsable(int32_t card)
{
    int32_t score = VIDEO_UNUSABLE;
    Video_BestDevice(card, &score);
    return score >= 0;
}

int32_t UsableCount(int32_t first, int32_t last, bool (*usable)(int32_t))
{
    int32_t count = 0;
    for (int32_t n = first; n <= last; ++n) {
        if (usable(n)) ++count;
    }
    return count;
}

bool DeviceUsable(int32_t device) { return Video_ScoreDevice(MenuCard(), device) >= 0; }

// The mode arrows' rule: what the renderer can draw in, and for a device what fits three times
// in the card's display memory when that is known.
bool ModeQualifies(int32_t index)
{
    int32_t count = 0;
    const DDrawMode& mode = GfxModeList(&count)[index];
    if (!Video_LargeEnoughMode(mode)) return false;
    if (!MenuHasDevice()) return SoftwareModeQualifies(mode);
    const DXCardEntry* card = DXGetCardEntry(MenuCard());
    const uint64_t needed = uint64_t{mode.width} * mode.height * mode.bytesPerPixel * 3;
    const bool fits = card == nullptr || card->displayMemory == 0 || needed <= card->displayMemory;
    return Video_DeviceModeFits(mode) && fits;
}

void ShowMode()
{
    if (s_menu.copy.mode < 0) return;
    int32_t count = 0;
    const DDrawMode& mode = GfxModeList(&count)[s_menu.copy.mode];
    std::snprintf(s_menu.modeText, sizeof s_menu.modeText, "%d x %d, %s", mode.width, mode.height,
                  GetMessageText(TEXT_FIRST_DEPTH + mode.kind));
}

void SetLooks(int32_t row, bool open, int32_t shown, int32_t greyedFrom = kMostChoices)
{
    for (int32_t k = 0; k < kChoiceRows[row].choices; ++k) {
        ChoiceLook look = open ? CHOICE_OPEN : CHOICE_GREYED;
        if (open && k == shown) look = CHOICE_SHOWN;
        if (k >= greyedFrom) look = CHOICE_GREYED;
        s_menu.look[row][k] = look;
    }
}

// The quality items start greyed; a device opens those it can honour, showing the copy's values.
void TakeQualityLooks()
{
    const uint32_t flags = MenuDeviceFlags();
    const bool device = MenuHasDevice();
    const VideoSettings& copy = s_menu.copy;
    const DXCardEntry* card = DXGetCardEntry(MenuCard());
    const bool detail = card != nullptr && card->textureMemory >= VIDEO_SMALL_MEMORY;
    SetLooks(ROW_MIPMAP, device && (flags & DXDEV_MIPMAP_TEXTURES) != 0, copy.mipMapping);
    SetLooks(ROW_FILTERING, device && (flags & DXDEV_SMOOTH_TEXTURES) != 0, copy.textureFiltering,
             copy.mipMapping == VIDEO_SWITCH_OFF ? VIDEO_FILTER_TRILINEAR : kMostChoices);
    SetLooks(ROW_LIGHTING, device, copy.lighting);
    SetLooks(ROW_FOG, device && (flags & VIDEO_FOG_TABLE) != 0, copy.fog);
    SetLooks(ROW_DETAIL, device && detail, copy.textureDetail);
}

// Each pass: the copy brought back to what exists, its mode chosen, and what the screen shows.
void FillVideoMenu()
{
    VideoSettings& copy = s_menu.copy;
    if (DXGetCardEntry(MenuCard()) == nullptr) copy.card = 0;
    if (DXGetDeviceEntry(MenuCard(), copy.device3D) == nullptr) copy.device3D = VIDEO_NO_DEVICE;
    Video_ChooseMode(&copy);

    const DXCardEntry* card = DXGetCardEntry(MenuCard());
    s_menu.cardName = card != nullptr ? card->description : INVALID_CARD;
    const DXDeviceEntry* device = DXGetDeviceEntry(MenuCard(), copy.device3D);
    s_menu.deviceName = device != nullptr ? device->name : "";
    s_menu.deviceText = device != nullptr ? 0 : TEXT_NO_DEVICE;
    ShowMode();
    s_menu.arrowsActive[ROW_CARD] = UsableCount(0, DX_MAX_CARDS - 1, CardUsable) > 1;
    s_menu.arrowsActive[ROW_DEVICE] =
        UsableCount(VIDEO_NO_DEVICE, DX_MAX_DEVICES - 1, DeviceUsable) > 1;
    s_menu.arrowsActive[ROW_MODE] = copy.mode >= 0;
    TakeQualityLooks();
}

void OpenVideoMenu() { s_menu.copy = Options.video; }

Box At(const Box& box, int32_t y) { return {box.x, static_cast<int16_t>(box.y + y), box.w, box.h}; }

void DrawArrow(const Box& box, bool active, const char* sign)
{
    VT_DrawButton(box.x, box.y, box.w, box.h, BUTTON_NORMAL);
    VT_SetFontColour(active ? COLOUR_NORMAL : COLOUR_GREYED);
    VT_DrawTextAddr(box.x + box.w / 2, box.y + box.h / 2, CENTRED, sign);
}

void DrawArrowRow(int32_t row)
{
    const int32_t y = kArrowRowY[row];
    VT_SetFontColour(COLOUR_NORMAL);
    const Box label = At(kLabel, y), value = At(kValue, y), box = At(kArrowBox, y);
    VT_DrawTextNo(label.x, label.y + label.h / 2, LEFT_MIDDLE, kArrowRowLabel[row]);
    VT_DrawButton(value.x, value.y, value.w, value.h, BUTTON_NORMAL);
    VT_SetFontColour(COLOUR_CHOSEN);
    const int32_t textX = value.x + value.w / 2, textY = value.y + value.h / 2;
    if (row == ROW_CARD) VT_DrawTextAddr(textX, textY, CENTRED, s_menu.cardName);
    if (row == ROW_DEVICE && s_menu.deviceText != 0)
        VT_DrawTextNo(textX, textY, CENTRED, s_menu.deviceText);
    if (row == ROW_DEVICE && s_menu.deviceText == 0)
        VT_DrawTextAddr(textX, textY, CENTRED, s_menu.deviceName);
    if (row == ROW_MODE && s_menu.copy.mode < 0)
        VT_DrawTextNo(textX, textY, CENTRED, TEXT_APPLY_TO_SEE);
    if (row == ROW_MODE && s_menu.copy.mode >= 0)
        VT_DrawTextAddr(textX, textY, CENTRED, s_menu.modeText);
    VT_DrawButton(box.x, box.y, box.w, box.h, BUTTON_PANEL);
    DrawArrow(At(kPrevious, y), s_menu.arrowsActive[row], "<");
    DrawArrow(At(kNext, y), s_menu.arrowsActive[row], ">");
}

void DrawChoiceRow(int32_t row)
{
    const ChoiceRowLayout& layout = kChoiceRows[row];
    VT_SetFontColour(COLOUR_NORMAL);
    VT_DrawTextNo(kChoiceLabel.x, layout.y + kChoiceLabel.h / 2, LEFT_MIDDLE, layout.label);
    for (int32_t k = 0; k < layout.choices; ++k) {
        const ChoiceLook look = s_menu.look[row][k];
        const int32_t x = kChoiceX + k * kChoiceStep;
        VT_DrawButton(x, layout.y, kChoiceW, kChoiceH,
                      look == CHOICE_SHOWN ? BUTTON_CHOSEN : BUTTON_NORMAL);
        VT_SetFontColour(look == CHOICE_SHOWN  ? COLOUR_CHOSEN
                         : look == CHOICE_OPEN ? COLOUR_NORMAL
                                               : COLOUR_GREYED);
        VT_DrawLabelNo(x, layout.y, kChoiceW, kChoiceH, layout.texts[k]);
    }
}

void DrawVideoMenu(int32_t, int32_t, int32_t, int32_t)
{
    VT_DrawButton(20, 72, 600, 340, BUTTON_PANEL);
    for (int32_t row = 0; row < ARROW_ROWS; ++row)
        DrawArrowRow(row);
    for (int32_t row = 0; row < CHOICE_ROWS; ++row)
        DrawChoiceRow(row);
    for (const ButtonLayout& button : kButtons) {
        const Box& b = button.box;
        VT_DrawButton(b.x, b.y, b.w, b.h, BUTTON_NORMAL);
        VT_SetFontColour(COLOUR_NORMAL);
        VT_DrawLabelNo(b.x, b.y, b.w, b.h, button.text);
    }
}

template <int32_t Step>
int32_t CardArrow(const InGameMenuEvent* event)
{
    return Func_CardSelect(event, Step);
}
template <int32_t Step>
int32_t DeviceArrow(const InGameMenuEvent* event)
{
    return Func_DeviceSelect(event, Step);
}
template <int32_t Step>
int32_t ModeArrow(const InGameMenuEvent* event)
{
    return Func_ModeSelect(event, Step);
}
constexpr VTCallback kArrows[ARROW_ROWS][2] = {{CardArrow<-1>, CardArrow<1>},
                                               {DeviceArrow<-1>, DeviceArrow<1>},
                                               {ModeArrow<-1>, ModeArrow<1>}};

// Stores the copy; the graphics layer must follow when it names another card or device.
int32_t Store(bool again)
{
    const VideoSettings& record = Options.video;
    s_menu.changed = s_menu.copy.card != record.card || s_menu.copy.device3D != record.device3D;
    Options.video = s_menu.copy;
    s_menu.applyAgain = again;
    return VT_BREAK_1;
}

void RestartGraphics()
{
    ShutdownMenuGraphics();
    GfxUninit();
    Video_StartGraphics(Video_CardOf(Options.video), Options.video.device3D);
    InitSetOfMenus();
    Video_ChooseMode(&Options.video);
}

}  // namespace

int32_t Func_CardSelect(const InGameMenuEvent* event, int32_t step)
{
    if (!Pressed(event)) return VT_CONTINUE;
    if (!s_menu.arrowsActive[ROW_CARD]) return VT_NO_REGION;
    const int32_t card = StepRound(MenuCard(), step, 0, DX_MAX_CARDS - 1, CardUsable);
    int32_t score = VIDEO_UNUSABLE;
    const int32_t device = Video_BestDevice(card, &score);
    if (score < 0) FatalError("Func_CardSelect(): no device found on this card!");
    s_menu.copy.card = static_cast<uint32_t>(card);
    s_menu.copy.device3D = device;
    return VT_BREAK_0;
}

int32_t Func_DeviceSelect(const InGameMenuEvent* event, int32_t step)
{
    if (!Pressed(event)) return VT_CONTINUE;
    if (!s_menu.arrowsActive[ROW_DEVICE]) return VT_NO_REGION;
    s_menu.copy.device3D =
        StepRound(s_menu.copy.device3D, step, VIDEO_NO_DEVICE, DX_MAX_DEVICES - 1, DeviceUsable);
    return VT_BREAK_0;
}

int32_t Func_ModeSelect(const InGameMenuEvent* event, int32_t step)
{
    if (!Pressed(event)) return VT_CONTINUE;
    if (s_menu.copy.mode < 0) return VT_NO_REGION;
    int32_t count = 0;
    GfxModeList(&count);
    s_menu.copy.mode = StepRound(s_menu.copy.mode, step, 0, count - 1, ModeQualifies);
    return VT_BREAK_0;
}

int32_t Func_MipMap(const InGameMenuEvent* event)
{
    if (!Pressed(event)) return VT_CONTINUE;
    if (!MenuHasDevice() || (MenuDeviceFlags() & DXDEV_MIPMAP_TEXTURES) == 0) return VT_NO_REGION;
    s_menu.copy.mipMapping = event->code;
    if (event->code == VIDEO_SWITCH_OFF && s_menu.copy.textureFiltering == VIDEO_FILTER_TRILINEAR)
        s_menu.copy.textureFiltering = VIDEO_FILTER_BILINEAR;
    return VT_BREAK_0;
}

int32_t Func_Filtering(const InGameMenuEvent* event)
{
    if (!Pressed(event)) return VT_CONTINUE;
    if (!MenuHasDevice()) return VT_NO_REGION;
    if ((MenuDeviceFlags() & DXDEV_SMOOTH_TEXTURES) == 0) return VT_BREAK_0;
    if (event->code == VIDEO_FILTER_TRILINEAR && s_menu.copy.mipMapping == VIDEO_SWITCH_OFF)
        return VT_CONTINUE;
    s_menu.copy.textureFiltering = event->code;
    return VT_BREAK_0;
}

int32_t Func_Lighting(const InGameMenuEvent* event)
{
    if (!Pressed(event)) return VT_CONTINUE;
    if (!MenuHasDevice()) return VT_NO_REGION;
    s_menu.copy.lighting = event->code;
    return VT_BREAK_0;
}

int32_t Func_Fog(const InGameMenuEvent* event)
{
    if (!Pressed(event)) return VT_CONTINUE;
    if (!MenuHasDevice()) return VT_NO_REGION;
    if ((MenuDeviceFlags() & VIDEO_FOG_TABLE) == 0) return VT_CONTINUE;
    s_menu.copy.fog = event->code;
    return VT_BREAK_0;
}

int32_t Func_TextureDetail(const InGameMenuEvent* event)
{
    if (!Pressed(event)) return VT_CONTINUE;
    if (!MenuHasDevice()) return VT_NO_REGION;
    s_menu.copy.textureDetail = event->code;
    return VT_BREAK_0;
}

int32_t Func_Apply(const InGameMenuEvent* event)
{
    return Pressed(event) ? Store(true) : VT_CONTINUE;
}

int32_t Func_Ok(const InGameMenuEvent* event)
{
    return Pressed(event) ? Store(false) : VT_CONTINUE;
}

int32_t Func_Cancel(const InGameMenuEvent* event)
{
    if (!Pressed(event)) return VT_CONTINUE;
    s_menu.applyAgain = false;
    return VT_BREAK_1;
}

const InGameScreen& VideoOptions_Screen()
{
    static const InGameMapBuilder map = [] {
        InGameMapBuilder b{};
        b.StaticTitleNo(0, TEXT_TITLE);
        b.Custom(DrawVideoMenu);
        for (int32_t row = 0; row < ARROW_ROWS; ++row) {
            const int32_t y = kArrowRowY[row];
            for (int32_t k = 0; k < 2; ++k) {
                const Box arrow = At(k == 0 ? kPrevious : kNext, y);
                b.Region(k, arrow.x, arrow.y, arrow.w, arrow.h, kArrows[row][k]);
            }
        }
        for (const ChoiceRowLayout& row : kChoiceRows) {
            for (int32_t k = 0; k < row.choices; ++k)
                b.Region(k, kChoiceX + k * kChoiceStep, row.y, kChoiceW, kChoiceH, row.callback);
        }
        for (const ButtonLayout& button : kButtons) {
            const Box& box = button.box;
            b.Region(0, box.x, box.y, box.w, box.h, button.callback);
        }
        b.Finish();
        return b;
    }();
    static const InGameScreen screen = {map.items, OpenVideoMenu, FillVideoMenu, nullptr};
    return screen;
}

void InGame_VideoOptionsMenu()
{
    do {
        s_menu.applyAgain = false;
        s_menu.changed = false;
        InGameScreen_Run(VideoOptions_Screen());
        if (s_menu.changed) RestartGraphics();
    } while (s_menu.applyAgain);
}

const VideoSettings& VideoOptions_Copy() { return s_menu.copy; }

const char* VideoOptions_ShownCard() { return s_menu.cardName; }

void VideoOptions_Register()
{
    FrontEndScreens.videoOptions = InGame_VideoOptionsMenu;
    ScriptRegisterValue("videodevice", [] { return Options.video.device3D; });
}
