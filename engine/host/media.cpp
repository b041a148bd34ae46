// engine/host/media.cpp: the media device: one film played in the window image through the
// registered decoder, a frame every HOST_MEDIA_FRAME_PERIODS periods of the host's clock.
#include <algorithm>
#include <vector>

#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/host/internal.h"

namespace {

struct MediaState {
    bool open;
    int32_t width;
    int32_t height;
    std::vector<uint8_t> pixels;  // the film's frame, 8-bit
    const uint8_t* palette;       // null: the grey ramp
    HostWindow window;
    HostRect target;  // empty until put
    uint32_t state;   // HostMediaState
    uint32_t startPeriod;
    uint32_t framesShown;
    HostImageKeep under;  // the game's image while the film plays
};

const HostMediaDecoder* s_decoder;
MediaState s_media;

// Every call but open checks a film is open, then whether the test controls make it fail.
bool Fails(HostCall call, HostResult* result)
{
    *result = HOST_E_GENERIC;
    return !s_media.open || HostTakeFailure(call, result);
}

// The window's whole client area: black, and the frame scaled by nearest pixel into the target.
void ShowFrame()
{
    int32_t width, height;
    HostWindowClientSize(&width, &height);
    std::vector<uint32_t> rgb(static_cast<size_t>(width) * height, 0);
    const HostRect& t = s_media.target;
    const int32_t targetWidth = t.right - t.left, targetHeight = t.bottom - t.top;
    for (int32_t y = std::max(t.top, 0); y < std::min(t.bottom, height); ++y) {
        const int32_t row = (y - t.top) * s_media.height / targetHeight;
        for (int32_t x = std::max(t.left, 0); x < std::min(t.right, width); ++x) {
            const int32_t column = (x - t.left) * s_media.width / targetWidth;
            const uint8_t index = s_media.pixels[static_cast<size_t>(row) * s_media.width + column];
            const uint8_t* p = s_media.palette ? s_media.palette + 3 * index : nullptr;
            rgb[static_cast<size_t>(y) * width + x] =
                p ? static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]) : index * 0x010101u;
        }
    }
    HostImagePutRgb(rgb.data(), {0, 0, width, height});
}

// The next frame, shown; false (and the film ended) when there is none.
bool NextFrame()
{
    if (!s_decoder->frame(s_media.pixels.data(), &s_media.palette)) {
        s_media.state = HOST_MEDIA_ENDED;
        return false;
    }
    ++s_media.framesShown;
    return true;
}

void CloseFilm()
{
    if (s_media.open) s_decoder->close();
    s_media = {};
}

}  // namespace

void HostMediaSetDecoder(const HostMediaDecoder* decoder)
{
    if (s_media.open) CloseFilm();
    s_decoder = decoder;
}

HostResult HostMediaOpen(const char* name)
{
    HostResult result = HOST_E_GENERIC;
    if (HostTakeFailure(HOST_CALL_MEDIA_OPEN, &result)) return result;
    if (s_media.open || s_decoder == nullptr) return HOST_E_GENERIC;
    int32_t width = 0, height = 0;
    if (!s_decoder->open(name, &width, &height)) return HOST_E_GENERIC;
    if (width < 1 || height < 1 || width > HOST_MEDIA_MAX_SIDE || height > HOST_MEDIA_MAX_SIDE) {
        s_decoder->close();
        return HOST_E_GENERIC;
    }
    s_media = {};
    s_media.open = true;
    s_media.width = width;
    s_media.height = height;
    s_media.pixels.assign(static_cast<size_t>(width) * height, 0);
    return HOST_OK;
}

HostResult HostMediaSetWindow(HostWindow window)
{
    HostResult result;
    if (Fails(HOST_CALL_MEDIA_WINDOW, &result)) return result;
    if (window == HOST_NO_WINDOW || window != HostMainWindow()) return HOST_E_BAD_ARGUMENT;
    s_media.window = window;
    return HOST_OK;
}

HostResult HostMediaSourceRect(HostRect* rect)
{
    HostResult result;
    if (Fails(HOST_CALL_MEDIA_SOURCE_RECT, &result)) return result;
    *rect = {0, 0, s_media.width, s_media.height};
    return HOST_OK;
}

HostResult HostMediaPut(const HostRect& target)
{
    HostResult result;
    if (Fails(HOST_CALL_MEDIA_PUT, &result)) return result;
    if (target.right <= target.left || target.bottom <= target.top) return HOST_E_BAD_ARGUMENT;
    s_media.target = target;
    return HOST_OK;
}

HostResult HostMediaPlay()
{
    HostResult result;
    if (Fails(HOST_CALL_MEDIA_PLAY, &result)) return result;
    if (s_media.window != HostMainWindow() || s_media.window == HOST_NO_WINDOW
        || s_media.target.right <= s_media.target.left)
        return HOST_E_GENERIC;
    if (!HostImageCanOverlay()) return HOST_E_UNSUPPORTED;
    if (s_media.state != HOST_MEDIA_STOPPED) return HOST_OK;
    int32_t width, height;
    HostWindowClientSize(&width, &height);
    HostImageKeepRect({0, 0, width, height}, &s_media.under);
    s_media.state = HOST_MEDIA_PLAYING;
    s_media.startPeriod = ClockPeriods();
    if (NextFrame()) ShowFrame();
    return HOST_OK;
}

HostResult HostMediaStatus(uint32_t* state)
{
    HostResult result;
    if (Fails(HOST_CALL_MEDIA_STATUS, &result)) return result;
    HostMediaPump();
    *state = s_media.state;
    return HOST_OK;
}

HostResult HostMediaClose()
{
    HostResult result;
    const bool failed = Fails(HOST_CALL_MEDIA_CLOSE, &result);
    // A close that fails lets the film go even so: nothing could close it later.
    HostImageGiveBack(&s_media.under);
    CloseFilm();
    return failed ? result : HOST_OK;
}

void HostMediaPump()
{
    if (s_media.state != HOST_MEDIA_PLAYING) return;
    if (s_media.window != HostMainWindow() || s_media.under.image != HostWindowImage()) {
        s_media.state = HOST_MEDIA_ENDED;  // the window or its image went: nothing to show in
        return;
    }
    const uint32_t due = (ClockPeriods() - s_media.startPeriod) / HOST_MEDIA_FRAME_PERIODS + 1;
    bool shown = false;
    while (s_media.framesShown < due && NextFrame())
        shown = true;
    if (shown) ShowFrame();
}

void HostMediaStop() { CloseFilm(); }

bool HostInjectMediaOpen() { return s_media.open; }

uint32_t HostInjectMediaFrames() { return s_media.framesShown; }
