// menus/machine.cpp: the menu display's pacing: one menu frame per tick.
#include "menus/machine.h"

#include <cstdint>

#include "engine/options.h"
#include "engine/poll.h"
#include "engine/sounddrv.h"
#include "engine/timer.h"

namespace {

constexpr int32_t MENU_MUSIC_CHANNEL = 0;

struct MachineState {
    int32_t appliedVolume;  // -1: none applied yet
};

MachineState s_machine{-1};

}  // namespace

void MachineInit() { s_machine = {-1}; }

void MachineUninit() { s_machine = {-1}; }

void WaitMenuTick()
{
    const uint32_t start = TickCount;
    while (TickCount == start)
        Poll();
    if (SndIsOn() && Options.menuVolume != s_machine.appliedVolume) {
        SndSetVolumeIfActive(MENU_MUSIC_CHANNEL, static_cast<uint16_t>(Options.menuVolume * 10));
        s_machine.appliedVolume = Options.menuVolume;
    }
    Poll();
}
