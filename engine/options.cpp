// engine/options.cpp: the user's settings, kept in "OPTIONS.DAT" between runs.
#include "engine/options.h"

#include <algorithm>
#include <cstdio>

#include "engine/blockfile.h"

OptionsBlock Options = OPTIONS_DEFAULTS;

namespace {

constexpr const char* kFileName = "OPTIONS.DAT";
constexpr const char* kFileType = "OPT0";
constexpr const char* kBlockTag = "OPTS";

// A hand-edited or foreign file may hold anything; a value the game cannot use is brought to
// the nearest one it can.
template <typename T>
T ClampOption(T value, int32_t highest, const char* name)
{
    const int32_t clamped = std::clamp<int32_t>(value, 0, highest);
    if (clamped != value) {
        std::printf("Warning: OptionsLoad(): '%s': %s %d is outside 0-%d - using %d\n", kFileName,
                    name, static_cast<int32_t>(value), highest, clamped);
    }
    return static_cast<T>(clamped);
}

void ClampOptions(OptionsBlock* options)
{
    options->crowdVolume = ClampOption(options->crowdVolume, OPTIONS_VOLUME_MAX, "crowd volume");
    options->sfxVolume = ClampOption(options->sfxVolume, OPTIONS_VOLUME_MAX, "effects volume");
    options->menuVolume = ClampOption(options->menuVolume, OPTIONS_VOLUME_MAX, "menu volume");
    options->panoramic = ClampOption(options->panoramic, 1, "panoramic flag");
    options->cameraViewType =
        ClampOption(options->cameraViewType, OPTIONS_VIEW_TYPE_MAX, "camera view type");
    options->modelDetail =
        ClampOption(options->modelDetail, OPTIONS_MODEL_DETAIL_MAX, "model detail");
    options->showNames = ClampOption(options->showNames, 1, "player names flag");
}

}  // namespace

void OptionsInit() { Options = OPTIONS_DEFAULTS; }

void OptionsUninit() { OptionsInit(); }

void OptionsLoad()
{
    OptionsBlock loaded{};
    const BlockFileRequest request = {kBlockTag, &loaded, sizeof loaded, nullptr, true};
    const int32_t result = BlockFileLoad(kFileName, OPTIONS_FILE_MAX_BYTES, kFileType,
                                         OPTIONS_FILE_VERSION, &request, 1);

    OptionsInit();
    if (result == BLOCKFILE_MISSING) return;  // the first run
    if (result != BLOCKFILE_OK) {
        std::printf("Warning: OptionsLoad(): '%s' is damaged - using the default options\n",
                    kFileName);
        return;
    }
    ClampOptions(&loaded);
    Options = loaded;
}

void OptionsSave()
{
    const BlockFileBlock block = {kBlockTag, &Options, sizeof Options};
    if (BlockFileSave(kFileName, kFileType, OPTIONS_FILE_VERSION, &block, 1) != BLOCKFILE_OK) {
        std::printf("Warning: OptionsSave(): cannot write '%s' - the options were not saved\n",
                    kFileName);
    }
}
