// engine/fatal.cpp: fatal errors and the exit functions that run before the process ends.
#include "engine/fatal.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include <sys/stat.h>

namespace {

struct ExitSlot {
    ExitFunction fn;
    const char* name;
    bool hasRun;
};

struct FatalState {
    ExitSlot slots[ONEXIT_MAX];
    int32_t slotCount;
    bool handlingError;
    FatalBoxFunction box;
};

FatalState s_fatal;

// FatalError has printed the text on standard output already: on a terminal, or with both
// streams sent to one file, a second copy would only repeat it.
void ShowOnStandardError(const char* text)
{
    struct stat output {};
    struct stat error {};
    const bool sameFile = fstat(fileno(stdout), &output) == 0 && fstat(fileno(stderr), &error) == 0
                          && output.st_dev == error.st_dev && output.st_ino == error.st_ino;
    if (!sameFile) std::fputs(text, stderr);
}

int32_t FindSlot(ExitFunction fn)
{
    for (int32_t i = 0; i < s_fatal.slotCount; ++i) {
        if (s_fatal.slots[i].fn == fn) return i;
    }
    return -1;
}

// The last registered function that has not run yet, or -1.
int32_t NextToRun()
{
    for (int32_t i = s_fatal.slotCount - 1; i >= 0; --i) {
        if (!s_fatal.slots[i].hasRun) return i;
    }
    return -1;
}

}  // namespace

void FatalError(const char* format, ...)
{
    if (s_fatal.handlingError) {
        std::printf("Error: Error during error handler\n");
        std::fflush(stdout);
        std::_Exit(1);
    }
    s_fatal.handlingError = true;

    char text[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);

    std::fputs(text, stdout);
    std::fflush(stdout);
    OnExitRun();
    (s_fatal.box ? s_fatal.box : ShowOnStandardError)(text);
    std::fflush(stdout);
    std::fflush(stderr);
    // Never through exit(): an exit function that fails must not re-enter the runtime's exit.
    std::_Exit(1);
}

void FatalAbort(const char* source, int32_t line, const char* message)
{
    FatalError("Abort error: %s\n(File: %s  Line: %d)\n", message, source, line);
}

void OnExitAddEx(ExitFunction fn, const char* name)
{
    if (FindSlot(fn) >= 0) FatalError("OnExitAddEx(): '%s' already added\n", name);
    if (s_fatal.slotCount == ONEXIT_MAX) FatalError("OnExitAddEx(): too many exit functions\n");
    s_fatal.slots[s_fatal.slotCount++] = {fn, name, false};
}

void OnExitRemove(ExitFunction fn)
{
    const int32_t slot = FindSlot(fn);
    if (slot < 0) return;
    for (int32_t i = slot; i + 1 < s_fatal.slotCount; ++i) {
        s_fatal.slots[i] = s_fatal.slots[i + 1];
    }
    --s_fatal.slotCount;
}

void OnExitRun()
{
    // Searched afresh each time, because an exit function may remove itself or others.
    for (int32_t slot = NextToRun(); slot >= 0; slot = NextToRun()) {
        s_fatal.slots[slot].hasRun = true;
        s_fatal.slots[slot].fn();
    }
}

void OnExitReset()
{
    const FatalBoxFunction box = s_fatal.box;
    s_fatal = {};
    s_fatal.box = box;
}

void FatalSetBox(FatalBoxFunction box) { s_fatal.box = box; }
