// tools/mkdata/tactics.cpp: the 40 built-in tactics: eight authored formations, each played in
// five variants whose attacking and defending positions are derived by fixed rules.
#include "tools/mkdata/tactics.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "game/tactics.h"
#include "tools/mkdata/textsource.h"

namespace {

constexpr const char* TACTICS_SOURCE = "tactics/tactics.txt";
constexpr int CENTRE_ROW = TACTIC_GRID_ROWS / 2;
constexpr int LAST_COLUMN = TACTIC_GRID_COLUMNS - 1;

enum Line { LINE_KEEPER, LINE_DEFENCE, LINE_MIDFIELD, LINE_ATTACK, LINE_KINDS };
constexpr char kLineLetters[] = "GDMF";

enum Variant { VAR_OFFENSIVE, VAR_DEFENSIVE, VAR_FULL_BACKS, VAR_COVER, VAR_PIVOT };

// How far a line moves up when its side attacks and back when it defends, in columns.
constexpr std::array<int, LINE_KINDS> kAttackPush = {0, 2, 3, 3};
constexpr std::array<int, LINE_KINDS> kDefendPull = {0, 1, 3, 3};
constexpr int kCoverDeepest = 2;  // his drop then still reaches column 1

// The text numbers of the formations, in tactic order, as the game names them.
constexpr auto kFormationTexts = std::to_array<int>({267, 268, 269, 270, 271, 272, 583, 584});
static_assert(kFormationTexts.size() == TACTIC_FORMATION_COUNT);

struct Place {
    Line line;
    int row;
    int column;
};

struct Formation {
    std::array<Place, TACTIC_SLOT_COUNT> places;
};

bool ParsePlace(const std::string& word, Place* place)
{
    const char* letter = std::strchr(kLineLetters, word.empty() ? '?' : word[0]);
    if (letter == nullptr || *letter == '\0') return false;
    place->line = static_cast<Line>(letter - kLineLetters);
    char comma = 0;
    std::istringstream numbers(word.substr(1));
    if (!(numbers >> place->row >> comma >> place->column) || comma != ',') return false;
    return numbers.eof() && place->row >= 0 && place->row < TACTIC_GRID_ROWS && place->column >= 0
           && place->column < TACTIC_GRID_COLUMNS;
}

// The name counts the outfield lines ("4-4-2": defenders, midfielders, forwards).
bool NameMatches(const std::string& name, const Formation& formation)
{
    std::array<int, LINE_KINDS> counts{};
    for (const Place& place : formation.places) {
        ++counts[place.line];
    }
    const std::string expected = std::to_string(counts[LINE_DEFENCE]) + "-"
                                 + std::to_string(counts[LINE_MIDFIELD]) + "-"
                                 + std::to_string(counts[LINE_ATTACK]);
    return name == expected;
}

// Only slot 0 keeps goal, on the goal line; every other player stands off it, one to a cell.
const char* CheckFormation(const Formation& formation)
{
    for (size_t k = 0; k < formation.places.size(); ++k) {
        const Place& place = formation.places[k];
        if ((k == 0) != (place.line == LINE_KEEPER)) return "slot 0 and only slot 0 is the keeper";
        if ((k == 0) != (place.column == 0)) return "only the keeper stands in column 0";
        for (size_t j = 0; j < k; ++j) {
            const Place& other = formation.places[j];
            if (other.row == place.row && other.column == place.column) return "a cell twice";
        }
    }
    return nullptr;
}

Formation ParseLine(const MkSourceLine& line, int index)
{
    std::istringstream words(line.text);
    int text = 0;
    std::string name;
    if (!(words >> text >> name)) MkFailAt(TACTICS_SOURCE, line.number, "expected text and name");
    if (text != kFormationTexts[index])
        MkFailAt(TACTICS_SOURCE, line.number, "text number out of the game's order");
    Formation formation{};
    for (Place& place : formation.places) {
        std::string word;
        if (!(words >> word) || !ParsePlace(word, &place))
            MkFailAt(TACTICS_SOURCE, line.number, "expected eleven places <line><row>,<column>");
    }
    std::string extra;
    if (words >> extra) MkFailAt(TACTICS_SOURCE, line.number, "more than eleven places");
    if (!NameMatches(name, formation))
        MkFailAt(TACTICS_SOURCE, line.number, "the name does not count the lines");
    if (const char* why = CheckFormation(formation)) MkFailAt(TACTICS_SOURCE, line.number, why);
    return formation;
}

// The outfield player of a line standing nearest the middle; the leftmost on a tie.
int MostCentral(const Formation& formation, Line line)
{
    int best = -1;
    for (int k = 1; k < TACTIC_SLOT_COUNT; ++k) {
        const Place& place = formation.places[k];
        if (place.line != line) continue;
        if (best < 0
            || std::abs(place.row - CENTRE_ROW) < std::abs(formation.places[best].row - CENTRE_ROW))
            best = k;
    }
    return best;
}

bool IsFullBack(const Place& place)
{
    return place.line == LINE_DEFENCE && std::abs(place.row - CENTRE_ROW) >= 5;
}

int16_t Column(int column, bool keeper)
{
    return static_cast<int16_t>(keeper ? 0 : std::clamp(column, 1, LAST_COLUMN));
}

// Base, attacking and defending columns of slot k in the variant.
void Columns(const Formation& formation, int k, Variant variant, int out[3])
{
    const Place& place = formation.places[k];
    int base = place.column;
    int push = kAttackPush[place.line];
    int pull = kDefendPull[place.line];
    const bool forwardLine = place.line == LINE_MIDFIELD || place.line == LINE_ATTACK;
    switch (variant) {
        case VAR_OFFENSIVE:
            if (forwardLine) {
                base += 1;
                push += 2;
            }
            break;
        case VAR_DEFENSIVE:
            if (place.line != LINE_KEEPER) pull += 2;
            if (forwardLine) base -= 1;
            break;
        case VAR_FULL_BACKS:
            if (IsFullBack(place)) push = 7;  // overlapping down the wing
            break;
        case VAR_COVER:
            // The deepest defender, yet a column from both his runs: a run or a drop to his own
            // cell would leave him where he stands.
            if (k == MostCentral(formation, LINE_DEFENCE)) {
                base = std::max(base - 1, kCoverDeepest);
                push = 1;
            }
            break;
        case VAR_PIVOT:
            if (k == MostCentral(formation, LINE_MIDFIELD)) {
                base -= 2;
                push = 1;
                pull = 2;
            }
            break;
    }
    out[0] = base;
    out[1] = base + push;
    out[2] = base - pull;
}

TacticsRecord MakeTactic(const Formation& formation, Variant variant)
{
    TacticsRecord tactic{};
    for (int k = 0; k < TACTIC_SLOT_COUNT; ++k) {
        const Place& place = formation.places[k];
        const bool keeper = place.line == LINE_KEEPER;
        int columns[3];
        Columns(formation, k, variant, columns);
        TacticsSlot& slot = tactic.slots[k];
        const auto row = static_cast<int16_t>(place.row);
        slot.row = row;
        slot.row2 = row;
        slot.row3 = row;
        slot.column = Column(columns[0], keeper);
        slot.column2 = Column(columns[1], keeper);
        slot.column3 = Column(columns[2], keeper);
        TacticsSlot_SetReceiver(&slot, TACTIC_NONE);
        slot.targetRow = TACTIC_NONE;
        slot.targetColumn = TACTIC_NONE;
        slot.markedOpponent = TACTIC_NONE;
    }
    return tactic;
}

}  // namespace

void MkGenerateTactics(MkFileSet* set)
{
    const std::vector<MkSourceLine> lines = MkReadSourceLines(TACTICS_SOURCE);
    if (lines.size() != TACTIC_FORMATION_COUNT)
        MkFailAt(TACTICS_SOURCE, lines.empty() ? 1 : lines.back().number,
                 "expected exactly eight formations");
    std::vector<uint8_t> bytes;
    bytes.reserve(TACTICS_FILE_BYTES);
    for (int f = 0; f < TACTIC_FORMATION_COUNT; ++f) {
        const Formation formation = ParseLine(lines[f], f);
        for (int v = 0; v < TACTIC_VARIANT_COUNT; ++v) {
            const TacticsRecord tactic = MakeTactic(formation, static_cast<Variant>(v));
            const auto* raw = reinterpret_cast<const uint8_t*>(&tactic);
            bytes.insert(bytes.end(), raw, raw + sizeof(tactic));
        }
    }
    MkAddFile(set, TACTICS_FILE_NAME, std::move(bytes));
}
