// tools/mkdata/textsource.h: reading the authored text sources under data/.
#pragma once

#include <set>
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

// Two syllables of a generated name joined as a reader expects: where they meet on the same vowel
// ("Bri" and "ière") the vowel is written once ("Brière").
std::string MkJoinSyllables(const std::string& first, const std::string& second);

// Generated names spelt with MkJoinSyllables. A spelling is given only when it can clash with
// nothing: not with any name the syllables give as they stand (`unspelt`), nor with a spelling
// already given; otherwise the name stays as it stands. The names are chosen, and every random
// draw behind them made, on the names as they stand, so the rest of the data stays as it was.
class MkNameSpeller {
public:
    explicit MkNameSpeller(std::set<std::string> unspelt) : m_unspelt(std::move(unspelt)) {}
    std::string Spell(const std::string& asItStands, const std::string& spelt);

private:
    std::set<std::string> m_unspelt;
    std::set<std::string> m_given;
};

// Prints "mkdata: data/<file>:<line>: <why>" and ends the build with exit code 1: authored data
// the game could not use must never reach an archive.
[[noreturn]] void MkFailAt(const std::string& file, int line, const std::string& why);
