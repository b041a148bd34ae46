// tools/mkdata/textsource.cpp: reading the authored text sources under data/.
#include "tools/mkdata/textsource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "generated/build_paths.h"

std::vector<MkSourceLine> MkReadSourceLines(const std::string& relative)
{
    std::ifstream file(MKDATA_SOURCE_DIR "/" + relative);
    if (!file) MkFailAt(relative, 0, "cannot read the file");
    std::vector<MkSourceLine> lines;
    std::string text;
    for (int number = 1; std::getline(file, text); ++number) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.find_first_not_of(' ') == std::string::npos || text[0] == '#') continue;
        lines.push_back({text, number});
    }
    return lines;
}

void MkFailAt(const std::string& file, int line, const std::string& why)
{
    std::fprintf(stderr, "mkdata: data/%s:%d: %s\n", file.c_str(), line, why.c_str());
    std::exit(1);
}

std::string MkJoinSyllables(const std::string& first, const std::string& second)
{
    const bool doubled = !first.empty() && !second.empty() && first.back() == second.front()
                         && std::strchr("aeiouy", second.front()) != nullptr;
    return doubled ? first + second.substr(1) : first + second;
}

std::string MkNameSpeller::Spell(const std::string& asItStands, const std::string& spelt)
{
    if (spelt == asItStands || m_unspelt.count(spelt) != 0 || !m_given.insert(spelt).second)
        return asItStands;
    return spelt;
}
