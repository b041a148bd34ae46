// engine/script.cpp: the "-script" runner: parses the whole file first, then runs its commands
// from the host's pump as the clock periods pass.
#include "engine/script.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <strings.h>

#include "engine/codepage.h"
#include "engine/fatal.h"
#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"

namespace {

enum ScriptWord : uint32_t {
    SCR_WAIT,
    SCR_KEY,
    SCR_KEY_DOWN,
    SCR_KEY_UP,
    SCR_TYPE,
    SCR_MOVE,
    SCR_MOTION,
    SCR_PRESS,
    SCR_RELEASE,
    SCR_CLICK,
    SCR_TAP,
    SCR_DEACTIVATE,
    SCR_ACTIVATE,
    SCR_CLOSE,
    SCR_GRAB,
    SCR_PIXEL,
    SCR_HASH,
    SCR_ECHO,
    SCR_PRINT,
    SCR_AUDIO,
    SCR_UNTIL,
    SCR_EXPECT,
    SCR_COUNT
};

// What follows a command's name.
enum ArgShape {
    ARGS_NONE,
    ARGS_PERIODS,
    ARGS_KEY,
    ARGS_KEY_COUNT,
    ARGS_TEXT,
    ARGS_PIXEL,
    ARGS_POINT,      // x, y and an optional button: "right" or "middle"
    ARGS_MOTION,     // dx, dy: signed
    ARGS_CONDITION,  // NAME OP VALUE [and NAME OP VALUE], and for `until` an optional "max N"
};

enum CompareOp { OP_EQ, OP_NE, OP_LT, OP_LE, OP_GT, OP_GE };

struct Condition {
    std::string name;  // a registered value
    CompareOp op;
    int32_t value;
};

struct ScriptCommand {
    ScriptWord word;
    int32_t line;
    uint32_t numbers[3];  // periods; key code and count; x, y and the colour or button; dx, dy
    std::string text;     // `type`: the characters, Windows-1252
    std::vector<Condition> conditions;
    int32_t source;  // the script file the line is in
};

// One step of a command: done, or not yet and to be resumed after `waitPeriods`.
struct Step {
    bool done;
    uint32_t waitPeriods;
};

using RunFunction = Step (*)(const ScriptCommand& command);

struct CommandRow {
    ScriptWord word;
    const char* name;
    ArgShape args;
    RunFunction run;
};

struct ScriptValue {
    std::string name;
    ScriptValueFn get;
};

struct ScriptState {
    std::string name;                  // empty: no script
    std::vector<std::string> sources;  // the script and the files it includes
    std::vector<ScriptValue> values;
    int32_t failSource;  // the file of the command running
    std::vector<ScriptCommand> commands;
    bool running;
    bool endRule;
    bool clockSeen;       // time counts from the first pump with the clock running
    size_t next;          // the command to run next
    uint32_t phase;       // steps done of the current command (key presses, pointer moves)
    uint32_t cursorSets;  // HostCursorSets() when a move pinned the pointer
    uint32_t resumeAt;
    bool ended;
    uint32_t endedAt;
};

ScriptState s_script;

constexpr uint32_t MAX_KEY_CODE = 255;
// A motion that takes any clamped pointer to (0, 0), from where a move is counted.
constexpr int32_t PIN_MOTION = -4096;
constexpr uint32_t MOVE_PHASES = 3;  // the steps of a pointer move before its command's own
constexpr uint32_t CLICK_HOLD_PERIODS = 2;
constexpr uint32_t CLICK_AFTER_PERIODS = 12;  // past the menu loop's wait for a click's release
constexpr int32_t MAX_INCLUDE_DEPTH = 8;

struct KeyName {
    const char* name;
    uint32_t code;
};

// clang-format off
constexpr auto KEY_NAMES = std::to_array<KeyName>({
    {"Escape", 0x01},    {"Enter", 0x1C},     {"Return", 0x1C},   {"Space", 0x39},
    {"Backspace", 0x0E}, {"Tab", 0x0F},       {"Delete", 0xD3},   {"Insert", 0xD2},
    {"Home", 0xC7},      {"End", 0xCF},       {"PageUp", 0xC9},   {"PageDown", 0xD1},
    {"Left", 0xCB},      {"Right", 0xCD},     {"Up", 0xC8},       {"Down", 0xD0},
    {"F1", 0x3B},        {"F2", 0x3C},        {"F3", 0x3D},       {"F4", 0x3E},
    {"F5", 0x3F},        {"F6", 0x40},        {"F7", 0x41},       {"F8", 0x42},
    {"F9", 0x43},        {"F10", 0x44},       {"F11", 0x57},      {"F12", 0x58},
    {"KpEnter", 0x9C},   {"LShift", 0x2A},    {"RShift", 0x36},   {"LCtrl", 0x1D},
    {"RCtrl", 0x9D},     {"LAlt", 0x38},      {"RAlt", 0xB8},     {"CapsLock", 0x3A},
    {"ScrollLock", 0x46},
    {"A", 0x1E}, {"B", 0x30}, {"C", 0x2E}, {"D", 0x20}, {"E", 0x12}, {"F", 0x21}, {"G", 0x22},
    {"H", 0x23}, {"I", 0x17}, {"J", 0x24}, {"K", 0x25}, {"L", 0x26}, {"M", 0x32}, {"N", 0x31},
    {"O", 0x18}, {"P", 0x19}, {"Q", 0x10}, {"R", 0x13}, {"S", 0x1F}, {"T", 0x14}, {"U", 0x16},
    {"V", 0x2F}, {"W", 0x11}, {"X", 0x2D}, {"Y", 0x15}, {"Z", 0x2C},
});
// clang-format on

// ---------------------------------------------------------------------------------------------
// The commands.

Step Done() { return {true, 0}; }

Step RunWait(const ScriptCommand& command) { return {true, command.numbers[0]}; }

void PostKey(uint32_t code, bool released)
{
    HostMsgPost(released ? HOST_MSG_KEY_UP : HOST_MSG_KEY_DOWN, code,
                HostKeyParam(code, released, released));
}

// Each press: key-down, key-up one period later, the next press one period after that.
Step RunKey(const ScriptCommand& command)
{
    const uint32_t code = command.numbers[0];
    const uint32_t count = command.numbers[1];
    const bool released = s_script.phase % 2 == 1;
    PostKey(code, released);
    ++s_script.phase;
    if (s_script.phase == 2 * count) return Done();
    return {false, 1};
}

Step RunKeyDown(const ScriptCommand& command)
{
    PostKey(command.numbers[0], false);
    return Done();
}

Step RunKeyUp(const ScriptCommand& command)
{
    PostKey(command.numbers[0], true);
    return Done();
}

// Each character as the window system's text input gives it, one period apart.
Step RunType(const ScriptCommand& command)
{
    if (s_script.phase == command.text.size()) return Done();
    HostMsgPost(HOST_MSG_CHAR, static_cast<uint8_t>(command.text[s_script.phase]), 0);
    ++s_script.phase;
    return {false, 1};
}

// The steps of every pointer command before its own: the game sees only motion, so the pointer is
// first pinned at (0, 0), then, once the game has read the mouse, moved by (x, y); once the game
// has read that too, one more period lets the frame it drew be presented. Answers true when they
// are done.
bool MoveStep(const ScriptCommand& command, Step* step)
{
    *step = {false, 1};
    const bool read = HostCursorSets() != s_script.cursorSets;
    switch (s_script.phase) {
        case 0: HostOnMouseMotion(PIN_MOTION, PIN_MOTION); break;
        case 1:
            if (!read) return false;
            HostOnMouseMotion(static_cast<int32_t>(command.numbers[0]),
                              static_cast<int32_t>(command.numbers[1]));
            break;
        case 2:
            if (!read) return false;
            break;
        default: return true;
    }
    s_script.cursorSets = HostCursorSets();
    ++s_script.phase;
    return false;
}

Step RunMove(const ScriptCommand& command)
{
    Step step{};
    return MoveStep(command, &step) ? Done() : step;
}

Step RunMotion(const ScriptCommand& command)
{
    HostOnMouseMotion(static_cast<int32_t>(command.numbers[0]),
                      static_cast<int32_t>(command.numbers[1]));
    return Done();
}

Step RunPress(const ScriptCommand& command)
{
    Step step{};
    if (!MoveStep(command, &step)) return step;
    HostOnMouseButton(command.numbers[2], true);
    return Done();
}

Step RunRelease(const ScriptCommand&)
{
    HostOnMouseButton(HOST_BUTTON_LEFT | HOST_BUTTON_RIGHT | HOST_BUTTON_MIDDLE, false);
    return Done();
}

Step RunClick(const ScriptCommand& command)
{
    Step step{};
    if (!MoveStep(command, &step)) return step;
    const bool down = s_script.phase == MOVE_PHASES;
    HostOnMouseButton(command.numbers[2], down);
    ++s_script.phase;
    return down ? Step{false, CLICK_HOLD_PERIODS} : Step{true, CLICK_AFTER_PERIODS};
}

// A click where the pointer stands: a move would first pin it to the corner, which closes an
// open popup before the click could reach its entry.
Step RunTap(const ScriptCommand&)
{
    const bool down = s_script.phase == 0;
    HostOnMouseButton(HOST_BUTTON_LEFT, down);
    ++s_script.phase;
    return down ? Step{false, CLICK_HOLD_PERIODS} : Step{true, CLICK_AFTER_PERIODS};
}

Step RunDeactivate(const ScriptCommand&)
{
    HostOnFocusChange(false);
    return Done();
}

Step RunActivate(const ScriptCommand&)
{
    HostOnFocusChange(true);
    return Done();
}

Step RunClose(const ScriptCommand&)
{
    HostOnCloseRequest();
    return Done();
}

Step RunGrab(const ScriptCommand& command)
{
    if (!HostWriteFramePng(command.text.c_str()))
        ScriptFail(command.line, "cannot grab the frame into '%s'", command.text.c_str());
    return Done();
}

Step RunPixel(const ScriptCommand& command)
{
    const HostFrame frame = HostLastFrame();
    const uint32_t x = command.numbers[0];
    const uint32_t y = command.numbers[1];
    if (frame.number == 0) ScriptFail(command.line, "no frame has been presented");
    if (x >= static_cast<uint32_t>(frame.width) || y >= static_cast<uint32_t>(frame.height))
        ScriptFail(command.line, "pixel (%u,%u) is outside the %dx%d frame", x, y, frame.width,
                   frame.height);
    const uint8_t* p = frame.rgb + (static_cast<size_t>(y) * frame.width + x) * 3;
    const uint32_t actual = static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
    if (actual != command.numbers[2])
        ScriptFail(command.line, "pixel (%u,%u) is %06X, expected %06X", x, y, actual,
                   command.numbers[2]);
    return Done();
}

Step RunHash(const ScriptCommand&)
{
    std::printf("script: frame %u hash %016llx\n", HostLastFrame().number,
                static_cast<unsigned long long>(HostFrameHash()));
    return Done();
}

Step RunEcho(const ScriptCommand& command)
{
    std::printf("script: %s\n", command.text.c_str());
    return Done();
}

// A real sound device keeps no record: the line is refused and the run goes on.
Step RunAudio(const ScriptCommand& command)
{
    if (!HostInjectAudioCapturing()) {
        std::fprintf(stderr, "script: %s:%d: no sound is recorded with a real sound device\n",
                     s_script.name.c_str(), command.line);
    } else if (!HostWriteCaptureWave(command.text.c_str())) {
        ScriptFail(command.line, "cannot write the sound into '%s'", command.text.c_str());
    }
    return Done();
}

// A registered value's current reading; a name nobody registered ends the run.
int32_t ReadValue(const ScriptCommand& command, const std::string& name)
{
    for (const ScriptValue& v : s_script.values) {
        if (v.name == name) return v.get();
    }
    ScriptFail(command.line, "unknown value '%s'", name.c_str());
}

Step RunPrint(const ScriptCommand& command)
{
    std::printf("script: %s = %d\n", command.text.c_str(), ReadValue(command, command.text));
    return Done();
}

// Whether every condition holds.
bool ConditionsHold(const ScriptCommand& command)
{
    for (const Condition& c : command.conditions) {
        const int32_t actual = ReadValue(command, c.name);
        const bool holds = c.op == OP_EQ   ? actual == c.value
                           : c.op == OP_NE ? actual != c.value
                           : c.op == OP_LT ? actual < c.value
                           : c.op == OP_LE ? actual <= c.value
                           : c.op == OP_GT ? actual > c.value
                                           : actual >= c.value;
        if (!holds) return false;
    }
    return true;
}

// One check per period; numbers[0] is the most periods to wait.
Step RunUntil(const ScriptCommand& command)
{
    if (ConditionsHold(command)) return Done();
    if (s_script.phase >= command.numbers[0])
        ScriptFail(command.line, "the condition still fails after %u periods", command.numbers[0]);
    ++s_script.phase;
    return {false, 1};
}

Step RunExpect(const ScriptCommand& command)
{
    if (!ConditionsHold(command)) ScriptFail(command.line, "the condition fails");
    return Done();
}

// clang-format off
constexpr auto COMMANDS = std::to_array<CommandRow>({
    // Time.
    {SCR_WAIT,       "wait",       ARGS_PERIODS,   RunWait},
    // Keys, by the game's key codes or their names, and typed text.
    {SCR_KEY,        "key",        ARGS_KEY_COUNT, RunKey},
    {SCR_KEY_DOWN,   "keydown",    ARGS_KEY,       RunKeyDown},
    {SCR_KEY_UP,     "keyup",      ARGS_KEY,       RunKeyUp},
    {SCR_TYPE,       "type",       ARGS_TEXT,      RunType},
    // The mouse, at points of the game's screen.
    {SCR_MOVE,       "move",       ARGS_POINT,     RunMove},
    {SCR_MOTION,     "motion",     ARGS_MOTION,    RunMotion},
    {SCR_PRESS,      "press",      ARGS_POINT,     RunPress},
    {SCR_RELEASE,    "release",    ARGS_NONE,      RunRelease},
    {SCR_CLICK,      "click",      ARGS_POINT,     RunClick},
    {SCR_TAP,        "tap",        ARGS_NONE,      RunTap},
    // The window.
    {SCR_DEACTIVATE, "deactivate", ARGS_NONE,      RunDeactivate},
    {SCR_ACTIVATE,   "activate",   ARGS_NONE,      RunActivate},
    {SCR_CLOSE,      "close",      ARGS_NONE,      RunClose},
    // The last presented frame, and the output.
    {SCR_GRAB,       "grab",       ARGS_TEXT,      RunGrab},
    {SCR_PIXEL,      "pixel",      ARGS_PIXEL,     RunPixel},
    {SCR_HASH,       "hash",       ARGS_NONE,      RunHash},
    {SCR_ECHO,       "echo",       ARGS_TEXT,      RunEcho},
    {SCR_PRINT,      "print",      ARGS_TEXT,      RunPrint},
    // The sound played so far (headless).
    {SCR_AUDIO,      "audio",      ARGS_TEXT,      RunAudio},
    // Conditions over the values that the game's modules register.
    {SCR_UNTIL,      "until",      ARGS_CONDITION, RunUntil},
    {SCR_EXPECT,     "expect",     ARGS_CONDITION, RunExpect},
});
// clang-format on

static_assert(COMMANDS.size() == SCR_COUNT, "one row per script command");

consteval bool EveryCommandInPlace()
{
    for (size_t i = 0; i < COMMANDS.size(); ++i) {
        if (COMMANDS[i].word != i || COMMANDS[i].run == nullptr) return false;
    }
    return true;
}
static_assert(EveryCommandInPlace(), "a command row is out of order or has no handler");

// ---------------------------------------------------------------------------------------------
// Parsing.

bool ParseNumber(const std::string& token, uint32_t* value)
{
    const bool hex = token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
    const size_t start = hex ? 2 : 0;
    if (token.size() == start) return false;
    uint64_t result = 0;
    for (size_t i = start; i < token.size(); ++i) {
        const int c = static_cast<unsigned char>(token[i]);
        if (hex ? !std::isxdigit(c) : !std::isdigit(c)) return false;
        const uint64_t digit = std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10;
        result = result * (hex ? 16 : 10) + digit;
        if (result > UINT32_MAX) return false;
    }
    *value = static_cast<uint32_t>(result);
    return true;
}

bool ParseColour(const std::string& token, uint32_t* value)
{
    if (token.size() != 6) return false;
    for (char c : token) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    }
    *value = static_cast<uint32_t>(std::strtoul(token.c_str(), nullptr, 16));
    return true;
}

// A signed decimal number, for motions.
bool ParseSigned(const std::string& token, uint32_t* value)
{
    const bool negative = !token.empty() && token[0] == '-';
    uint32_t magnitude = 0;
    if (!ParseNumber(negative ? token.substr(1) : token, &magnitude) || magnitude > INT32_MAX)
        return false;
    *value = static_cast<uint32_t>(negative ? -static_cast<int32_t>(magnitude)
                                            : static_cast<int32_t>(magnitude));
    return true;
}

// A key code, or a key's name without regard to case. A token that reads as a number is a code,
// so the digit keys are given by their codes.
bool ParseKey(const std::string& token, uint32_t* code)
{
    if (ParseNumber(token, code)) return *code <= MAX_KEY_CODE;
    for (const KeyName& key : KEY_NAMES) {
        if (strcasecmp(key.name, token.c_str()) != 0) continue;
        *code = key.code;
        return true;
    }
    return false;
}

bool ParseButton(const std::string& token, uint32_t* button)
{
    if (token == "right") *button = HOST_BUTTON_RIGHT;
    if (token == "middle") *button = HOST_BUTTON_MIDDLE;
    return token == "right" || token == "middle";
}

// One argument of a command with numbers: false when it is not one.
bool ParseArgument(ArgShape args, size_t index, const std::string& token, uint32_t* value)
{
    switch (args) {
        case ARGS_KEY: return ParseKey(token, value);
        case ARGS_KEY_COUNT:
            if (index == 0) return ParseKey(token, value);
            return ParseNumber(token, value) && *value >= 1;
        case ARGS_PIXEL: return index == 2 ? ParseColour(token, value) : ParseNumber(token, value);
        case ARGS_POINT:
            if (index == 2) return ParseButton(token, value);
            return ParseNumber(token, value) && *value <= static_cast<uint32_t>(-PIN_MOTION);
        case ARGS_MOTION: return ParseSigned(token, value);
        default: return ParseNumber(token, value);
    }
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// A text argument: double-quoted, or else the rest of the line.
bool ParseText(const std::string& rest, std::string* text, std::string* reason)
{
    if (rest.empty() || rest[0] != '"') {
        *text = rest;
        return true;
    }
    const size_t close = rest.find('"', 1);
    if (close == std::string::npos) {
        *reason = "unterminated text " + rest;
        return false;
    }
    if (close + 1 != rest.size()) {
        *reason = "text after the closing quote: " + rest.substr(close + 1);
        return false;
    }
    *text = rest.substr(1, close - 1);
    return true;
}

std::vector<std::string> Tokens(const std::string& rest)
{
    std::istringstream stream(rest);
    std::vector<std::string> tokens;
    for (std::string token; stream >> token;) {
        tokens.push_back(token);
    }
    return tokens;
}

// Checks the numbers of a command: how many, and the range of each.
bool ParseNumbers(const CommandRow& row, const std::string& rest, ScriptCommand* command,
                  std::string* reason)
{
    const std::vector<std::string> tokens = Tokens(rest);
    size_t wanted = 0;
    size_t optional = 0;
    switch (row.args) {
        case ARGS_PERIODS: wanted = 1; break;
        case ARGS_KEY: wanted = 1; break;
        case ARGS_KEY_COUNT: wanted = 1, optional = 1; break;
        case ARGS_PIXEL: wanted = 3; break;
        case ARGS_POINT: wanted = 2, optional = 1; break;
        case ARGS_MOTION: wanted = 2; break;
        default: break;
    }
    const std::string name = row.name;
    if (tokens.size() < wanted) {
        *reason = "missing argument to '" + name + "'";
        return false;
    }
    if (tokens.size() > wanted + optional) {
        *reason = "extra argument '" + tokens[wanted + optional] + "' to '" + name + "'";
        return false;
    }
    command->numbers[1] = 1;                                             // a key's default count
    if (row.args == ARGS_POINT) command->numbers[2] = HOST_BUTTON_LEFT;  // the default button
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (!ParseArgument(row.args, i, tokens[i], &command->numbers[i])) {
            *reason = "bad argument '" + tokens[i] + "' to '" + name + "'";
            return false;
        }
    }
    return true;
}

// The characters of a UTF-8 `type` text in the game's character set; a character it lacks, or
// one nobody can type (a control character), is refused.
bool TypedText(const std::string& utf8, std::string* typed, std::string* reason)
{
    std::string result;
    for (size_t pos = 0; pos < utf8.size();) {
        uint32_t codePoint = 0;
        char byte = 0;
        if (!CodePageDecodeUtf8(utf8, &pos, &codePoint)) {
            *reason = "the text is not UTF-8";
            return false;
        }
        if (!CodePageByteOf(codePoint, &byte)) {
            char shown[64];
            std::snprintf(shown, sizeof shown,
                          "U+%04X cannot be typed: not a Windows-1252 character", codePoint);
            *reason = shown;
            return false;
        }
        result.push_back(byte);
    }
    *typed = result;
    return true;
}

bool ParseOp(const std::string& token, CompareOp* op)
{
    static constexpr const char* OPS[] = {"==", "!=", "<", "<=", ">", ">="};
    for (int32_t i = 0; i < 6; ++i) {
        if (token == OPS[i]) {
            *op = static_cast<CompareOp>(i);
            return true;
        }
    }
    return false;
}

// NAME OP VALUE, joined by "and"; `until` may end with "max N" (else SCRIPT_END_PERIODS).
bool ParseConditions(const CommandRow& row, const std::string& rest, ScriptCommand* command,
                     std::string* reason)
{
    std::vector<std::string> tokens = Tokens(rest);
    command->numbers[0] = SCRIPT_END_PERIODS;
    const std::string name = row.name;
    if (row.word == SCR_UNTIL && tokens.size() >= 2 && tokens[tokens.size() - 2] == "max") {
        if (!ParseNumber(tokens.back(), &command->numbers[0])) {
            *reason = "bad argument '" + tokens.back() + "' to '" + name + "'";
            return false;
        }
        tokens.resize(tokens.size() - 2);
    }
    for (size_t i = 0; i < tokens.size(); i += 4) {
        Condition c{};
        uint32_t magnitude = 0;
        if (i + 3 > tokens.size() || !ParseOp(tokens[i + 1], &c.op)
            || !ParseSigned(tokens[i + 2], &magnitude)
            || (i + 3 < tokens.size() && tokens[i + 3] != "and")) {
            *reason = "bad condition '" + rest + "' to '" + name + "'";
            return false;
        }
        c.name = tokens[i];
        c.value = static_cast<int32_t>(magnitude);
        command->conditions.push_back(c);
    }
    if (command->conditions.empty() || tokens.size() % 4 != 3) {
        *reason = "bad condition '" + rest + "' to '" + name + "'";
        return false;
    }
    return true;
}

// What a parse builds: the commands, and the files they come from.
struct ParseContext {
    std::vector<ScriptCommand> commands;
    std::vector<std::string> sources;
};

bool ParseScriptText(const std::string& name, const std::string& text, int32_t depth,
                     ParseContext* context, std::string* error);

// An included file, relative to the folder of the script that names it. A failure inside it is
// already a whole message, naming its own line: *nested says so.
bool ParseInclude(const std::string& including, const std::string& file, int32_t depth,
                  ParseContext* context, std::string* reason, bool* nested)
{
    if (file.empty()) {
        *reason = "missing argument to 'include'";
        return false;
    }
    if (depth >= MAX_INCLUDE_DEPTH) {
        *reason = "includes nested too deep at '" + file + "'";
        return false;
    }
    const std::filesystem::path path = std::filesystem::path(including).parent_path() / file;
    std::error_code ignored;
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream text;
    if (stream) text << stream.rdbuf();
    if (!std::filesystem::is_regular_file(path, ignored) || !stream || stream.bad()) {
        *reason = "cannot read the included script '" + path.string() + "'";
        return false;
    }
    *nested = true;
    return ParseScriptText(path.string(), text.str(), depth + 1, context, reason);
}

// One line: false with the reason when it is not a command; blank lines and comments give none.
bool ParseLine(const std::string& raw, int32_t line, std::vector<ScriptCommand>* commands,
               std::string* reason)
{
    const std::string text = Trimmed(raw);
    if (text.empty() || text[0] == '#') return true;
    const size_t nameEnd = text.find_first_of(" \t");
    const std::string name = text.substr(0, nameEnd);
    const std::string rest = nameEnd == std::string::npos ? "" : Trimmed(text.substr(nameEnd));
    for (const CommandRow& row : COMMANDS) {
        if (name != row.name) continue;
        ScriptCommand command{row.word, line, {0, 0, 0}, "", {}, 0};
        const bool ok = row.args == ARGS_TEXT        ? ParseText(rest, &command.text, reason)
                        : row.args == ARGS_CONDITION ? ParseConditions(row, rest, &command, reason)
                                                     : ParseNumbers(row, rest, &command, reason);
        if (!ok) return false;
        const bool needsText =
            row.word == SCR_GRAB || row.word == SCR_AUDIO || row.word == SCR_PRINT;
        if (needsText && command.text.empty()) {
            *reason = "missing argument to '" + name + "'";
            return false;
        }
        if (row.word == SCR_TYPE && !TypedText(command.text, &command.text, reason)) return false;
        commands->push_back(command);
        return true;
    }
    *reason = "unknown command '" + name + "'";
    return false;
}

bool ParseScriptText(const std::string& name, const std::string& text, int32_t depth,
                     ParseContext* context, std::string* error)
{
    const auto source = static_cast<int32_t>(context->sources.size());
    context->sources.push_back(name);
    std::istringstream lines(text);
    int32_t line = 0;
    for (std::string raw; std::getline(lines, raw);) {
        ++line;
        std::string reason;
        bool nested = false;
        const std::string trimmed = Trimmed(raw);
        const bool include = trimmed.rfind("include", 0) == 0
                             && (trimmed.size() == 7 || trimmed[7] == ' ' || trimmed[7] == '\t');
        const size_t before = context->commands.size();
        const bool ok = include ? ParseInclude(name, Trimmed(trimmed.substr(7)), depth, context,
                                               &reason, &nested)
                                : ParseLine(raw, line, &context->commands, &reason);
        if (!ok) {
            *error =
                nested ? reason : "script: " + name + ":" + std::to_string(line) + ": " + reason;
            return false;
        }
        if (!include && context->commands.size() > before) context->commands.back().source = source;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Running.

[[noreturn]] void EndRun(const char* message)
{
    std::fprintf(stderr, "%s\n", message);
    std::fflush(stdout);
    std::fflush(stderr);
    OnExitRun();
    std::exit(SCRIPT_EXIT_CODE);
}

int32_t LastLine() { return s_script.commands.empty() ? 0 : s_script.commands.back().line; }

[[noreturn]] void FailStillRunning()
{
    if (!s_script.commands.empty()) s_script.failSource = s_script.commands.back().source;
    ScriptFail(LastLine(), "the script has ended and the program is still running");
}

void CheckEndRule()
{
    if (s_script.endRule && s_script.ended
        && ClockPeriods() - s_script.endedAt >= SCRIPT_END_PERIODS)
        FailStillRunning();
}

void RunDue()
{
    if (!s_script.running || !ClockRunning()) return;
    const uint32_t now = ClockPeriods();
    if (!s_script.clockSeen) {
        s_script.clockSeen = true;
        s_script.resumeAt = now;
    }
    while (s_script.next < s_script.commands.size() && now >= s_script.resumeAt) {
        const ScriptCommand& command = s_script.commands[s_script.next];
        s_script.failSource = command.source;
        const Step step = COMMANDS[command.word].run(command);
        s_script.resumeAt = now + step.waitPeriods;
        if (step.done) {
            ++s_script.next;
            s_script.phase = 0;
        }
    }
    // The last command is over once its own wait has passed too.
    if (!s_script.ended && s_script.next == s_script.commands.size() && now >= s_script.resumeAt) {
        s_script.ended = true;
        s_script.endedAt = now;
    }
    CheckEndRule();
}

bool WillPost() { return s_script.running && !s_script.ended; }

void Stalled()
{
    if (s_script.endRule) FailStillRunning();
}

void OnPeriod() { CheckEndRule(); }

constexpr HostDriver DRIVER = {RunDue, WillPost, Stalled};

bool WritesSound()
{
    return std::any_of(s_script.commands.begin(), s_script.commands.end(),
                       [](const ScriptCommand& c) { return c.word == SCR_AUDIO; });
}

}  // namespace

void ScriptRegisterValue(const char* name, ScriptValueFn get)
{
    for (ScriptValue& v : s_script.values) {
        if (v.name == name) {
            v.get = get;
            return;
        }
    }
    s_script.values.push_back({name, get});
}

void ScriptInit()
{
    ScriptStop();
    s_script = {};
}

void ScriptUninit() { ScriptInit(); }

bool ScriptParse(const char* name, const std::string& text, std::string* error)
{
    ParseContext context;
    if (!ParseScriptText(name, text, 0, &context, error)) return false;
    s_script.name = name;
    s_script.sources = std::move(context.sources);
    s_script.commands = std::move(context.commands);
    return true;
}

void ScriptLoad(const char* path)
{
    std::error_code ignored;
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    if (file) text << file.rdbuf();
    if (!std::filesystem::is_regular_file(path, ignored) || !file || file.bad())
        EndRun((std::string("script: ") + path + ":0: cannot read the script").c_str());
    std::string error;
    if (!ScriptParse(path, text.str(), &error)) EndRun(error.c_str());
}

void ScriptStart(bool endRule)
{
    ScriptStop();
    s_script.running = true;
    s_script.endRule = endRule;
    s_script.clockSeen = false;
    s_script.next = 0;
    s_script.phase = 0;
    s_script.ended = false;
    HostSetDriver(&DRIVER);
    if (endRule) ClockAddListener(OnPeriod);
    // A headless run that writes its sound records it from the start; mixing what nobody keeps
    // would cost a watched match a tenth of its time.
    if (endRule && WritesSound()) HostInjectAudioCapture(true);
}

void ScriptStop()
{
    if (!s_script.running) return;
    s_script.running = false;
    HostSetDriver(nullptr);
    ClockRemoveListener(OnPeriod);
}

void ScriptFail(int32_t line, const char* format, ...)
{
    char reason[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(reason, sizeof reason, format, args);
    va_end(args);
    char message[1024];
    if (s_script.name.empty()) {
        std::snprintf(message, sizeof message, "script: %s", reason);
    } else {
        const std::string& file =
            s_script.sources.empty() ? s_script.name : s_script.sources[s_script.failSource];
        std::snprintf(message, sizeof message, "script: %s:%d: %s", file.c_str(), line, reason);
    }
    EndRun(message);
}
