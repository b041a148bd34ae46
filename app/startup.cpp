// app/startup.cpp: the program's start-up and shutdown tables, which bring the machine up and
// down in a fixed order, and the game's run between them.
#include "app/startup.h"

#include <array>
#include <cstdint>
#include <cstdlib>

#include "app/gamemodules.h"
#include "engine/cputest.h"
#include "engine/filename.h"
#include "engine/host/clock.h"
#include "engine/joystick.h"
#include "engine/keyboard.h"
#include "engine/memory.h"
#include "engine/mouse.h"
#include "engine/options.h"
#include "engine/pakfile.h"
#include "engine/poll.h"
#include "engine/random.h"
#include "engine/sounddrv.h"
#include "engine/startup.h"
#include "engine/timer.h"
#include "menus/frontend.h"
#include "viewservices/videosettings.h"

namespace {

void SeedRandom()
{
    const char* seed = CommandLineValue("-seed");
    SRand(seed ? static_cast<uint32_t>(std::strtoul(seed, nullptr, 10))
               : static_cast<uint32_t>(ClockWallSeconds()));
}

void SetDataFolder() { DataFolderInit(CommandLineValue("-data")); }

void MountPakFiles()
{
    PakFileInit();
    PakMount("pakfiles\\hdcommon");
    PakMount("pakfiles\\cdcommon");
}

void RunProcessorTest() { ProcessorSpeedTest(); }

void CheckNo3DSwitch() { VideoInit(CommandLineHas("-no3d")); }

void StartKeyboard()
{
    InitKeyboardInterrupt();
    SetKeyboardLanguage(4);
}

// clang-format off
constexpr auto kStartTable = std::to_array<StartupRow>({
    {"random",          SeedRandom},
    {"memory settings", MemorySettingsInit},
    {"memory",          MemoryInit},
    {"mouse",           InitMouseDriver},
    {"display",         CheckNo3DSwitch},
    {"data directory",  SetDataFolder},
    {"pak files",       MountPakFiles},
    {"timer",           TimerInit},
    {"poll",            PollInit},
    {"keyboard",        StartKeyboard},
    {"processor test",  RunProcessorTest},
    {"joysticks",       InitJoysticks},
    {"sound banks",     AddGameSoundBanks},
});

constexpr auto kStopTable = std::to_array<StartupRow>({
    {"sound banks",     RemoveGameSoundBanks},
    {"keyboard",        ClearKeyboardInterrupt},
    {"poll",            PollUninit},
    {"timer",           TimerUninit},
    {"pak files",       PakFileUninit},
    {"video settings",  Video_StoreDeviceGuids},
    {"mouse",           UninitMouseDriver},
    {"memory report",   MemoryReport},
    {"options",         OptionsSave},
});
// clang-format on

}  // namespace

void InitialisePC() { RunStartupTable(kStartTable, "InitialisePC"); }

void ShutdownPC() { RunStartupTable(kStopTable, "ShutdownPC"); }

void GameMain()
{
    OptionsLoad();
    NoSoundFlag = CommandLineHas("-nosound");
    Menu256Flag = CommandLineHas("-menu256");
    InitialisePC();
    GameModules_Init();
    RunFrontEnd();
    GameModules_Uninit();
    ShutdownPC();
}
