// engine/host/input.cpp: keys as the game's key codes, typed text as the game's characters, the
// virtual cursor, the mouse buttons and the joysticks, whichever back end reports them.
#include <algorithm>
#include <array>
#include <string_view>

#include <SDL_scancode.h>

#include "engine/codepage.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/host/internal.h"

namespace {

struct ScancodeRow {
    SDL_Scancode scancode;
    uint32_t keyCode;  // set-1 scan code, plus HOST_KEY_EXTENDED for the extended keys
};

constexpr uint32_t EXT = HOST_KEY_EXTENDED;

// Keys by physical position: the key a US layout marks A gives 0x1E on every layout.
// clang-format off
constexpr auto SCANCODES = std::to_array<ScancodeRow>({
    // The main block.
    {SDL_SCANCODE_ESCAPE, 0x01},       {SDL_SCANCODE_1, 0x02},             {SDL_SCANCODE_2, 0x03},
    {SDL_SCANCODE_3, 0x04},            {SDL_SCANCODE_4, 0x05},             {SDL_SCANCODE_5, 0x06},
    {SDL_SCANCODE_6, 0x07},            {SDL_SCANCODE_7, 0x08},             {SDL_SCANCODE_8, 0x09},
    {SDL_SCANCODE_9, 0x0A},            {SDL_SCANCODE_0, 0x0B},             {SDL_SCANCODE_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, 0x0D},       {SDL_SCANCODE_BACKSPACE, 0x0E},     {SDL_SCANCODE_TAB, 0x0F},
    {SDL_SCANCODE_Q, 0x10},            {SDL_SCANCODE_W, 0x11},             {SDL_SCANCODE_E, 0x12},
    {SDL_SCANCODE_R, 0x13},            {SDL_SCANCODE_T, 0x14},             {SDL_SCANCODE_Y, 0x15},
    {SDL_SCANCODE_U, 0x16},            {SDL_SCANCODE_I, 0x17},             {SDL_SCANCODE_O, 0x18},
    {SDL_SCANCODE_P, 0x19},            {SDL_SCANCODE_LEFTBRACKET, 0x1A},   {SDL_SCANCODE_RIGHTBRACKET, 0x1B},
    {SDL_SCANCODE_RETURN, 0x1C},       {SDL_SCANCODE_LCTRL, 0x1D},         {SDL_SCANCODE_A, 0x1E},
    {SDL_SCANCODE_S, 0x1F},            {SDL_SCANCODE_D, 0x20},             {SDL_SCANCODE_F, 0x21},
    {SDL_SCANCODE_G, 0x22},            {SDL_SCANCODE_H, 0x23},             {SDL_SCANCODE_J, 0x24},
    {SDL_SCANCODE_K, 0x25},            {SDL_SCANCODE_L, 0x26},             {SDL_SCANCODE_SEMICOLON, 0x27},
    {SDL_SCANCODE_APOSTROPHE, 0x28},   {SDL_SCANCODE_GRAVE, 0x29},         {SDL_SCANCODE_LSHIFT, 0x2A},
    {SDL_SCANCODE_BACKSLASH, 0x2B},    {SDL_SCANCODE_NONUSHASH, 0x2B},     {SDL_SCANCODE_Z, 0x2C},
    {SDL_SCANCODE_X, 0x2D},            {SDL_SCANCODE_C, 0x2E},             {SDL_SCANCODE_V, 0x2F},
    {SDL_SCANCODE_B, 0x30},            {SDL_SCANCODE_N, 0x31},             {SDL_SCANCODE_M, 0x32},
    {SDL_SCANCODE_COMMA, 0x33},        {SDL_SCANCODE_PERIOD, 0x34},        {SDL_SCANCODE_SLASH, 0x35},
    {SDL_SCANCODE_RSHIFT, 0x36},       {SDL_SCANCODE_LALT, 0x38},          {SDL_SCANCODE_SPACE, 0x39},
    {SDL_SCANCODE_CAPSLOCK, 0x3A},     {SDL_SCANCODE_NONUSBACKSLASH, 0x56},
    // Function keys and locks.
    {SDL_SCANCODE_F1, 0x3B},           {SDL_SCANCODE_F2, 0x3C},            {SDL_SCANCODE_F3, 0x3D},
    {SDL_SCANCODE_F4, 0x3E},           {SDL_SCANCODE_F5, 0x3F},            {SDL_SCANCODE_F6, 0x40},
    {SDL_SCANCODE_F7, 0x41},           {SDL_SCANCODE_F8, 0x42},            {SDL_SCANCODE_F9, 0x43},
    {SDL_SCANCODE_F10, 0x44},          {SDL_SCANCODE_F11, 0x57},           {SDL_SCANCODE_F12, 0x58},
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x45}, {SDL_SCANCODE_SCROLLLOCK, 0x46},
    // The keypad.
    {SDL_SCANCODE_KP_MULTIPLY, 0x37},  {SDL_SCANCODE_KP_7, 0x47},          {SDL_SCANCODE_KP_8, 0x48},
    {SDL_SCANCODE_KP_9, 0x49},         {SDL_SCANCODE_KP_MINUS, 0x4A},      {SDL_SCANCODE_KP_4, 0x4B},
    {SDL_SCANCODE_KP_5, 0x4C},         {SDL_SCANCODE_KP_6, 0x4D},          {SDL_SCANCODE_KP_PLUS, 0x4E},
    {SDL_SCANCODE_KP_1, 0x4F},         {SDL_SCANCODE_KP_2, 0x50},          {SDL_SCANCODE_KP_3, 0x51},
    {SDL_SCANCODE_KP_0, 0x52},         {SDL_SCANCODE_KP_PERIOD, 0x53},
    // Extended keys.
    {SDL_SCANCODE_KP_ENTER, EXT | 0x1C}, {SDL_SCANCODE_RCTRL, EXT | 0x1D},  {SDL_SCANCODE_KP_DIVIDE, EXT | 0x35},
    {SDL_SCANCODE_RALT, EXT | 0x38},   {SDL_SCANCODE_HOME, EXT | 0x47},    {SDL_SCANCODE_UP, EXT | 0x48},
    {SDL_SCANCODE_PAGEUP, EXT | 0x49}, {SDL_SCANCODE_LEFT, EXT | 0x4B},    {SDL_SCANCODE_RIGHT, EXT | 0x4D},
    {SDL_SCANCODE_END, EXT | 0x4F},    {SDL_SCANCODE_DOWN, EXT | 0x50},    {SDL_SCANCODE_PAGEDOWN, EXT | 0x51},
    {SDL_SCANCODE_INSERT, EXT | 0x52}, {SDL_SCANCODE_DELETE, EXT | 0x53},
});
// clang-format on

constexpr auto KEY_CODES = [] {
    std::array<uint8_t, SDL_NUM_SCANCODES> codes{};
    for (const ScancodeRow& row : SCANCODES) {
        codes[row.scancode] = static_cast<uint8_t>(row.keyCode);
    }
    return codes;
}();

struct InputState {
    int32_t cursorX;
    int32_t cursorY;
    uint32_t cursorSets;
    uint32_t buttons;
    uint32_t pressedSinceRead;  // a tap's press and release can both fall between two reads
};

struct InputControls {
    bool swapped;
    int32_t joystickCount;
    HostFakeJoystick joysticks[HOST_MAX_JOYSTICKS];
};

InputState s_input;
InputControls s_inputControls;

}  // namespace

void HostInputReset() { s_input = {}; }

void HostInputResetControls() { s_inputControls = {}; }

uint32_t HostKeyCodeOfScancode(int32_t scancode)
{
    if (scancode < 0 || scancode >= static_cast<int32_t>(KEY_CODES.size())) return 0;
    return KEY_CODES[static_cast<size_t>(scancode)];
}

void HostOnKey(uint32_t keyCode, bool down, bool repeat)
{
    // A key-up carries the repeat bit too: the key was down before the message.
    HostMsgPost(down ? HOST_MSG_KEY_DOWN : HOST_MSG_KEY_UP, keyCode,
                HostKeyParam(keyCode, repeat || !down, !down));
}

void HostOnText(const char* utf8)
{
    const std::string_view text(utf8);
    for (size_t pos = 0; pos < text.size();) {
        uint32_t codePoint = 0;
        char byte = 0;
        if (!CodePageDecodeUtf8(text, &pos, &codePoint)) return;
        if (CodePageByteOf(codePoint, &byte))
            HostMsgPost(HOST_MSG_CHAR, static_cast<uint8_t>(byte), 0);
    }
}

void HostCursorGet(int32_t* x, int32_t* y)
{
    *x = s_input.cursorX;
    *y = s_input.cursorY;
}

void HostCursorSet(int32_t x, int32_t y)
{
    s_input.cursorX = x;
    s_input.cursorY = y;
    ++s_input.cursorSets;
}

uint32_t HostCursorSets() { return s_input.cursorSets; }

void HostOnMouseMotion(int32_t dx, int32_t dy)
{
    s_input.cursorX += dx;
    s_input.cursorY += dy;
    HostOnPointerMotion();
}

void HostOnPointerAt(int32_t x, int32_t y)
{
    int32_t originX, originY;
    HostWindowClientOrigin(&originX, &originY);
    s_input.cursorX = originX + x;
    s_input.cursorY = originY + y;
    HostOnPointerMotion();
}

void HostOnMouseButton(uint32_t button, bool down)
{
    if (down) {
        s_input.buttons |= button;
        s_input.pressedSinceRead |= button;
    } else {
        s_input.buttons &= ~button;
    }
}

uint32_t HostMouseButtons() { return s_input.buttons; }

uint32_t HostMouseButtonsRead()
{
    const uint32_t buttons = s_input.buttons | s_input.pressedSinceRead;
    s_input.pressedSinceRead = 0;
    return buttons;
}

bool HostMouseButtonsSwapped() { return s_inputControls.swapped; }

void HostInjectSwapButtons(bool swapped) { s_inputControls.swapped = swapped; }

void HostInjectSetJoysticks(const HostFakeJoystick* sticks, int32_t count)
{
    s_inputControls.joystickCount = std::clamp(count, 0, HOST_MAX_JOYSTICKS);
    std::copy(sticks, sticks + s_inputControls.joystickCount, s_inputControls.joysticks);
}

int32_t HostFakeJoystickCount() { return s_inputControls.joystickCount; }

const HostFakeJoystick* HostFakeJoysticks() { return s_inputControls.joysticks; }

int32_t HostJoystickCount() { return HostCurrentBackend().joystickCount(); }

bool HostJoystickGetCaps(int32_t index, HostJoystickCaps* caps)
{
    *caps = {};
    if (index < 0 || index >= HostJoystickCount()) return false;
    return HostCurrentBackend().joystickCaps(index, caps);
}

bool HostJoystickRead(int32_t index, HostJoystickPosition* position)
{
    *position = {};
    if (index < 0 || index >= HostJoystickCount()) return false;
    return HostCurrentBackend().joystickRead(index, position);
}
