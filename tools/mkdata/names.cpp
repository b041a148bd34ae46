// tools/mkdata/names.cpp: "stats\names.dat", invented surnames built from the syllable tables of
// the ten name styles under data/names/.
#include <array>
#include <cstring>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/codepage.h"
#include "game/textformat.h"
#include "tools/mkdata/gametext.h"
#include "tools/mkdata/textsource.h"

namespace {

constexpr int NAME_STYLE_COUNT = NAMES_ENTRY_COUNT / NAMES_STYLE_BLOCK;
constexpr uint32_t NAMES_SEED = 0x4E414D45;
constexpr size_t NAME_MIN_LENGTH = 3;

// In block order: block b holds the names of style b.
constexpr std::array<const char*, NAME_STYLE_COUNT> kStyleFiles = {
    "names/0_english.txt", "names/1_scottish.txt", "names/2_italian.txt", "names/3_german.txt",
    "names/4_spanish.txt", "names/5_dutch.txt",    "names/6_french.txt",  "names/7_portuguese.txt",
    "names/8_belgian.txt", "names/9_other.txt"};

struct Syllables {
    std::vector<std::string> onsets;
    std::vector<std::string> middles;
    std::vector<std::string> endings;
};

Syllables ReadSyllables(const char* file)
{
    Syllables syllables;
    for (const MkSourceLine& line : MkReadSourceLines(file)) {
        std::istringstream words(line.text);
        std::string kind;
        words >> kind;
        std::vector<std::string>* list = kind == "onsets"    ? &syllables.onsets
                                         : kind == "middles" ? &syllables.middles
                                         : kind == "endings" ? &syllables.endings
                                                             : nullptr;
        if (list == nullptr) MkFailAt(file, line.number, "expected onsets, middles or endings");
        for (std::string word; words >> word;) {
            std::string converted;
            if (!CodePageFromUtf8(word, &converted)) {
                MkFailAt(file, line.number, "a character outside code page 1252");
            }
            list->push_back(converted);
        }
    }
    if (syllables.onsets.empty() || syllables.endings.empty()) {
        MkFailAt(file, 0, "a style needs onsets and endings");
    }
    return syllables;
}

// A surname as its syllables stand and as it is spelt (MkJoinSyllables).
struct Candidate {
    std::string asItStands, spelt;
};

// Every two- and three-syllable name of the style that fits an entry, each once, in a shuffled
// order that depends only on the style.
std::vector<Candidate> Candidates(const Syllables& s, int style)
{
    std::vector<Candidate> names;
    std::set<std::string> seen;
    std::vector<std::string> middles = s.middles;
    middles.insert(middles.begin(), "");
    for (const std::string& onset : s.onsets) {
        for (const std::string& middle : middles) {
            for (const std::string& ending : s.endings) {
                const std::string name = onset + middle + ending;
                if (name.size() < NAME_MIN_LENGTH || name.size() >= NAMES_ENTRY_BYTES) continue;
                if (!seen.insert(name).second) continue;
                const std::string spelt = MkJoinSyllables(MkJoinSyllables(onset, middle), ending);
                names.push_back({name, spelt.size() >= NAME_MIN_LENGTH ? spelt : name});
            }
        }
    }
    // mt19937's sequence is fixed by the standard; the shuffle is our own so the order is too.
    std::mt19937 random(NAMES_SEED + static_cast<uint32_t>(style));
    for (size_t i = names.size(); i > 1; --i) {
        std::swap(names[i - 1], names[random() % i]);
    }
    return names;
}

}  // namespace

void MkGenerateNames(MkFileSet* set)
{
    std::vector<uint8_t> file(NAMES_FILE_BYTES, 0);
    std::vector<std::vector<Candidate>> styles;
    std::set<std::string> unspelt;
    for (int style = 0; style < NAME_STYLE_COUNT; ++style) {
        styles.push_back(Candidates(ReadSyllables(kStyleFiles[style]), style));
        for (const Candidate& name : styles.back())
            unspelt.insert(name.asItStands);
    }
    MkNameSpeller speller(unspelt);
    std::set<std::string> used;  // the choice goes by the names as they stand
    for (int style = 0; style < NAME_STYLE_COUNT; ++style) {
        const std::vector<Candidate>& names = styles[style];
        int entry = style * NAMES_STYLE_BLOCK + (style == 0 ? 1 : 0);  // entry 0 stays empty
        const int end = (style + 1) * NAMES_STYLE_BLOCK;
        for (size_t i = 0; i < names.size() && entry < end; ++i) {
            if (!used.insert(names[i].asItStands).second) continue;
            const std::string name = speller.Spell(names[i].asItStands, names[i].spelt);
            std::memcpy(&file[size_t(entry) * NAMES_ENTRY_BYTES], name.data(), name.size());
            ++entry;
        }
        if (entry < end) MkFailAt(kStyleFiles[style], 0, "too few distinct names for a block");
    }
    MkAddFile(set, "stats\\names.dat", std::move(file));
}
