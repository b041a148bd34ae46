// engine/options.h: the user's settings, kept in "OPTIONS.DAT" between runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "engine/blockfile.h"

constexpr int32_t OPTIONS_VOLUME_MAX = 10;       // crowd, effects and menu volumes: 0-10
constexpr int32_t OPTIONS_VIEW_TYPE_MAX = 3;     // the four camera view types
constexpr int32_t OPTIONS_MODEL_DETAIL_MAX = 2;  // 0 low, 1 medium, 2 high
constexpr uint32_t OPTIONS_FILE_VERSION = 1;

#pragma pack(push, 1)
// The renderer chosen by the video options; its fields are theirs to check.
struct VideoSettings {
    uint32_t card;         // display card number, 0 the primary display
    int32_t device3D;      // device on that card, -1 none (software renderer)
    uint8_t cardGuid[16];  // all zero for the primary display
    uint8_t deviceGuid[16];
    int32_t mode;  // index into the host's mode list, -1 none
    int32_t mipMapping;
    int32_t textureFiltering;  // 0 none, 1 bilinear, 2 trilinear
    int32_t lighting;
    int32_t fog;
    int32_t textureDetail;  // 0 reduced textures
};

// The settings that outlive a run. Their owners (the video options, the match views' sound
// and display settings, the menu bar's volume) read and write them here in place.
struct OptionsBlock {
    VideoSettings video;
    int16_t crowdVolume;     // 0-10
    int16_t sfxVolume;       // 0-10
    int16_t menuVolume;      // 0-10
    int16_t panoramic;       // 0-1
    int16_t cameraViewType;  // view type of camera 0, 0-3
    int32_t modelDetail;     // 0-2
    int16_t showNames;       // player names, 0-1
};
#pragma pack(pop)

static_assert(sizeof(VideoSettings) == 64);
static_assert(offsetof(VideoSettings, device3D) == 4);
static_assert(offsetof(VideoSettings, cardGuid) == 8);
static_assert(offsetof(VideoSettings, deviceGuid) == 24);
static_assert(offsetof(VideoSettings, mode) == 40);
static_assert(offsetof(VideoSettings, mipMapping) == 44);
static_assert(offsetof(VideoSettings, textureFiltering) == 48);
static_assert(offsetof(VideoSettings, lighting) == 52);
static_assert(offsetof(VideoSettings, fog) == 56);
static_assert(offsetof(VideoSettings, textureDetail) == 60);
static_assert(sizeof(OptionsBlock) == 80);
static_assert(offsetof(OptionsBlock, crowdVolume) == 64);
static_assert(offsetof(OptionsBlock, sfxVolume) == 66);
static_assert(offsetof(OptionsBlock, menuVolume) == 68);
static_assert(offsetof(OptionsBlock, panoramic) == 70);
static_assert(offsetof(OptionsBlock, cameraViewType) == 72);
static_assert(offsetof(OptionsBlock, modelDetail) == 74);
static_assert(offsetof(OptionsBlock, showNames) == 78);
static_assert(std::is_trivially_copyable_v<OptionsBlock>);

// "OPTIONS.DAT" holds one block; a larger file is refused unread.
constexpr size_t OPTIONS_FILE_MAX_BYTES = BlockFileMaxBytes(sizeof(OptionsBlock), 1);

// A fresh file's settings: the start values of the sound and view settings, and no video choice
// yet (software renderer, no mode: start-up chooses afresh).
constexpr OptionsBlock OPTIONS_DEFAULTS = {
    .video = {.card = 0,
              .device3D = -1,
              .cardGuid = {},
              .deviceGuid = {},
              .mode = -1,
              .mipMapping = 0,
              .textureFiltering = 0,
              .lighting = 0,
              .fog = 0,
              .textureDetail = 0},
    .crowdVolume = 8,
    .sfxVolume = 6,
    .menuVolume = 8,
    .panoramic = 0,
    .cameraViewType = 0,
    .modelDetail = 2,
    .showNames = 1,
};

extern OptionsBlock Options;  // owned by Options; its fields are written in place by their users

// The defaults; Uninit the same (safe without Init and twice).
void OptionsInit();
void OptionsUninit();
// First thing at start-up. A missing file gives the defaults quietly; a damaged one gives the
// defaults and one warning; values out of range are clamped, each with a warning.
void OptionsLoad();
// Last thing at a normal end (never after a fatal error). A failed write keeps the old file and
// prints a warning.
void OptionsSave();
