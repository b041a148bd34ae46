// tests/support/host_run.cpp: the headless host in process and script-driven program runs.
#include "tests/support/host_run.h"

#include <filesystem>

#include "engine/fatal.h"
#include "engine/filename.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/poll.h"
#include "engine/script.h"
#include "engine/sounddrv.h"
#include "engine/startup.h"
#include "engine/timer.h"
#include "engine/winlib.h"
#include "generated/build_paths.h"
#include "tests/support/support.h"

ScopedHeadlessHost::ScopedHeadlessHost()
{
    ResetCoreForTest();
    ScriptUninit();
    HostStop();
    HostInjectReset();
    HostStart(HostBackendKind::Headless, false);
}

ScopedHeadlessHost::~ScopedHeadlessHost()
{
    ScriptUninit();
    HostStop();
    HostInjectReset();
    ResetCoreForTest();
}

ScopedGameSoundBanks::ScopedGameSoundBanks()
{
    WinInit("Pelloran", WIN_FLAG_WINDOWED);
    MemoryInit();
    PakFileInit();
    DataFolderInit(PELLORAN_BUILD_DIR "/data");
    PakMount("pakfiles\\hdcommon");
    PakMount("pakfiles\\cdcommon");
    NoSoundFlag = false;
    AddGameSoundBanks();
}

ScopedGameSoundBanks::~ScopedGameSoundBanks()
{
    RemoveGameSoundBanks();
    OnExitRun();
    PakFileUninit();
    WinUninit();
}

ScopedHeadlessWindow::ScopedHeadlessWindow()
{
    MemoryInit();
    PollInit();
    TimerInit();
    WinInit("Pelloran", WIN_FLAG_WINDOWED);
}

ScopedHeadlessWindow::~ScopedHeadlessWindow()
{
    HostSetDriver(nullptr);
    WinUninit();
    MemoryUninit();
}

ScriptRun RunScript(const std::string& script, const std::vector<std::string>& extraArgs,
                    const std::vector<std::string>& env)
{
    TempHome home;
    TempDir work;
    EXPECT_TRUE(WriteTextFile(work.Path("script.txt"), script));
    std::vector<std::string> args = {"-headless", "-seed", "7", "-script", "script.txt"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    const ProgramResult result = RunProgram(args, env, "", 120, work.Path());
    ScriptRun run{result.exitCode, result.out, result.err, {}, {}, {}};
    for (const auto& entry : std::filesystem::directory_iterator(work.Path())) {
        if (entry.path().extension() == ".wav")
            run.waves[entry.path().filename().string()] = ReadTextFile(entry.path().string());
        if (entry.path().extension() != ".png") continue;
        std::string error;
        PngImage image;
        EXPECT_TRUE(ReadPng(entry.path().string(), &image, &error))
            << entry.path() << ": " << error;
        run.frames[entry.path().filename().string()] = image;
    }
    for (const auto& entry : std::filesystem::directory_iterator(home.Path())) {
        if (entry.is_regular_file())
            run.homeFiles[entry.path().filename().string()] = ReadTextFile(entry.path().string());
    }
    return run;
}
