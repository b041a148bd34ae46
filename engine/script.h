// engine/script.h: the "-script" runner: a file of timed keys, focus changes, grabs and checks
// that drives the whole program, so end-to-end tests can run it unattended.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t SCRIPT_EXIT_CODE = 3;         // a refused script or a failing command
constexpr uint32_t SCRIPT_END_PERIODS = 30000;  // headless: time left to end after the script

// An integer that `until` and `expect` conditions read by name; modules register theirs when
// they start. A name registered again is replaced.
using ScriptValueFn = int32_t (*)();
void ScriptRegisterValue(const char* name, ScriptValueFn get);

void ScriptInit();    // no script loaded, not running, no value registered
void ScriptUninit();  // stops; safe without ScriptInit and twice

// Reads and checks a whole script before anything runs. A missing file, an unknown command or
// a bad argument prints "script: FILE:LINE: reason" to standard error, runs the exit functions
// and ends the process with SCRIPT_EXIT_CODE.
void ScriptLoad(const char* path);
// The same check on text in memory, for tests: false with the message (no newline) in `error`,
// and the previous script kept. An `include` names a file relative to the folder of `name`; its
// lines are checked and run in its place, and failures name the included file's lines.
bool ScriptParse(const char* name, const std::string& text, std::string* error);

// Runs the loaded script (or none) from the host's pump. Time counts in clock periods from the
// first pump with the clock running; a command waits only for the waits before it. With
// `endRule` (headless), the program must end within SCRIPT_END_PERIODS periods of the last
// command, and a message read that nothing could answer fails at once; either failure prints
// "script: FILE:LINE: the script has ended and the program is still running" (without a script:
// "script: the script has ended and the program is still running") and exits as above.
void ScriptStart(bool endRule);
void ScriptStop();  // safe when not running

// Ends the run for the command on `line`: prints "script: FILE:LINE: <text>\n" to standard
// error, runs the exit functions and exits with SCRIPT_EXIT_CODE.
[[noreturn]] void ScriptFail(int32_t line, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
