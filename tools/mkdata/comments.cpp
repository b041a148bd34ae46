// tools/mkdata/comments.cpp: "lang\comments.dat", the French commentary templates of
// data/commentary/fr.txt in the seven-block layout the match engine reads.
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "engine/blockfile.h"
#include "engine/codepage.h"
#include "gamecode/comments/commtable.h"
#include "tools/mkdata/gametext.h"
#include "tools/mkdata/textsource.h"

namespace {

constexpr const char* COMMENTARY_FILE = "commentary/fr.txt";
constexpr int TEMPLATES_PER_GROUP = 5;

// Empty when the template may be spoken, else why not.
std::string TemplateFault(const std::string& text)
{
    if (text.empty() || text.size() > static_cast<size_t>(COMM_MAX_TEMPLATE)) {
        return "a template needs 1-156 characters";
    }
    static const std::set<std::string> kCodes = {"$0p", "$1p", "$0t", "$1t", "$0n", "$$"};
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '$') continue;
        const std::string code = text.substr(i, text[i + 1] == '$' ? 2 : 3);
        if (kCodes.count(code) == 0) return "an unknown code " + code;
        i += code.size() - 1;
    }
    return {};
}

// The French templates, group by group: "group G" then exactly five distinct template lines.
std::vector<std::string> ReadTemplates()
{
    std::vector<std::string> templates;
    std::set<std::string> group;
    bool headerDue = true;
    for (const MkSourceLine& line : MkReadSourceLines(COMMENTARY_FILE)) {
        const int groupNumber = static_cast<int>(templates.size()) / TEMPLATES_PER_GROUP;
        if (headerDue) {
            int g = -1;
            int used = 0;
            if (std::sscanf(line.text.c_str(), "group %d%n", &g, &used) != 1
                || used != static_cast<int>(line.text.size()) || g != groupNumber) {
                MkFailAt(COMMENTARY_FILE, line.number,
                         "expected: group " + std::to_string(groupNumber));
            }
            headerDue = false;
            group.clear();
            continue;
        }
        std::string text;
        if (!CodePageFromUtf8(line.text, &text)) {
            MkFailAt(COMMENTARY_FILE, line.number, "a character outside code page 1252");
        }
        const std::string fault = TemplateFault(text);
        if (!fault.empty()) MkFailAt(COMMENTARY_FILE, line.number, fault);
        if (!group.insert(text).second) MkFailAt(COMMENTARY_FILE, line.number, "a template twice");
        templates.push_back(text);
        headerDue = templates.size() % TEMPLATES_PER_GROUP == 0;
    }
    if (templates.size() != static_cast<size_t>(COMM_TEMPLATES_PER_LANGUAGE)) {
        MkFailAt(COMMENTARY_FILE, 0, "expected 340 groups of five templates");
    }
    return templates;
}

// The French strings once; every language block points at them.
std::vector<uint8_t> TemplateBlock(const std::vector<std::string>& templates)
{
    const std::vector<uint8_t> french =
        MkTextTableBlock(templates, std::vector<bool>(templates.size(), true));
    const size_t poolStart = 4 + 4 * templates.size();
    std::vector<uint8_t> block;
    const auto putU32 = [&block](uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            block.push_back(static_cast<uint8_t>(value >> shift));
        }
    };
    putU32(COMM_TEMPLATE_COUNT);
    for (int language = 0; language < COMM_LANGUAGE_COUNT; ++language) {
        block.insert(block.end(), french.begin() + 4, french.begin() + long(poolStart));
    }
    block.insert(block.end(), french.begin() + long(poolStart), french.end());
    return block;
}

std::vector<uint8_t> GroupBlock()
{
    std::vector<uint8_t> block;
    for (int g = 0; g < COMM_GROUP_COUNT; ++g) {
        for (int k = 0; k < COMM_GROUP_LIST; ++k) {
            const int16_t id = k < TEMPLATES_PER_GROUP ? int16_t(5 * g + k) : int16_t{-1};
            block.push_back(static_cast<uint8_t>(id));
            block.push_back(static_cast<uint8_t>(static_cast<uint16_t>(id) >> 8));
        }
    }
    return block;
}

}  // namespace

void MkGenerateComments(MkFileSet* set)
{
    const std::vector<uint8_t> templates = TemplateBlock(ReadTemplates());
    const std::vector<uint8_t> groups = GroupBlock();
    const BlockFileBlock blocks[] = {
        {"TMPL", templates.data(), static_cast<uint32_t>(templates.size())},
        {"GRPS", groups.data(), static_cast<uint32_t>(groups.size())},
    };
    MkAddFile(set, "lang\\comments.dat",
              BlockFileImage(COMM_FILE_TYPE, COMM_FILE_VERSION, blocks, 2));
}
