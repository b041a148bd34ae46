// viewservices/videosettings.cpp: the video settings: device scores, the choice at start-up and
// the mode that suits the renderer.
#include "viewservices/videosettings.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "engine/fatal.h"
#include "engine/winlib.h"
#include "viewservices/viewscreen.h"

namespace {

constexpr int32_t kWantedWidth = 640, kWantedHeight = 480;
constexpr int32_t kSmallestWidth = 512, kSmallestHeight = 384;
constexpr uint32_t kScoredDisplayMemory = 0x400000, kScoredTextureMemory = 0x600000;
constexpr uint32_t kLargeTexture = 256;
constexpr uint32_t kRender32 = DXDEV_RENDER8 << 3;
constexpr uint32_t kZFormats = DXDEV_STENCIL8 * 0xF;  // the z formats listed for the device

struct DeviceScoreRow {
    uint32_t flags;  // any of them
    int32_t points;
};

constexpr auto kDeviceScores = std::to_array<DeviceScoreRow>({
    {DXDEV_HARDWARE, 50},
    {DXDEV_HARDWARE_TL, 10},
    {DXDEV_SUBPIXEL, 2},
    {DXDEV_MIPMAP_TEXTURES, 2},
    {DXDEV_SMOOTH_TEXTURES, 2},
    {kRender32, 5},
    {kZFormats, 10},
});

// Texture memory that is known and below 4 MB.
bool SmallTextureMemory(int32_t card)
{
    const DXCardEntry* entry = DXGetCardEntry(card);
    return entry != nullptr && entry->textureMemory != 0
           && entry->textureMemory < VIDEO_SMALL_MEMORY;
}

bool SameGuid(const HostGuid& guid, const uint8_t (&bytes)[16])
{
    return std::memcmp(guid.bytes, bytes, sizeof bytes) == 0;
}

// A hand-edited or foreign file may hold anything; the device view must only see what it knows.
int32_t ClampSwitch(int32_t value, int32_t highest, const char* name)
{
    const int32_t clamped = std::clamp(value, 0, highest);
    if (clamped != value) {
        std::printf("Warning: VideoInit(): 'OPTIONS.DAT': %s %d is outside 0-%d - using %d\n", name,
                    value, highest, clamped);
    }
    return clamped;
}

void ClampSwitches(VideoSettings* settings)
{
    settings->mipMapping = ClampSwitch(settings->mipMapping, VIDEO_SWITCH_ON, "mip-mapping");
    settings->textureFiltering =
        ClampSwitch(settings->textureFiltering, VIDEO_FILTER_TRILINEAR, "texture filtering");
    settings->lighting = ClampSwitch(settings->lighting, VIDEO_SWITCH_ON, "lighting");
    settings->fog = ClampSwitch(settings->fog, VIDEO_SWITCH_ON, "fog");
    settings->textureDetail =
        ClampSwitch(settings->textureDetail, VIDEO_SWITCH_ON, "texture detail");
}

// The saved card and device, while the host reports them under the same GUIDs. A record without a
// mode was never chosen by a run (every run saves one): the defaults of a first run.
bool SavedChoiceStands(const VideoSettings& settings)
{
    if (settings.mode < 0) return false;
    const int32_t card = Video_CardOf(settings);
    const DXCardEntry* entry = DXGetCardEntry(card);
    if (entry == nullptr) return false;
    if (entry->guidPointer != nullptr && !SameGuid(entry->guid, settings.cardGuid)) return false;
    if (settings.device3D == VIDEO_NO_DEVICE) return true;
    const DXDeviceEntry* device = DXGetDeviceEntry(card, settings.device3D);
    return device != nullptr && SameGuid(device->guid, settings.deviceGuid);
}

// The card of highest best score that may be chosen at start-up: the primary display, or a card
// that shows nothing itself (a desktop card other than the first is never chosen). -1 when none.
int32_t BestCard()
{
    int32_t best = -1, bestScore = VIDEO_UNUSABLE;
    for (int32_t card = 0; card < DX_MAX_CARDS; ++card) {
        const DXCardEntry* entry = DXGetCardEntry(card);
        if (entry == nullptr) continue;
        if (card != 0 && (entry->flags & DXCARD_NON_DISPLAY) == 0) continue;
        int32_t score = VIDEO_UNUSABLE;
        Video_BestDevice(card, &score);
        if (score > bestScore) {
            best = card;
            bestScore = score;
        }
    }
    return best;
}

// What a device offers, taken from its flags: mip-mapping and the best filtering it has; the
// lighting, fog and detail switches on unless the card's texture memory is small.
void TakeDeviceDefaults(VideoSettings* settings)
{
    const int32_t card = Video_CardOf(*settings);
    const uint32_t flags = Video_DeviceFlags(card, settings->device3D);
    const bool mipMaps = (flags & DXDEV_MIPMAP_TEXTURES) != 0;
    const bool bilinear = (flags & DXDEV_SMOOTH_TEXTURES) != 0;
    settings->mipMapping = mipMaps ? VIDEO_SWITCH_ON : VIDEO_SWITCH_OFF;
    settings->textureFiltering =
        bilinear ? (mipMaps ? VIDEO_FILTER_TRILINEAR : VIDEO_FILTER_BILINEAR) : VIDEO_FILTER_NONE;
    const int32_t extras = SmallTextureMemory(card) ? VIDEO_SWITCH_OFF : VIDEO_SWITCH_ON;
    settings->lighting = extras;
    settings->fog = extras;
    settings->textureDetail = extras;
}

bool SoftwareModeFits(const DDrawMode& mode)
{
    return mode.kind == DDRAW_KIND_8BIT && Video_LargeEnoughMode(mode);
}

int32_t FindMode(int32_t stored, bool device)
{
    int32_t count = 0;
    const DDrawMode* modes = GfxModeList(&count);
    if (stored >= 0 && stored < count) {
        if (device ? Video_DeviceModeFits(modes[stored]) : SoftwareModeFits(modes[stored]))
            return stored;
    }
    if (!device) return GfxFindBestMode(kWantedWidth, kWantedHeight, DDRAW_KIND_8BIT, 0, 0);
    for (int32_t kind = DDRAW_KIND_16BIT; kind <= DDRAW_KIND_32BIT; ++kind) {
        const int32_t mode = GfxFindBestMode(kWantedWidth, kWantedHeight, kind, MODE_USABLE_BY_3D,
                                             MODE_USABLE_BY_3D);
        if (mode >= 0) return mode;
    }
    return -1;
}

}  // namespace

int32_t Video_CardOf(const VideoSettings& settings)
{
    return settings.card < static_cast<uint32_t>(DX_MAX_CARDS) ? static_cast<int32_t>(settings.card)
                                                               : -1;
}

uint32_t Video_DeviceFlags(int32_t card, int32_t device)
{
    const DXDeviceEntry* entry = DXGetDeviceEntry(card, device);
    return entry != nullptr ? entry->flags : 0;
}

void Video_StartGraphics(int32_t card, int32_t device)
{
    DXSelectDevice(card, device);
    GfxInit(device != VIDEO_NO_DEVICE ? DDRAW_INIT_3D : 0);
}

bool Video_LargeEnoughMode(const DDrawMode& mode)
{
    return mode.width >= kSmallestWidth && mode.height >= kSmallestHeight;
}

bool Video_DeviceModeFits(const DDrawMode& mode)
{
    return mode.kind != DDRAW_KIND_8BIT && (mode.flags & MODE_USABLE_BY_3D) != 0
           && Video_LargeEnoughMode(mode);
}

int32_t Video_ScoreDevice(int32_t card, int32_t device)
{
    if (card == 0 && device == VIDEO_NO_DEVICE) return VIDEO_SOFTWARE_SCORE;
    const DXCardEntry* entry = DXGetCardEntry(card);
    const DXDeviceEntry* row = DXGetDeviceEntry(card, device);
    if (entry == nullptr || row == nullptr) return VIDEO_UNUSABLE;
    if (WinIsWindowed() && card != 0) return VIDEO_UNUSABLE;
    if ((entry->flags & DXCARD_DESKTOP_DISABLED) != 0) return VIDEO_UNUSABLE;
    if ((entry->flags & DXCARD_3D_ACCELERATED) == 0) return VIDEO_UNUSABLE;
    if ((row->flags & DXDEV_HARDWARE) == 0) return VIDEO_UNUSABLE;

    int32_t score = 0;
    if (entry->displayMemory >= kScoredDisplayMemory) score += 5;
    if (entry->textureMemory >= kScoredTextureMemory) score += 10;
    for (const DeviceScoreRow& scored : kDeviceScores) {
        if ((row->flags & scored.flags) != 0) score += scored.points;
    }
    if (row->maxTextureWidth > kLargeTexture && row->maxTextureHeight > kLargeTexture) score += 5;
    if (row->maxTextureAspect == 0) score += 2;
    return score;
}

int32_t Video_BestDevice(int32_t card, int32_t* score)
{
    int32_t best = VIDEO_NO_DEVICE;
    *score = VIDEO_UNUSABLE;
    for (int32_t device = VIDEO_NO_DEVICE; device < DX_MAX_DEVICES; ++device) {
        const int32_t points = Video_ScoreDevice(card, device);
        if (points > *score) {
            best = device;
            *score = points;
        }
    }
    return best;
}

void VideoInit(bool forceSoftware)
{
    VideoSettings& settings = Options.video;
    ClampSwitches(&settings);
    DXEnumDisplay();
    if (!forceSoftware && SavedChoiceStands(settings)) {
        Video_StartGraphics(Video_CardOf(settings), settings.device3D);
        Video_ChooseMode(&settings);
        return;
    }

    settings = {};
    settings.device3D = VIDEO_NO_DEVICE;
    const DXCardEntry* first = DXGetCardEntry(0);
    if (first == nullptr) FatalError("VideoInit(): Failed to find a graphics card!");
    if (first->guidPointer != nullptr)
        FatalError("VideoInit(): the first card must have the NULL GUID");
    if (!forceSoftware) {
        const int32_t card = BestCard();
        if (card < 0) FatalError("VideoInit(): Failed to find a graphics card!");
        int32_t score = VIDEO_UNUSABLE;
        const int32_t device = Video_BestDevice(card, &score);
        if (score < 0) FatalError("VideoInit(): failed to find a 3d device!");
        settings.card = static_cast<uint32_t>(card);
        settings.device3D = device;
    }
    Video_StartGraphics(Video_CardOf(settings), settings.device3D);
    if (settings.device3D != VIDEO_NO_DEVICE) TakeDeviceDefaults(&settings);
    Video_ChooseMode(&settings);
}

void Video_ChooseMode(VideoSettings* settings)
{
    const int32_t card = Video_CardOf(*settings);
    const int32_t device = settings->device3D;
    if (card != DXGetSelectedCard() || device != DXGetSelectedDevice()) {
        settings->mode = -1;
    } else {
        settings->mode = FindMode(settings->mode, device != VIDEO_NO_DEVICE);
        if (settings->mode < 0) FatalError("No mode found!");
    }
    if (SmallTextureMemory(card)) settings->textureDetail = VIDEO_SWITCH_OFF;
    // The software renderer reads no switch: the player's own stay for when he takes a device
    // again, rather than being taken by what "no device" lacks.
    if (device == VIDEO_NO_DEVICE) return;
    const uint32_t flags = Video_DeviceFlags(card, device);
    if ((flags & VIDEO_FOG_TABLE) == 0) settings->fog = VIDEO_SWITCH_OFF;
    if ((flags & DXDEV_MIPMAP_TEXTURES) == 0) settings->mipMapping = VIDEO_SWITCH_OFF;
}

void Video_StoreDeviceGuids()
{
    VideoSettings& settings = Options.video;
    const DXCardEntry* card = DXGetCardEntry(DXGetSelectedCard());
    const DXDeviceEntry* device = DXGetDeviceEntry(DXGetSelectedCard(), DXGetSelectedDevice());
    std::memset(settings.cardGuid, 0, sizeof settings.cardGuid);
    std::memset(settings.deviceGuid, 0, sizeof settings.deviceGuid);
    if (card != nullptr && card->guidPointer != nullptr)
        std::memcpy(settings.cardGuid, card->guid.bytes, sizeof settings.cardGuid);
    if (device != nullptr)
        std::memcpy(settings.deviceGuid, device->guid.bytes, sizeof settings.deviceGuid);
    GfxUninit();
}

bool Video_Has3DDevice() { return Options.video.device3D != VIDEO_NO_DEVICE; }

int32_t Video_SoftwareMode()
{
    if (Options.video.device3D != VIDEO_NO_DEVICE) return -1;
    // A stored mode the view cannot draw in (taller than its largest screen) is not handed on.
    int32_t count = 0;
    const DDrawMode* modes = GfxModeList(&count);
    const int32_t mode = Options.video.mode;
    return mode >= 0 && mode < count && SoftwareModeQualifies(modes[mode]) ? mode : -1;
}

void Video_KeepSoftwareMode(int32_t mode)
{
    if (Options.video.device3D == VIDEO_NO_DEVICE) Options.video.mode = mode;
}
