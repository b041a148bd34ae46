// engine/fatal.h: fatal errors and the exit functions that run before the process ends.
#pragma once

#include <cstdint>

constexpr int32_t ONEXIT_MAX = 64;

using ExitFunction = void (*)();
using FatalBoxFunction = void (*)(const char* text);

// Prints the text, runs the exit functions, shows the text in a message box and ends the
// process with code 1. A fatal error raised while one is handled ends at once.
[[noreturn]] void FatalError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A fatal error that names its source ("winlib", "compress", ...) and line.
[[noreturn]] void FatalAbort(const char* source, int32_t line, const char* message);

// Registers an exit function under a name for diagnostics; a second registration of the same
// function and a 65th function are fatal.
void OnExitAddEx(ExitFunction fn, const char* name);
void OnExitRemove(ExitFunction fn);  // does nothing for an absent function
// Runs each registered function not yet run, last registered first; safe to call again.
void OnExitRun();
void OnExitReset();  // forgets every exit function (start-up and tests)

// The box that shows a fatal error's text; by default the text goes to standard error.
void FatalSetBox(FatalBoxFunction box);
