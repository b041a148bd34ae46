// menus/machine.h: the menu display's pacing: one menu frame per tick.
#pragma once

// Forgets the menu volume last given to the sound channel, so the next wait applies it again.
void MachineInit();
void MachineUninit();  // safe without MachineInit and twice

// Waits until the tick counter changes; with sound on, gives channel 0 the menu volume (0-10,
// as 0-100) when it differs from the one last applied; then polls.
void WaitMenuTick();
