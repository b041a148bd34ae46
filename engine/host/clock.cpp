// engine/host/clock.cpp: the 10 ms period source, a thread on the steady clock or a manual one.
#include "engine/host/clock.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stop_token>
#include <thread>

#include "engine/fatal.h"

namespace {

constexpr int64_t CLOCK_MAX_CATCH_UP = 10;  // missed periods replayed after a late wake-up
constexpr uint32_t CLOCK_IDLE_POLLS = 100;  // Polls within one period that make a wait loop

struct ClockState {
    bool running;
    ClockPeriodFunction period;
    uint32_t idleCalls;    // ClockIdle calls since the period count last moved
    uint32_t idlePeriods;  // the period count those calls belong to
};

struct ClockListeners {
    ClockPeriodFunction fns[CLOCK_MAX_LISTENERS];
    int32_t count;
};

// Chosen by ClockSelect and kept across ClockStart and ClockStop.
struct ClockSettings {
    ClockKind kind = ClockKind::Real;
    bool autoAdvance = true;
    uint64_t virtualMs;  // manual clock only: time elapsed since ClockSelect
    ClockListeners listeners;
};

ClockState s_clock;
ClockSettings s_settings;
std::atomic<uint32_t> s_periods;  // written by the real clock's thread, read by the main thread
std::jthread s_thread;            // a jthread, so a process ending through exit() still joins it

void RunRealClock(std::stop_token stop, ClockPeriodFunction period)
{
    using std::chrono::steady_clock;
    constexpr auto PERIOD = std::chrono::milliseconds(CLOCK_PERIOD_MS);
    auto next = steady_clock::now() + PERIOD;
    while (!stop.stop_requested()) {
        std::this_thread::sleep_until(next);
        // A late wake-up replays what it missed, within a limit, so the tick keeps its pace
        // after a short stall but does not race after a long one.
        const int64_t missed = (steady_clock::now() - next) / PERIOD;
        const int64_t due = 1 + std::min(missed, CLOCK_MAX_CATCH_UP);
        for (int64_t i = 0; i < due; ++i) {
            s_periods.fetch_add(1, std::memory_order_relaxed);
            period();
        }
        next += PERIOD * (missed + 1);
    }
}

}  // namespace

void ClockSelect(ClockKind kind)
{
    if (s_clock.running) FatalError("ClockSelect(): the clock is running");
    s_settings = {};
    s_settings.kind = kind;
}

ClockKind ClockSelectedKind() { return s_settings.kind; }

void ClockStart(ClockPeriodFunction period)
{
    if (s_clock.running) FatalError("ClockStart(): already running");
    s_clock = {};
    s_clock.running = true;
    s_clock.period = period;
    s_periods.store(0, std::memory_order_relaxed);
    if (s_settings.kind == ClockKind::Real) s_thread = std::jthread(RunRealClock, period);
}

void ClockStop()
{
    if (!s_clock.running) return;
    if (s_thread.joinable()) {
        s_thread.request_stop();
        s_thread.join();
    }
    s_clock.running = false;
}

bool ClockRunning() { return s_clock.running; }

void ClockAdvance(uint32_t periods)
{
    if (!s_clock.running || s_settings.kind != ClockKind::Manual)
        FatalError("ClockAdvance(): the manual clock is not running");
    for (uint32_t i = 0; i < periods; ++i) {
        s_settings.virtualMs += CLOCK_PERIOD_MS;
        s_periods.fetch_add(1, std::memory_order_relaxed);
        s_clock.period();
        // A copy, so that a listener may add or remove listeners while they run.
        const ClockListeners listeners = s_settings.listeners;
        for (int32_t l = 0; l < listeners.count; ++l) {
            listeners.fns[l]();
        }
    }
}

void ClockIdle()
{
    if (!s_clock.running) return;
    if (s_settings.kind == ClockKind::Manual) {
        if (s_settings.autoAdvance) ClockAdvance(1);
        return;
    }
    // Only a loop that does nothing but Poll calls this so often within one period; a loop that
    // works between Polls must not be slowed down.
    const uint32_t periods = s_periods.load(std::memory_order_relaxed);
    if (periods != s_clock.idlePeriods) {
        s_clock.idlePeriods = periods;
        s_clock.idleCalls = 0;
    }
    if (++s_clock.idleCalls > CLOCK_IDLE_POLLS)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void ClockSetAutoAdvance(bool on) { s_settings.autoAdvance = on; }

uint32_t ClockPeriods() { return s_periods.load(std::memory_order_relaxed); }

void ClockAddListener(ClockPeriodFunction listener)
{
    ClockListeners& listeners = s_settings.listeners;
    for (int32_t l = 0; l < listeners.count; ++l) {
        if (listeners.fns[l] == listener) FatalError("ClockAddListener(): listener already added");
    }
    if (listeners.count == CLOCK_MAX_LISTENERS)
        FatalError("ClockAddListener(): too many listeners");
    listeners.fns[listeners.count++] = listener;
}

void ClockRemoveListener(ClockPeriodFunction listener)
{
    ClockListeners& listeners = s_settings.listeners;
    ClockPeriodFunction* const end = listeners.fns + listeners.count;
    ClockPeriodFunction* const found = std::find(listeners.fns, end, listener);
    if (found == end) return;
    std::copy(found + 1, end, found);
    --listeners.count;
}

uint64_t ClockWallSeconds()
{
    if (s_settings.kind == ClockKind::Manual)
        return CLOCK_MANUAL_EPOCH_SECONDS + s_settings.virtualMs / 1000;
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch).count();
}
