// tests/game/textmess_test.cpp: text numbers, names, message groups and the inbox, over the
// tables that mkdata builds from data/.
#include "game/textmess.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/debug.h"
#include "engine/random.h"
#include "game/hooks.h"
#include "game/textformat.h"
#include "tests/support/support.h"
#include "tools/mkdata/gametext.h"

namespace {

std::vector<uint8_t> Generated(void (*generator)(MkFileSet*), const char* name)
{
    MkFileSet set;
    generator(&set);
    for (const MkFile& file : set.archives[MkArchiveFor(name)]) {
        if (file.name == name) return file.bytes;
    }
    return {};
}

const std::vector<uint8_t>& Messages()
{
    static const std::vector<uint8_t> bytes = Generated(MkGenerateMessages, "lang\\messages.dat");
    return bytes;
}

const std::vector<uint8_t>& Names()
{
    static const std::vector<uint8_t> bytes = Generated(MkGenerateNames, "stats\\names.dat");
    return bytes;
}

// A small person and club table standing in for the game database.
bool TestPerson(int id, int* initial, int* nameIndex, const char** fullName)
{
    if (id == 0) {
        *fullName = "Jean Manager";
        return true;
    }
    if (id > 100) return false;
    *initial = id % 27;
    *nameIndex = id * 150;
    return true;
}

const char* TestClub(int team) { return team == 7 ? "AS Valdorne" : "FC Test"; }

constexpr NameSource kTestSource = {TestPerson, TestClub};

std::string Cp1252(const char* utf8)  // the few accented letters the tests quote
{
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p; ++p) {
        if (*p == 0xC3) {
            out.push_back(static_cast<char>(*++p + 0x40));
        } else {
            out.push_back(static_cast<char>(*p));
        }
    }
    return out;
}

// A "$" that starts no code TextMess knows ("$$" aside).
bool HasUnknownCode(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '$') continue;
        if (i + 1 < text.size() && text[i + 1] == '$') {
            ++i;
            continue;
        }
        const bool digit = i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '3';
        if (!digit || i + 2 >= text.size() || std::strchr("tpmnsx", text[i + 2]) == nullptr)
            return true;
    }
    return false;
}

// A "$<digit><letter>" left in an expanded text.
bool HasLeftoverCode(const std::string& text)
{
    for (size_t i = 0; i + 2 < text.size(); ++i) {
        if (text[i] == '$' && std::isdigit(static_cast<unsigned char>(text[i + 1]))
            && std::islower(static_cast<unsigned char>(text[i + 2])))
            return true;
    }
    return false;
}

class TextMessTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetCoreForTest();
        GameHooks_Reset();
        TextMess_Init();
        ASSERT_TRUE(TextMess_LoadImage(Messages().data(), Messages().size()));
        Names_SetBuffer(reinterpret_cast<const char*>(Names().data()));
    }
    void TearDown() override
    {
        TextMess_Uninit();
        Names_SetBuffer(nullptr);
        GameHooks_Reset();
        ResetCoreForTest();
    }
};

std::string Surname(int index)
{
    return std::string(reinterpret_cast<const char*>(&Names()[size_t(index) * 17]));
}

// Accents, trailing blanks, codes and the last of each range, as the data files hold them.
TEST_F(TextMessTest, QuotedTextsComeBackByteForByte)
{
    const std::vector<std::pair<int, const char*>> quoted = {
        {0, "Quitter"},
        {30, "Entraîneur"},
        {151, "Extérieur "},
        {359, "24ème "},
        {693, "Remplaçer %s par %s"},
        {1261, "$0p a démissionné de $0t"},
        {1262, "$0p a quitté $1t pour $0t pour $0m"},
        {1500, "0-15"},
        {1888, "%s n'ont pas encore disputés de match officiel"},
        {1999, "Ecraser fichier existant ?"},
        {2318, "Belge"},
        {1329, "Personnalisé 12"},
    };
    for (const auto& [number, text] : quoted) {
        EXPECT_EQ(GetMessageText(number), Cp1252(text)) << number;
    }
}

// Every text the built screens quote by number (the title and new-game screens, saves, the squad,
// the player card, the calendars and tables, the day screen, the news, the office, the job offer,
// the credits and the results), byte for byte: a text of our own written before the screen was
// built must not stand in for the screen's own words.
TEST_F(TextMessTest, TheBuiltScreensTextsAreTheirOwnWordsByteForByte)
{
    // clang-format off
    const std::vector<std::pair<int, const char*>> quoted = {
        {30, "Entraîneur"}, {36, "G"}, {37, "D"}, {38, "G/D"}, {39, "PT"}, {59, "Salaire"},
        {61, "Age"}, {62, "Apparitions"}, {63, "Contrat"}, {64, "Buts"}, {71, "Statut Trans."},
        {102, "D"}, {103, "E"}, {113, "Match barrage Ret."}, {125, "-"}, {138, "V"}, {139, "N"},
        {140, "D"}, {141, "B.I."}, {142, "B.C."}, {143, "PTS"}, {144, "DIFF"},
        {151, "Extérieur "}, {152, "C"}, {159, "PAS DE RENCONTRE"},
        {171, "Match de suspension/suspendu pour un match"}, {173, "Club"}, {185, "ans"},
        {196, "Mois"}, {198, "Points de dis."}, {239, "Contrat"}, {240, "Salaire"},
        {241, "Valeur"}, {243, "Performance"}, {244, "Moral"}, {245, "Santé"}, {246, "Fatigue"},
        {247, "Points Dis"}, {251, "Libérer joueur"}, {262, "Match suivant"},
        {281, "Clauses du contrat :"}, {296, "Historique"}, {336, "1er"}, {337, "2ème"},
        {425, "Etes-vous sûr de vouloir supprimer ce joueur de la liste?"},
        {459, "Choisir le Championnat"}, {497, "Analyse stats"}, {537, "Perf. moy"},
        {547, "Jour de Match"}, {552, "Jouer le match"}, {554, "Saison"},
        {580, "Choisir tireur corner"}, {581, "Choisir tireur penalty"},
        {582, "Choisir tireur coup franc"}, {585, "Votre équipe n'est pas complète"},
        {588, "Maximum de 3 joueurs non-européens permis dans l'équipe sur le terrain."},
        {593, "Date"}, {718, "CT"}, {728, "Choisissez une équipe à diriger"},
        {738, "Liste de joueurs prêtés"}, {744, "Raccroche le maillot"},
        {748, "semaine(s) approximativement"},
        {749, "VEUILLEZ PATIENTER PENDANT LA CREATION DE LA PARTIE..."},
        {755, "Liste des Transferts"}, {756, "Entraîneur As"}, {759, "Acheter joueur"},
        {761, "Entrer nom de l'entraîneur"}, {765, "Nouvelle saison"},
        {768, "Etes-vous sûr de vouloir libérer ce joueur ?"},
        {770, "Etes-vous sûr de vouloir cessez vos fonctions d'entraîneur-joueur ?"},
        {789, "Joueur sans engagement"}, {861, "J-Entraîneur"}, {864, "Sauvegarder la partie"},
        {865, "Sauvegarde en cours"}, {866, "Chargement en cours"},
        {878, "Le conseil vous accorde des fonds supplémentaires"}, {887, "Rencontre du jour"},
        {956, "Soutien"}, {1014, "Debug Screen"}, {1033, "Cela vous coûtera "},
        {1034, "Ce n'est pas possible; les joueurs sont en vacances."}, {1067, "Apps."},
        {1092, "Expérience"},
        {1105, "Vous n'avez pas encore disputé de rencontres officielles."},
        {1121, "Vous avez déjà raccroché les crampons."},
        {1122, "Votre carrière de joueur est terminée."},
        {1129, "Impossible sur une machine de 16 MO."}, {1130, "Désolé, ce joueur est prêté."},
        {1135, "Impossible de prêter ce joueur."},
        {1141, "Club déjà en pourparlers avec trop de clubs."},
        {1143, "Vous ne pouvez pas faire d'offre pour ce joueur."},
        {1149, "Ce joueur n'a aucun intérêt à signer dans votre club."},
        {1152, "Club déjà en pourparlers avec trop de clubs."},
        {1158, "Pour l'heure, je ne suis pas disposé à négocier un nouveau contrat."},
        {1163, "Vous ne pouvez pas intervenir sur ce joueur, il n'a pas de contrat."},
        {1168, "Vous ne pouvez pas racheter ce joueur, vous n'avez pas assez d'argent."},
        {1171, "DT"},
        {1175, "Les joueurs étant partis en vacances, cette information n'est pas disponible."},
        {1206, "*"}, {1207, "Classement"}, {1484, "Votre équipe n'a pas de capitaine."},
        {1498, "N"}, {1499, "Fixer prix"}, {1558, "Résultats"}, {1559, "Internationaux"},
        {1561, "Victoire aux tirs au but"}, {1570, "Programmeur principal"},
        {1571, "Equipe de développement"}, {1572, "Artistes"}, {1573, "Testeurs"},
        {1575, "Dern. Perf."}, {1594, "Les résultats arrivent dans..."},
        {1656, "Historique de carrière"}, {1657, "Historique des progrès"},
        {1660, "Emplacement vide"}, {1661, "La sauvegarde a échoué"},
        {1662, "Le chargement a échoué"},
        {1663, "Chargement impossible. Veuillez réinstaller le jeu"},
        {1664, "Erreur lors du chargement du répertoire"},
        {1676, "Il n'y a pas de partie sauvegardée à charger"},
        {1677, "Il n'y a aucun ralenti sauvegardé à charger"}, {1686, "Info"},
        {1807, "Les entraîneurs vaquent à leurs tâches quotidiennes"}, {1808, "Non Disponible"},
        {1812, "Cliquez sur le nom pour le modifier"}, {1815, "Affectations"},
        {1828, "Prêter joueur"}, {1829, "Négocier contrat"},
        {1850, "5 derniers matchs de championnat"}, {1886, "Remplaçants"},
        {1888, "%s n'ont pas encore disputés de match officiel"}, {1897, "Offres faites"},
        {1898, "Ventes acceptées"}, {1899, "Pas d'offres"}, {1901, "Objectifs"},
        {1902, "Participation à la Coupe"}, {1999, "Ecraser fichier existant ?"},
        {2310, "Anglais"}, {2311, "Ecossais"}, {2312, "Italien"}, {2313, "Allemand"},
        {2314, "Espagnol"}, {2315, "Néerlandais"}, {2316, "Français"}, {2317, "Portugais"},
        {2318, "Belge"},
    };
    // clang-format on
    for (const auto& [number, text] : quoted) {
        EXPECT_EQ(GetMessageText(number), Cp1252(text)) << number;
    }
}

TEST_F(TextMessTest, EveryInterfaceTextIsShortNonEmptyAndUsesKnownCodes)
{
    int held = 0;
    DebugSetLevel(DBG_GENERAL, 0);
    for (int n = 0; n < TEXT_INTERFACE_COUNT; ++n) {
        const std::string text = GetMessageText(n);
        if (text.empty()) continue;
        ++held;
        EXPECT_LT(text.size(), 299u) << n;
        EXPECT_FALSE(HasUnknownCode(text)) << n << ": " << text;
    }
    EXPECT_GT(held, 1100);
}

// Numbers the screens compute (base + index) or read from their tables: a gap would show an
// empty label.
TEST_F(TextMessTest, TextsTheScreensIndexAllExist)
{
    std::vector<int> numbers;
    const auto range = [&numbers](int first, int count, int step = 1) {
        for (int i = 0; i < count; ++i) {
            numbers.push_back(first + i * step);
        }
    };
    range(2, 7);      // weekdays
    range(9, 12);     // months
    range(21, 7);     // short weekdays
    range(200, 16);   // injuries
    range(263, 4);    // ordinal suffixes
    range(336, 24);   // ordinals
    range(1640, 6);   // info bar: restarts
    range(1650, 1);   // info bar: shoot-out kick
    range(1652, 4);   // info bar: the two-name lines, fouls
    range(2310, 96);  // nationalities
    for (int country = 0; country < 9; ++country) {
        range(2410 + 10 * country, 7);  // competitions
        range(2500 + 20 * country, 6);  // short division names
        range(2510 + 20 * country, 6);  // long division names
    }
    // The label of every match-record field.
    for (int n :
         {1985, 246,  1983, 958,  959,  243,  1984, 956,  944,  946,  953,  940,  942,  943,
          948,  1986, 937,  1429, 1428, 1987, 1988, 1989, 922,  923,  1990, 631,  64,   1991,
          914,  945,  969,  935,  1992, 947,  1993, 966,  1994, 941,  1995, 1982, 1981, 1980,
          1653, 1407, 1979, 1978, 1977, 1976, 1400, 1405, 1975, 1975, 936,  1408, 957,  1973,
          1972, 72,   1970, 1971, 1969, 963,  1486, 1968, 1967, 1966, 1538, 1391, 1486}) {
        numbers.push_back(n);
    }
    // The menu bar's labels, and the long names of the match-analysis columns.
    for (int n : {89,   0,    1015, 700,  29,   497, 1314, 445,  294,  1216, 791,  1014, 252,  136,
                  1476, 795,  28,   888,  741,  762, 764,  1817, 1833, 1834, 1469, 157,  1681, 1682,
                  167,  79,   423,  426,  427,  833, 834,  1050, 1409, 1412, 1420, 1415, 1416, 911,
                  1592, 1421, 1413, 1414, 1430, 954, 1432, 1433, 1417, 1425, 1422, 1424}) {
        numbers.push_back(n);
    }
    for (int n : numbers) {
        EXPECT_STRNE(GetMessageText(n), "") << n;
    }
}

TEST_F(TextMessTest, TextNumberRangesResolve)
{
    TextMess_SetNameSource(&kTestSource);
    EXPECT_STREQ(GetMessageText(-1), "");
    EXPECT_STREQ(GetMessageText(-500), "");
    EXPECT_EQ(GetMessageText(3000 + 1), "A. " + Surname(150));
    EXPECT_EQ(GetMessageText(3000 + 27), Surname(27 * 150));
    EXPECT_EQ(GetMessageText(3000 + 26), "Z. " + Surname(26 * 150));
    EXPECT_STREQ(GetMessageText(3000), "Jean Manager");
    EXPECT_STREQ(GetMessageText(28007), "AS Valdorne");
    EXPECT_STREQ(GetMessageText(28000 + 1046), "");
    for (int k = 0; k < 104; ++k) {
        EXPECT_STREQ(GetMessageText(29200 + k), GetMessageText(k)) << k;
    }
    EXPECT_STREQ(GetMessageText(29304), "Money");
    EXPECT_STREQ(GetMessageText(29304 + 2), "Pick Team");
}

TEST_F(TextMessTest, TwoNamesShareOneLine)
{
    TextMess_SetNameSource(&kTestSource);
    const char* first = GetMessageText(28007);
    const char* second = GetMessageText(3000 + 1);
    EXPECT_STREQ(first, "AS Valdorne");
    EXPECT_EQ(second, "A. " + Surname(150));
}

TEST_F(TextMessTest, AGapWarnsOnceHoweverOftenItIsAsked)
{
    DebugSetLevel(DBG_GENERAL, 1);
    testing::internal::CaptureStdout();
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(GetMessageText(2999), "");
        EXPECT_STREQ(GetMessageText(29304 + 5000), "");
    }
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Warning: GetMessageText(): no text 2999\n"
                   "Warning: GetMessageText(): no text 34304\n");
}

TEST_F(TextMessTest, NamesWithoutASourceAreEmptyWithAWarning)
{
    DebugSetLevel(DBG_GENERAL, 1);
    testing::internal::CaptureStdout();
    EXPECT_STREQ(GetMessageText(3005), "");
    EXPECT_STREQ(GetMessageText(28003), "");
    EXPECT_STREQ(GetMessageText(3005), "");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Warning: GetMessageText(): no name source for 3005\n"
                   "Warning: GetMessageText(): no name source for 28003\n");
}

TEST_F(TextMessTest, EveryGroupExpandsFullyWithRandomParameters)
{
    TextMess_SetNameSource(&kTestSource);
    DebugSetLevel(DBG_GENERAL, 0);
    SRand(1234);
    for (int group = 0; group < TEXTMESS_GROUP_COUNT; ++group) {
        for (int i = 0; i < 20; ++i) {
            TextMessParams params{};
            for (int d = 0; d < 4; ++d) {
                params.team[d] = static_cast<int16_t>(Rand() % TEXT_CLUB_COUNT);
                params.person[d] = static_cast<int16_t>(Rand() % 100);
                params.money[d] = Rand() * 1000;
                params.number[d] = Rand() % 100;
                params.textNo[d] = static_cast<int16_t>(200 + Rand() % 16);
            }
            TextMess_SetParams(params);
            const std::string text = TextMess_PickRandom(group);
            EXPECT_LE(text.size(), 511u);
            EXPECT_FALSE(HasLeftoverCode(text)) << group << ": " << text;
        }
    }
}

TEST_F(TextMessTest, AnEmptyGroupTakesNoRandomDraw)
{
    SRand(77);
    const uint32_t before = RandState();
    EXPECT_STREQ(TextMess_PickRandom(30), "");
    EXPECT_STREQ(TextMess_PickRandom(150), "");
    EXPECT_STREQ(TextMess_PickRandom(-1), "");
    EXPECT_EQ(RandState(), before);
    TextMess_PickRandom(0);
    EXPECT_NE(RandState(), before);
}

const char* g_shown;
void RememberShown(const char* text) { g_shown = text; }
const char* MoneyInEuros(int32_t value)
{
    static char text[32];
    std::snprintf(text, sizeof text, "%d EUR", value);
    return text;
}

// A counted noun agrees with its number in every text of the groups that count: singular for 0
// and 1, plural from 2 on, whichever text of the group is picked.
TEST_F(TextMessTest, CountedNounsAgreeWithTheirNumber)
{
    TextMess_SetNameSource(&kTestSource);
    const struct {
        int group;
        int32_t number;
        const char* wanted;
    } cases[] = {
        {3, 1, " 1 semaine"},  {3, 2, " 2 semaines"}, {19, 1, " 1 match"},
        {19, 0, " 0 match"},   {19, 3, " 3 matchs"},  {12, 1, " 1 jeune "},
        {12, 4, " 4 jeunes "}, {24, 1, " 1 jour"},    {24, 12, " 12 jours"},
    };
    for (const auto& c : cases) {
        for (uint32_t seed = 1; seed <= 6; ++seed) {
            TextMessParams params{};
            params.number[0] = c.number;
            params.textNo[0] = 200;
            TextMess_SetParams(params);
            SRand(seed);
            const std::string text = TextMess_PickRandom(c.group);
            EXPECT_NE(text.find(c.wanted), std::string::npos) << text;
            if (c.number < 2) {
                EXPECT_EQ(text.find(std::string(c.wanted) + "s"), std::string::npos) << text;
            }
        }
    }
}

TEST_F(TextMessTest, ShownMessagesReachTheHookAndTheLastFiftyStayInOrder)
{
    TextMess_SetNameSource(&kTestSource);
    GameHooks.ShowMessage = RememberShown;
    GameHooks.FormatMoney = MoneyInEuros;
    for (int i = 0; i < 60; ++i) {
        TextMessParams params{};
        params.number[0] = i;
        TextMess_SetParams(params);
        TextMess_PickRandom(12);  // youth players joined: every text holds "$0n"
        TextMess_ShowForHumans();
        EXPECT_STREQ(g_shown, TextMess_InboxLine(TextMessNews.count - 1));
    }
    EXPECT_EQ(TextMessNews.count, 50);
    for (int i = 0; i < 50; ++i) {
        EXPECT_NE(std::string(TextMess_InboxLine(i)).find(std::to_string(i + 10)),
                  std::string::npos)
            << TextMess_InboxLine(i);
    }
    EXPECT_STREQ(TextMess_InboxLine(50), "");

    TextMessParams params{};
    params.person[0] = 1;
    params.team[0] = 7;
    params.money[0] = 1500;
    TextMess_SetParams(params);
    SRand(3);
    const std::string sold = TextMess_PickRandom(7);
    EXPECT_NE(sold.find("1500 EUR"), std::string::npos) << sold;
    EXPECT_NE(sold.find("AS Valdorne"), std::string::npos) << sold;
}

}  // namespace
