// tests/support/played_season.cpp: a seeded career played in process through its first season.
#include "tests/support/played_season.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/savegame.h"
#include "game/season.h"

namespace {

constexpr int32_t IMAGE_SLOT = 1;

// The save folder's files by name: the slot's save, its perm file and the index.
using SaveImage = std::map<std::string, std::vector<uint8_t>>;

SaveImage s_images[2];  // by moment, filled on first use

std::string SaveFolder() { return HostPath("SaveData"); }

SaveImage TakeImage()
{
    EXPECT_EQ(SaveGame(IMAGE_SLOT), SAVEGAME_OK);
    SaveImage image;
    for (const auto& entry : std::filesystem::directory_iterator(SaveFolder()))
        image[entry.path().filename()] = ReadBytes(entry.path());
    return image;
}

void PlayOneDay()
{
    VTW_FindHumanNextFixture();
    int32_t row = 0;
    while (VTW_PlayMatchDay(&row) != 0) {
    }
    VTW_AdvanceDay();
}

void PlayTheSeason()
{
    NewGameForTest(0, 7);
    VTW_SetClubControl(ScopedPlayedSeason::HUMAN_CLUB, MANAGER_HUMAN);
    GameState.humanClub = ScopedPlayedSeason::HUMAN_CLUB;
    const int32_t first = GameState.seasonCounter;
    while (DayNo < GameState.lastLeagueDay + 1)
        PlayOneDay();
    s_images[static_cast<int>(PlayedSeasonMoment::LeagueOver)] = TakeImage();
    while (GameState.seasonCounter == first)
        PlayOneDay();
    s_images[static_cast<int>(PlayedSeasonMoment::NextSeason)] = TakeImage();
    std::filesystem::remove_all(SaveFolder());
}

}  // namespace

ScopedPlayedSeason::ScopedPlayedSeason(PlayedSeasonMoment moment)
{
    AutoRunMode = 1;
    const SaveImage& image = s_images[static_cast<int>(moment)];
    if (image.empty()) PlayTheSeason();
    for (const auto& [name, bytes] : image)
        WriteBytes(SaveFolder() + "/" + name, bytes);
    EXPECT_EQ(LoadGame(IMAGE_SLOT), SAVEGAME_OK) << "the played season's image does not load";
}

ScopedPlayedSeason::~ScopedPlayedSeason() { AutoRunMode = 0; }
