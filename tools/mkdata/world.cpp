// tools/mkdata/world.cpp: "stats\totstat.dat", the fictional football world: countries and their
// rules, nationalities, 1,046 invented clubs with kits, their persons and the club maps.
#include "tools/mkdata/world.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/blockfile.h"
#include "engine/codepage.h"
#include "engine/random.h"
#include "game/kitcolours.h"
#include "game/statmodel.h"
#include "game/textformat.h"
#include "game/world.h"
#include "tools/mkdata/textsource.h"

namespace {

constexpr uint32_t WORLD_SEED = 0x574F524C;
constexpr int32_t WORLD_CLUB_FIRST_OUTSIDE = 578;  // countries 9-18 follow the league clubs
constexpr int32_t UNATTACHED_PLAYERS = 300;
constexpr int32_t UNEMPLOYED_MANAGERS = 40;
constexpr int32_t NAME_STYLES = NAMES_ENTRY_COUNT / NAMES_STYLE_BLOCK;
// How far the mean A of a division's best and weakest clubs lie from the division's own mean
// {above, below}. The big clubs play in the top division, far above its middle; lower down the
// best reach about the level of the division above, whose means lie 8 apart.
constexpr int CLUB_SPREAD_TOP[2] = {16, 5};
constexpr int CLUB_SPREAD_LOWER[2] = {5, 4};

struct CountryShape {
    std::array<uint8_t, DIVISION_MAX> sizes;
    uint8_t divisions;
    uint8_t nationalCups;
    uint8_t superCup;
    uint8_t offered;
    uint8_t topMean;  // mean A of the first division
    uint8_t champions;
    uint8_t secondCup;
};

// clang-format off
constexpr auto kCountries = std::to_array<CountryShape>({
    {{20, 24, 24, 24, 22, 0}, 5, 2, 1, 1, 72, 2, 3},
    {{10, 10, 10, 10, 0, 0},  4, 3, 0, 0, 62, 1, 2},
    {{18, 18, 18, 18, 0, 0},  4, 1, 1, 1, 72, 2, 3},
    {{18, 18, 18, 18, 18, 18}, 6, 1, 1, 1, 72, 2, 3},
    {{20, 22, 0, 0, 0, 0},    2, 2, 1, 0, 71, 2, 3},
    {{18, 18, 0, 0, 0, 0},    2, 1, 0, 0, 66, 1, 2},
    {{18, 20, 20, 18, 18, 0}, 5, 2, 0, 1, 69, 2, 2},
    {{18, 18, 0, 0, 0, 0},    2, 1, 0, 0, 65, 1, 2},
    {{18, 18, 0, 0, 0, 0},    2, 1, 0, 0, 63, 1, 2},
});
// Mean A of the best clubs of the countries without leagues, 9-18, and their club counts.
constexpr auto kOutsideMean = std::to_array<uint8_t>({64, 62, 63, 61, 56, 60, 59, 54, 55, 64});
constexpr auto kOutsideClubs = std::to_array<uint8_t>({47, 47, 47, 47, 47, 47, 47, 47, 46, 46});
constexpr std::array<std::array<uint16_t, DIVISION_MAX>, COUNTRY_COUNT> kWorldWageScale = {{
    {9600, 1900, 570, 70, 25, 25}, {9600, 1900, 570, 70, 25, 25}, {9600, 1900, 570, 190, 25, 25},
    {9600, 1900, 570, 190, 190, 190}, {9600, 1900, 570, 70, 25, 25}, {9600, 1900, 570, 70, 25, 25},
    {9600, 1900, 570, 70, 70, 25}, {9600, 1900, 570, 70, 25, 25}, {9600, 1900, 570, 70, 25, 25},
}};
constexpr auto kBaseAttendance = std::to_array<uint16_t>({32000, 14000, 7000, 4000, 2500, 1500});
constexpr auto kTicketPrice = std::to_array<uint16_t>({14, 14, 12, 10, 8, 7});
// clang-format on
static_assert(kCountries.size() == COUNTRY_COUNT);
static_assert(kOutsideMean.size() == WORLD_COUNTRY_COUNT - COUNTRY_COUNT);

struct PlaceWords {
    std::vector<std::string> onsets, endings, before, after;
};

int Pick(int n) { return Rand() % n; }
uint16_t PickSeed() { return static_cast<uint16_t>((Rand() << 1) ^ Rand()); }

std::array<PlaceWords, WORLD_COUNTRY_COUNT> ReadPlaces()
{
    const char* file = "world/places.txt";
    std::array<PlaceWords, WORLD_COUNTRY_COUNT> places;
    for (const MkSourceLine& line : MkReadSourceLines(file)) {
        std::istringstream words(line.text);
        std::string kind;
        int country = -1;
        words >> kind >> country;
        if (country < 0 || country >= WORLD_COUNTRY_COUNT)
            MkFailAt(file, line.number, "bad country");
        PlaceWords& p = places[country];
        std::vector<std::string>* list = kind == "onsets"    ? &p.onsets
                                         : kind == "endings" ? &p.endings
                                         : kind == "before"  ? &p.before
                                         : kind == "after"   ? &p.after
                                                             : nullptr;
        if (list == nullptr)
            MkFailAt(file, line.number, "expected onsets, endings, before or after");
        for (std::string word; words >> word;) {
            std::replace(word.begin(), word.end(), '_', ' ');
            std::string converted;
            if (!CodePageFromUtf8(word, &converted))
                MkFailAt(file, line.number, "not code page 1252");
            list->push_back(converted);
        }
    }
    for (int c = 0; c < WORLD_COUNTRY_COUNT; ++c) {
        if (places[c].onsets.empty() || places[c].endings.empty())
            MkFailAt(file, 0, "every country needs onsets and endings");
    }
    return places;
}

WorldStatWeights ReadWeights()
{
    const char* file = "world/statweights.txt";
    WorldStatWeights weights{};
    std::set<std::string> seen;
    for (const MkSourceLine& line : MkReadSourceLines(file)) {
        std::istringstream words(line.text);
        std::string kind;
        int position = -1;
        words >> kind >> position;
        if ((kind != "w" && kind != "tw") || position < 0 || position >= POSITION_COUNT)
            MkFailAt(file, line.number, "expected w or tw and a position 0-13");
        if (!seen.insert(kind + std::to_string(position)).second)
            MkFailAt(file, line.number, "a row given twice");
        uint8_t* row = kind == "w" ? weights.ability[position] : weights.training[position];
        for (int k = 0; k < STAT_WEIGHTED; ++k) {
            int value = -1;
            words >> value;
            if (!words || value < 0 || value > 100) MkFailAt(file, line.number, "15 weights 0-100");
            row[k] = static_cast<uint8_t>(value);
        }
    }
    if (seen.size() != 2 * POSITION_COUNT) MkFailAt(file, 0, "every position needs w and tw");
    return weights;
}

std::vector<WorldCountry> MakeCountries()
{
    std::vector<WorldCountry> countries(COUNTRY_COUNT);
    for (int c = 0; c < COUNTRY_COUNT; ++c) {
        const CountryShape& shape = kCountries[c];
        WorldCountry& w = countries[c];
        w.nameText = static_cast<uint16_t>(2310 + c);
        w.divisionCount = shape.divisions;
        w.nationalCups = shape.nationalCups;
        w.superCup = shape.superCup;
        w.championsPlaces = shape.champions;
        w.secondCupPlaces = shape.secondCup;
        w.closingWeekday = c == 2 ? 1 : 0;
        w.cup6GroupRounds = 2;
        w.offered = shape.offered;
        const int16_t moves = shape.divisions == 2 ? 2 : c == 1 ? 1 : 3;
        for (int d = 0; d < DIVISION_MAX; ++d) {
            w.divisionSize[d] = shape.sizes[d];
            w.divisionText[d] = static_cast<uint16_t>(2510 + 20 * c + d);
            w.substitutes[d] = 3;
            w.bench[d] = 5;
            w.worldWageScale[d] = kWorldWageScale[c][d];
            w.baseAttendance[d] = kBaseAttendance[d];
            w.ticketPrice[d] = kTicketPrice[d];
            if (d >= shape.divisions) continue;
            w.promotion[d][0] = d == 0 ? 0 : moves;
            w.promotion[d][1] = d == shape.divisions - 1 ? 0 : moves;
        }
        for (int cup = 0; cup < CUP_COUNT; ++cup) {
            for (int round = 0; round < CUP_ROUND_COUNT; ++round) {
                const bool continental = cup >= 4;
                w.cupRules[cup][round] = continental && round >= (cup == 6 ? 2 : 0) ? 2 : 1;
            }
        }
    }
    // The first country's play-offs: the four clubs after the promotion places play for one more.
    const int16_t first[5][3] = {{0, 3, 0}, {2, 3, 4}, {2, 4, 4}, {3, 1, 4}, {1, 0, 0}};
    std::memcpy(countries[0].promotion, first, sizeof first);
    return countries;
}

std::vector<WorldNationality> MakeNationalities()
{
    std::vector<WorldNationality> nationalities(NATIONALITY_COUNT);
    for (int k = 0; k < NATIONALITY_COUNT; ++k) {
        nationalities[k].country = k < WORLD_COUNTRY_COUNT ? static_cast<uint8_t>(k) : 255;
        nationalities[k].european = k < 40 ? 1 : 0;
        nationalities[k].nameText = static_cast<uint16_t>(2310 + k);
    }
    return nationalities;
}

KitDesign MakeKit(int main)
{
    KitDesign kit{};
    kit.shirtTop = kit.shirt = static_cast<int16_t>(Pick(KIT_PATTERNS));
    kit.armLeft = kit.armRight = static_cast<int16_t>(Pick(KIT_PART_DESIGNS));
    kit.shorts = static_cast<int16_t>(Pick(KIT_PART_DESIGNS));
    kit.shins = static_cast<int16_t>(Pick(KIT_PART_DESIGNS));
    for (auto& group : kit.colours) {
        for (int16_t& colour : group) {
            colour = static_cast<int16_t>(Pick(KIT_COLOUR_COUNT));
        }
    }
    kit.colours[0][0] = static_cast<int16_t>(main);
    return kit;
}

void MakeKits(WorldClub* club)
{
    const int home = Pick(KIT_COLOUR_COUNT);
    int away = Pick(KIT_COLOUR_COUNT);
    while (KitColour_Distance(home, away) <= KIT_CLASH_DISTANCE) {
        away = (away + 7) % KIT_COLOUR_COUNT;
    }
    club->kits[0] = MakeKit(home);
    club->kits[1] = MakeKit(away);
}

// A club's name as it stands and as it is spelt, from a place and the word before or after it.
struct ClubName {
    std::string asItStands, spelt;
};

ClubName FormClubName(const std::string& place, const std::string& speltPlace,
                      const std::string& before, const std::string& after)
{
    const auto form = [&](const std::string& p) {
        return before.empty() ? after.empty() ? p : p + " " + after : before + " " + p;
    };
    return {form(place), form(speltPlace)};
}

// Every club name the places' words can form, as they stand: what a spelling must not clash with.
std::set<std::string> EveryClubName(const std::array<PlaceWords, WORLD_COUNTRY_COUNT>& places)
{
    std::set<std::string> names;
    for (const PlaceWords& words : places) {
        std::vector<std::pair<std::string, std::string>> forms = {{"", ""}};
        for (const std::string& before : words.before)
            forms.push_back({before, ""});
        for (const std::string& after : words.after)
            forms.push_back({"", after});
        for (const std::string& onset : words.onsets) {
            for (const std::string& ending : words.endings) {
                for (const auto& [before, after] : forms)
                    names.insert(FormClubName(onset + ending, "", before, after).asItStands);
            }
        }
    }
    return names;
}

// The draws and the check for a name already used go by the name as it stands, so spelling it
// changes nothing else in the world.
std::string MakeClubName(const PlaceWords& words, std::set<std::string>* used,
                         MkNameSpeller* speller)
{
    for (int attempt = 0; attempt < 10000; ++attempt) {
        // One expression, as the place always was drawn: the order of the two draws stays the
        // compiler's as it was.
        std::string onset, ending;
        const std::string place = (onset = words.onsets[Pick(int(words.onsets.size()))])
                                  + (ending = words.endings[Pick(int(words.endings.size()))]);
        std::string before, after;
        const int form = Pick(3);
        if (form == 1 && !words.before.empty()) {
            before = words.before[Pick(int(words.before.size()))];
        } else if (form == 2 && !words.after.empty()) {
            after = words.after[Pick(int(words.after.size()))];
        }
        const ClubName name = FormClubName(place, MkJoinSyllables(onset, ending), before, after);
        if (name.asItStands.size() < WORLD_CLUB_NAME_BYTES && used->insert(name.asItStands).second)
            return speller->Spell(name.asItStands, name.spelt);
    }
    MkFailAt("world/places.txt", 0, "too few distinct club names");
}

int NameStyle(int nationality)
{
    return nationality < NAME_STYLES - 1 ? nationality : NAME_STYLES - 1;
}

uint16_t PickNameIndex(int nationality)
{
    const int style = NameStyle(nationality);
    const int first = style == 0 ? 1 : 0;  // entry 0 stays empty
    return static_cast<uint16_t>(style * NAMES_STYLE_BLOCK + first
                                 + Pick(NAMES_STYLE_BLOCK - first));
}

// The clubs of a division differ as in real football: a few strong clubs far above the rest, a
// broad middle and the weakest below it. Offsets of their mean A, strongest first, by rank: up to
// spread[0] above the division's mean, rising with the square of the rank's distance from the
// middle so that only the first few stand out, and evenly spaced down to spread[1] below it.
std::vector<int> DivisionOffsets(int size, const int spread[2])
{
    std::vector<int> offsets;
    const int last = size - 1;
    for (int rank = 0; rank < size; ++rank) {
        const int place = last - 2 * rank;  // -last .. last
        offsets.push_back(place > 0 ? place * place * spread[0] / (last * last)
                                    : place * spread[1] / last);
    }
    return offsets;
}

int PickNationality(int country)
{
    return Pick(100) < 85   ? country
           : Pick(100) < 70 ? Pick(WORLD_COUNTRY_COUNT)
                            : Pick(NATIONALITY_COUNT);
}

struct ClubPlan {
    int country;
    int division;
    int meanAbility;
    int squad;  // players to generate
};

class WorldBuilder {
public:
    WorldBuilder() : m_weights(ReadWeights()), m_places(ReadPlaces()), m_countries(MakeCountries())
    {
    }

    std::vector<uint8_t> Build()
    {
        SRand(WORLD_SEED);
        PlanClubs();
        for (int team = 0; team < TEAM_COUNT; ++team) {
            MakeClub(team);
        }
        for (int i = 0; i < UNATTACHED_PLAYERS; ++i) {
            const int nationality = Pick(WORLD_COUNTRY_COUNT);
            AddPerson(WORLD_NO_CLUB, LINE_COUNT, nationality, 35 + Pick(30), 17 + Pick(17), nullptr,
                      0);
            FinishPlayer(-1, DIVISION_OUTSIDE);
        }
        for (int i = 0; i < UNEMPLOYED_MANAGERS; ++i) {
            AddManager(WORLD_NO_CLUB, Pick(WORLD_COUNTRY_COUNT));
        }
        for (WorldStaffName& name : m_staffNames) {
            name.nationality = static_cast<uint8_t>(Pick(WORLD_COUNTRY_COUNT));
            name.nameIndex = PickNameIndex(name.nationality);
            name.initial = static_cast<uint8_t>(1 + Pick(26));
        }
        if (m_persons.size() > WORLD_PERSON_MAX)
            MkFailAt("world/places.txt", 0, "too many persons");
        return Image();
    }

private:
    void PlanClubs()
    {
        for (int c = 0; c < COUNTRY_COUNT; ++c) {
            const CountryShape& shape = kCountries[c];
            for (int d = 0; d < shape.divisions; ++d) {
                std::vector<int> offsets =
                    DivisionOffsets(shape.sizes[d], d == 0 ? CLUB_SPREAD_TOP : CLUB_SPREAD_LOWER);
                for (int i = 0; i < shape.sizes[d]; ++i) {
                    std::swap(offsets[i], offsets[i + Pick(shape.sizes[d] - i)]);
                    const int mean = shape.topMean - 8 * d + offsets[i] + 1 - Pick(3);
                    m_plans.push_back({c, d, mean, shape.offered ? 22 + Pick(5) : 16});
                }
            }
        }
        if (m_plans.size() != WORLD_CLUB_FIRST_OUTSIDE)
            MkFailAt("world/places.txt", 0, "league sizes");
        for (int k = 0; k < WORLD_COUNTRY_COUNT - COUNTRY_COUNT; ++k) {
            for (int i = 0; i < kOutsideClubs[k]; ++i) {
                const int mean = kOutsideMean[k] - Pick(22);
                m_plans.push_back({COUNTRY_COUNT + k, DIVISION_OUTSIDE, mean, 16});
            }
        }
    }

    void MakeClub(int team)
    {
        const ClubPlan& plan = m_plans[team];
        WorldClub& club = m_clubs[team];
        const std::string name =
            MakeClubName(m_places[plan.country], &m_usedNames, &m_clubNameSpeller);
        std::memcpy(club.name, name.data(), name.size());
        club.country = static_cast<uint8_t>(plan.country);
        club.division = static_cast<uint8_t>(plan.division);
        club.reputation =
            static_cast<uint8_t>(std::clamp((plan.meanAbility - 30) * 3 / 2 + Pick(5) - 2, 0, 63));
        const int capacity = 2 + club.reputation * club.reputation / 40 + Pick(4);
        for (int s = 0; s < 4; ++s) {
            club.stands[s] = static_cast<uint8_t>(std::max(1, capacity / 4 + Pick(3) - 1));
        }
        club.mapX = static_cast<uint8_t>(Pick(256));
        club.mapY = static_cast<uint8_t>(Pick(256));
        MakeKits(&club);
        MakeSquad(team, plan);
        club.manager = static_cast<uint16_t>(m_persons.size());
        AddManager(static_cast<uint16_t>(team), plan.country);
    }

    // At least 2 keepers, 6 defenders, 6 midfielders and 4 forwards in 22 (3/5/5/3 in 16); the
    // players beyond 22 strengthen any outfield line.
    void MakeSquad(int team, const ClubPlan& plan)
    {
        std::array<int, LINE_COUNT> lines =
            plan.squad >= 22 ? std::array<int, 4>{3, 7, 7, 5} : std::array<int, 4>{3, 5, 5, 3};
        for (int extra = 22; extra < plan.squad; ++extra) {
            ++lines[1 + Pick(3)];
        }
        std::set<uint16_t> surnames;
        for (int line = 0; line < LINE_COUNT; ++line) {
            for (int i = 0; i < lines[line]; ++i) {
                const int ability = std::clamp(plan.meanAbility + Pick(17) - 8, 5, 99);
                AddPerson(static_cast<uint16_t>(team), line, PickNationality(plan.country), ability,
                          17 + Pick(18), &surnames, plan.meanAbility);
                FinishPlayer(plan.country, plan.division);
            }
        }
    }

    // Wage and contract by the rules of the club's country, once the player exists.
    void FinishPlayer(int country, int division)
    {
        WorldPerson& p = m_persons.back();
        const bool national = country >= 0 && country < COUNTRY_COUNT && p.nationality == country;
        const uint16_t* scale = national ? m_countries[country].worldWageScale : nullptr;
        const int wage = Stat_BaseDemand(p.ability, p.training, p.reputation,
                                         1999 - 1950 - p.birthYear, 2, scale, division);
        p.wage = VTW_RoundTo25(std::max(50, wage));
    }

    int PositionOfLine(int line)
    {
        switch (line) {
            case 0: return 0;
            case 1: return 1 + Pick(4);
            case 2: return 5 + Pick(5);
            default: return 10 + Pick(3);
        }
    }

    static int SideOfPosition(int position, int roll)
    {
        if (position == 1 || position == 5) return 1;
        if (position == 4 || position == 9) return 2;
        return roll < 60 ? 2 : roll < 85 ? 1 : 3;
    }

    // Around `level` (0: the ability) give or take 8, as every season's youths' potential lies
    // around his club's level, and never below the ability.
    static int YoungPotential(int ability, int level)
    {
        const int centre = level > 0 ? level : ability;
        const int potential = centre - YOUTH_POTENTIAL_SPREAD / 2 + Pick(YOUTH_POTENTIAL_SPREAD);
        return std::clamp(potential, ability, 100);
    }

    // `line` 0-3 picks a position of the line; anything else means an unattached player of any.
    // `level`: his club's mean ability, 0 for one without a club.
    void AddPerson(uint16_t team, int line, int nationality, int ability, int age,
                   std::set<uint16_t>* surnames, int level)
    {
        WorldPerson p{};
        p.club = team;
        p.nationality = static_cast<uint8_t>(nationality);
        do {
            p.nameIndex = PickNameIndex(nationality);
        } while (surnames != nullptr && !surnames->insert(p.nameIndex).second);
        p.initial = static_cast<uint8_t>(1 + Pick(26));
        p.bits = static_cast<uint16_t>(Pick(7) | Pick(4) << 3 | Pick(8) << 6);
        p.birthYear = static_cast<uint8_t>(1999 - age - 1950);
        p.position =
            static_cast<uint8_t>(PositionOfLine(line < LINE_COUNT ? line : Pick(LINE_COUNT)));
        p.side = static_cast<uint8_t>(SideOfPosition(p.position, Pick(100)));
        p.ability = static_cast<uint8_t>(ability);
        p.potential = static_cast<uint8_t>(age <= 23 ? YoungPotential(ability, level) : ability);
        p.training = static_cast<uint8_t>(20 + Pick(61));
        p.seed = PickSeed();
        p.contractMonths = static_cast<uint8_t>(6 + Pick(43));
        p.reputation =
            static_cast<uint8_t>(std::clamp((ability - 30) * 3 / 2 + Pick(9) - 4, 0, 63));
        m_persons.push_back(p);
    }

    void AddManager(uint16_t team, int country)
    {
        // Birth years are kept from 1950 on, so managers are at most 49.
        AddPerson(team, 0, PickNationality(country), 40 + Pick(41), 36 + Pick(14), nullptr, 0);
        WorldPerson& m = m_persons.back();
        m.position = POSITION_MANAGER;
        m.side = 0;
        m.potential = m.ability;
        m.wage = VTW_RoundTo25(200 + 10 * m.ability);
        m.formation = static_cast<uint8_t>(Pick(8));
        m.variant = static_cast<uint8_t>(Pick(5));
    }

    // Club ids 0 .. n - 1: the country's league clubs in division order; then foreign clubs by
    // reputation, always holding the three best of every other country.
    std::vector<uint16_t> ClubMap(int country) const
    {
        std::vector<uint16_t> map;
        std::vector<uint16_t> foreign;
        for (int team = 0; team < TEAM_COUNT; ++team) {
            (m_clubs[team].country == country ? map : foreign)
                .push_back(static_cast<uint16_t>(team));
        }
        const auto better = [this](uint16_t a, uint16_t b) {
            if (m_clubs[a].reputation != m_clubs[b].reputation)
                return m_clubs[a].reputation > m_clubs[b].reputation;
            return a < b;
        };
        std::stable_sort(foreign.begin(), foreign.end(), better);
        std::vector<uint16_t> chosen;
        std::array<int, WORLD_COUNTRY_COUNT> taken{};
        for (uint16_t team : foreign) {
            if (taken[m_clubs[team].country]++ < 3) chosen.push_back(team);
        }
        for (uint16_t team : foreign) {
            if (chosen.size() + map.size() >= CLUB_ID_COUNT) break;
            if (std::find(chosen.begin(), chosen.end(), team) == chosen.end())
                chosen.push_back(team);
        }
        std::sort(chosen.begin(), chosen.end(), better);
        map.insert(map.end(), chosen.begin(), chosen.end());
        return map;
    }

    std::vector<uint8_t> Image() const
    {
        std::vector<uint16_t> maps;
        for (int c = 0; c < COUNTRY_COUNT; ++c) {
            const std::vector<uint16_t> map = ClubMap(c);
            if (map.size() != CLUB_ID_COUNT)
                MkFailAt("world/places.txt", 0, "a club map is not full");
            maps.insert(maps.end(), map.begin(), map.end());
        }
        const std::vector<WorldNationality> nationalities = MakeNationalities();
        const auto bytes = [](const auto& v) {
            return static_cast<uint32_t>(v.size() * sizeof v[0]);
        };
        const BlockFileBlock blocks[] = {
            {"CTRY", m_countries.data(), bytes(m_countries)},
            {"NATN", nationalities.data(), bytes(nationalities)},
            {"WCLB", m_clubs.data(), bytes(m_clubs)},
            {"WPLY", m_persons.data(), bytes(m_persons)},
            {"CMAP", maps.data(), bytes(maps)},
            {"STFN", m_staffNames.data(), bytes(m_staffNames)},
            {"STWT", &m_weights, sizeof m_weights},
        };
        return BlockFileImage(WORLD_FILE_TYPE, WORLD_FILE_VERSION, blocks, 7);
    }

    WorldStatWeights m_weights;
    std::array<PlaceWords, WORLD_COUNTRY_COUNT> m_places;
    std::vector<WorldCountry> m_countries;
    std::vector<ClubPlan> m_plans;
    std::array<WorldClub, TEAM_COUNT> m_clubs{};
    std::vector<WorldPerson> m_persons;
    std::array<WorldStaffName, WORLD_STAFF_NAMES> m_staffNames{};
    std::set<std::string> m_usedNames;
    MkNameSpeller m_clubNameSpeller{EveryClubName(m_places)};
};

}  // namespace

void MkGenerateWorld(MkFileSet* set)
{
    WorldBuilder builder;
    MkAddFile(set, WORLD_FILE_NAME, builder.Build());
}
