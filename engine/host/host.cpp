// engine/host/host.cpp: starting and stopping the host on a back end, and the pump step.
#include "engine/host/host.h"

#include <cstdio>

#include "engine/fatal.h"
#include "engine/host/internal.h"

namespace {

struct HostState {
    bool running;
    bool unattended;
    HostBackendKind kind;
    const HostBackend* backend;
    const HostDriver* driver;
    HostInstance instance;
};

HostState s_host;
// Counts the starts of the process's life, so it outlives every stop: each start is a new
// instance of the program.
HostInstance s_lastInstance = HOST_NO_INSTANCE;

}  // namespace

HostBackendKind HostStart(HostBackendKind wanted, bool unattended)
{
    if (s_host.running) FatalError("HostStart(): already started\n");
    s_host = {};
    HostWindowReset();
    HostFrameReset();
    HostInputReset();
    s_host.kind = wanted;
    s_host.backend = wanted == HostBackendKind::Sdl ? &HostSdlBackend : &HostHeadlessBackend;
    char why[256] = "";
    if (!s_host.backend->start(why, sizeof why)) {
        // A player at the controls has nothing to play without a window; a script plays the same.
        if (!unattended) {
            FatalError("Error: HostStart(): no display available (%s); Pelloran needs one to show "
                       "its window. Without a display it runs only a script of its input: "
                       "-headless -script FILE\n",
                       why);
        }
        std::printf("Warning: HostStart(): no display available (%s) - running headless\n", why);
        s_host.kind = HostBackendKind::Headless;
        s_host.backend = &HostHeadlessBackend;
        s_host.backend->start(why, sizeof why);
    }
    s_host.unattended = unattended;
    s_host.running = true;
    s_host.instance = ++s_lastInstance;
    return s_host.kind;
}

void HostStop()
{
    if (!s_host.running) return;
    HostMediaStop();
    HostWindowRemoveQuietly();
    HostAudioClose();
    HostDeviceFreeAll();  // before the surfaces its devices hold
    HostSurfaceFreeAll();
    HostDisplayFreeAll();
    s_host.backend->stop();
    s_host.running = false;
    s_host.driver = nullptr;
}

bool HostRunning() { return s_host.running; }

HostInstance HostProgramInstance() { return s_host.running ? s_host.instance : HOST_NO_INSTANCE; }

HostBackendKind HostBackendInUse() { return s_host.kind; }

bool HostIsUnattended() { return s_host.unattended; }

const HostBackend& HostCurrentBackend()
{
    // Before HostStart the headless back end answers, so that a stray call cannot reach SDL.
    return s_host.backend ? *s_host.backend : HostHeadlessBackend;
}

void HostSetDriver(const HostDriver* driver) { s_host.driver = driver; }

void HostPump()
{
    HostCurrentBackend().pumpEvents();
    if (s_host.driver) s_host.driver->runDue();
    HostAudioPump();
    HostMediaPump();
    HostPresentIfDirty();
}

bool HostDriverWillPost() { return s_host.driver && s_host.driver->willPost(); }

void HostDriverStalled()
{
    if (s_host.driver) s_host.driver->stalled();
    FatalError("HostMsgGet(): waiting for a message that nothing can send\n");
}
