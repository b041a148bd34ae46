// engine/script.cpp: the "-script" runner: parses the whole file first, then runs its commands
// from the host's pump as the clock periods pass.
#include "engine/script.h"

#include <array>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "engine/fatal.h"
#include "engine/host/clock.h"
#include "engine/host/host.h"

namespace {

enum ScriptWord : uint32_t {
    SCR_WAIT,
    SCR_KEY,
    SCR_KEY_DOWN,
    SCR_KEY_UP,
    SCR_DEACTIVATE,
    SCR_ACTIVATE,
    SCR_CLOSE,
    SCR_GRAB,
    SCR_PIXEL,
    SCR_HASH,
    SCR_ECHO,
    SCR_COUNT
};

// What follows a command's name.
enum ArgShape { ARGS_NONE, ARGS_PERIODS, ARGS_KEY, ARGS_KEY_COUNT, ARGS_TEXT, ARGS_PIXEL };

struct ScriptCommand {
    ScriptWord word;
    int32_t line;
    uint32_t numbers[3];  // periods; key code and count; x, y and the colour
    std::string text;
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

struct ScriptState {
    std::string name;  // empty: no script
    std::vector<ScriptCommand> commands;
    bool running;
    bool endRule;
    bool clockSeen;  // time counts from the first pump with the clock running
    size_t next;     // the command to run next
    uint32_t phase;  // steps done of the current command (key presses)
    uint32_t resumeAt;
    bool ended;
    uint32_t endedAt;
};

ScriptState s_script;

constexpr uint32_t MAX_KEY_CODE = 255;

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

// clang-format off
constexpr auto kCommands = std::to_array<CommandRow>({
    // Time.
    {SCR_WAIT,       "wait",       ARGS_PERIODS,   RunWait},
    // Keys, by the game's key codes.
    {SCR_KEY,        "key",        ARGS_KEY_COUNT, RunKey},
    {SCR_KEY_DOWN,   "keydown",    ARGS_KEY,       RunKeyDown},
    {SCR_KEY_UP,     "keyup",      ARGS_KEY,       RunKeyUp},
    // The window.
    {SCR_DEACTIVATE, "deactivate", ARGS_NONE,      RunDeactivate},
    {SCR_ACTIVATE,   "activate",   ARGS_NONE,      RunActivate},
    {SCR_CLOSE,      "close",      ARGS_NONE,      RunClose},
    // The last presented frame, and the output.
    {SCR_GRAB,       "grab",       ARGS_TEXT,      RunGrab},
    {SCR_PIXEL,      "pixel",      ARGS_PIXEL,     RunPixel},
    {SCR_HASH,       "hash",       ARGS_NONE,      RunHash},
    {SCR_ECHO,       "echo",       ARGS_TEXT,      RunEcho},
});
// clang-format on

static_assert(kCommands.size() == SCR_COUNT, "one row per script command");

consteval bool EveryCommandInPlace()
{
    for (size_t i = 0; i < kCommands.size(); ++i) {
        if (kCommands[i].word != i || kCommands[i].run == nullptr) return false;
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
    command->numbers[1] = 1;  // a key's default count
    for (size_t i = 0; i < tokens.size(); ++i) {
        const bool colour = row.args == ARGS_PIXEL && i == 2;
        bool ok = colour ? ParseColour(tokens[i], &command->numbers[i])
                         : ParseNumber(tokens[i], &command->numbers[i]);
        const bool isKeyCode = (row.args == ARGS_KEY || row.args == ARGS_KEY_COUNT) && i == 0;
        if (isKeyCode) ok = ok && command->numbers[0] <= MAX_KEY_CODE;
        if (row.args == ARGS_KEY_COUNT && i == 1) ok = ok && command->numbers[1] >= 1;
        if (!ok) {
            *reason = "bad argument '" + tokens[i] + "' to '" + name + "'";
            return false;
        }
    }
    return true;
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
    for (const CommandRow& row : kCommands) {
        if (name != row.name) continue;
        ScriptCommand command{row.word, line, {0, 0, 0}, ""};
        const bool ok = row.args == ARGS_TEXT ? ParseText(rest, &command.text, reason)
                                              : ParseNumbers(row, rest, &command, reason);
        if (!ok) return false;
        if (row.word == SCR_GRAB && command.text.empty()) {
            *reason = "missing argument to 'grab'";
            return false;
        }
        commands->push_back(command);
        return true;
    }
    *reason = "unknown command '" + name + "'";
    return false;
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
        const Step step = kCommands[command.word].run(command);
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

constexpr HostDriver kDriver = {RunDue, WillPost, Stalled};

}  // namespace

void ScriptInit()
{
    ScriptStop();
    s_script = {};
}

void ScriptUninit() { ScriptInit(); }

bool ScriptParse(const char* name, const std::string& text, std::string* error)
{
    std::vector<ScriptCommand> commands;
    std::istringstream lines(text);
    int32_t line = 0;
    for (std::string raw; std::getline(lines, raw);) {
        std::string reason;
        if (!ParseLine(raw, ++line, &commands, &reason)) {
            *error = "script: " + std::string(name) + ":" + std::to_string(line) + ": " + reason;
            return false;
        }
    }
    s_script.name = name;
    s_script.commands = std::move(commands);
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
    HostSetDriver(&kDriver);
    if (endRule) ClockAddListener(OnPeriod);
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
        std::snprintf(message, sizeof message, "script: %s:%d: %s", s_script.name.c_str(), line,
                      reason);
    }
    EndRun(message);
}
