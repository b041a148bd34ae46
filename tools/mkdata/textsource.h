// tools/mkdata/textsource.h: reading the authored text sources under data/.
#pragma once

#include <string>
#include <vector>

// One meaningful line of a source: its text without the line end, and its line number.
struct MkSourceLine {
    std::string text;
    int number;
};

// The lines of "data/<relative>" that are neither blank nor comments ('#' first). A missing
// file fails the build.
std::vector<MkSourceLine> MkReadSourceLines(const std::string& relative);

// Prints "mkdata: data/<file>:<line>: <why>" and ends the build with exit code 1: authored data
// the game could not use must never reach an archive.
[[noreturn]] void MkFailAt(const std::string& file, int line, const std::string& why);
