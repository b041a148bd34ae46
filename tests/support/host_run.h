// tests/support/host_run.h: the headless host for tests in process, and whole-program runs
// driven by a script.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/support/png.h"

// A clean core and a started headless host with the default machine (engine/host/inject.h),
// stopped and reset again at the end. No window is made.
class ScopedHeadlessHost {
public:
    ScopedHeadlessHost();
    ~ScopedHeadlessHost();
    ScopedHeadlessHost(const ScopedHeadlessHost&) = delete;
    ScopedHeadlessHost& operator=(const ScopedHeadlessHost&) = delete;
};

// The headless host with the game's window open and active, the tick and poll running on the
// manual clock and memory tracked; at the end the driver is taken away and all of it stopped.
class ScopedHeadlessWindow {
public:
    ScopedHeadlessWindow();
    ~ScopedHeadlessWindow();
    ScopedHeadlessWindow(const ScopedHeadlessWindow&) = delete;
    ScopedHeadlessWindow& operator=(const ScopedHeadlessWindow&) = delete;

private:
    ScopedHeadlessHost m_host;
};

// On the headless host, with the poll running: the game's window, memory and the generated
// archives, and the game's sound banks added with sound on. At the end the banks are removed
// (fatal when a sample of theirs is still loaded), the exit functions run and all of it stops.
class ScopedGameSoundBanks {
public:
    ScopedGameSoundBanks();
    ~ScopedGameSoundBanks();
    ScopedGameSoundBanks(const ScopedGameSoundBanks&) = delete;
    ScopedGameSoundBanks& operator=(const ScopedGameSoundBanks&) = delete;
};

struct ScriptRun {
    int exitCode;  // -1 when killed
    std::string out;
    std::string err;
    std::map<std::string, PngImage> frames;        // every PNG the run wrote, by file name
    std::map<std::string, std::string> waves;      // every WAVE file it recorded, by file name
    std::map<std::string, std::string> homeFiles;  // what the run left in its home, by file name
};

// Runs `pelloran -headless -seed 7 -script S` (plus `extraArgs`) with the script text in a
// fresh working folder and a fresh PELLORAN_HOME, and reads back every grabbed frame.
ScriptRun RunScript(const std::string& script, const std::vector<std::string>& extraArgs = {},
                    const std::vector<std::string>& env = {});
