// engine/mcivideo.cpp: the video player over the host's media device.
#include "engine/mcivideo.h"

#include <cstdio>

#include "engine/host/host.h"
#include "engine/poll.h"
#include "engine/timer.h"

namespace {

// Closing what is open does nothing when nothing is.
bool Fail(const char* name)
{
    std::printf("Error: %s\n", name);
    HostMediaClose();
    return false;
}

HostRect BestFit(const HostRect& source)
{
    int32_t width, height;
    HostWindowClientSize(&width, &height);
    const int64_t filmWidth = source.right - source.left, filmHeight = source.bottom - source.top;
    int64_t fitWidth = width, fitHeight = height;
    if (width * filmHeight > height * filmWidth) {
        fitWidth = height * filmWidth / filmHeight;
    } else {
        fitHeight = width * filmHeight / filmWidth;
    }
    const int32_t left = static_cast<int32_t>((width - fitWidth) / 2);
    const int32_t top = static_cast<int32_t>((height - fitHeight) / 2);
    return {left, top, left + static_cast<int32_t>(fitWidth),
            top + static_cast<int32_t>(fitHeight)};
}

void WaitOneTick()
{
    const uint32_t start = Tick.load();
    while (Tick.load() == start)
        Poll();
}

}  // namespace

bool MciVideo_Play(const char* name, int32_t mode)
{
    if (mode != MCIVIDEO_BEST_FIT) {
        std::printf("Error: currently non-USEBESTMODE not supported\n");
        return false;
    }
    if (HostFailed(HostMediaOpen(name))) {
        std::printf("Error: mci open failed\n");  // a film already open is not ours to close
        return false;
    }
    if (HostFailed(HostMediaSetWindow(HostMainWindow()))) return Fail("mci window hwnd");
    HostRect source;
    if (HostFailed(HostMediaSourceRect(&source))) return Fail("mci rect");
    if (HostFailed(HostMediaPut(BestFit(source)))) return Fail("mci put");
    if (HostFailed(HostMediaPlay())) return Fail("mci play");
    for (uint32_t state = HOST_MEDIA_PLAYING; state == HOST_MEDIA_PLAYING;) {
        if (HostFailed(HostMediaStatus(&state))) return Fail("mci status");
        if (state == HOST_MEDIA_PLAYING) WaitOneTick();
    }
    return HostFailed(HostMediaClose()) ? Fail("mci close") : true;
}
