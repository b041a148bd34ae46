// tests/support/front_end_script.h: the script lines that every whole-program run shares (from
// the start to the title screen, quitting through the menu bar, the scripts of tests/e2e/scripts)
// and what such a run leaves behind: its options file and its grabbed frames.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/options.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

// Both splash screens and the credits cut short by clicks and Escape, then a wait until the
// title screen is up.
std::string ScriptToTitle();
// "Fichier", "Quitter", "Oui" on a screen with the menu bar: the program ends with code 0.
std::string ScriptQuitFromBar();
// The text of tests/e2e/scripts/NAME, and the script line that includes it.
std::string SharedScript(const char* name);
std::string IncludeScript(const char* name);
// Every value a run's "print NAME" lines wrote to its output, in order.
std::vector<int32_t> ScriptPrintedValues(const std::string& out, const std::string& name);
// The first of them, or -1 when the run printed none.
int32_t ScriptFirstPrintedValue(const std::string& out, const std::string& name);
// tests/e2e/scripts/to_match_day.txt with the day screen's last click, "Commentaires", moved to
// the view button at x (the 2D view's "Panoramique" 319, the 3D view's "Regarder" 511).
std::string ScriptToMatchDayWatchingFrom(int32_t viewButtonX);
// The options record of an options file's bytes; false when the file is too short to hold one.
bool ReadOptionsRecord(const std::string& file, OptionsBlock* block);
// One run of the program, headless with seed 7, on the script written into `work`, where it
// leaves its grabs; a run longer than timeoutSeconds is ended.
ProgramResult RunScriptIn(const TempDir& work, const std::string& script, int timeoutSeconds,
                          const std::vector<std::string>& extraArgs = {});
// A frame the run grabbed into `work` (an empty image, with a test failure, when it is missing).
PngImage GrabbedFrame(const TempDir& work, const char* name);
