// engine/startup.cpp: the program's start, its command line, and the running of the start-up and
// shutdown tables that app/ composes.
#include "engine/startup.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include <strings.h>

#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/filename.h"
#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/script.h"
#include "engine/userfile.h"
#include "engine/winlib.h"

bool NoSoundFlag;
bool Menu256Flag;

namespace {

struct SwitchRow {
    const char* name;
    bool takesArgument;
};

constexpr auto kSwitches = std::to_array<SwitchRow>({
    {"-window", false},
    {"-fullscreen", false},
    {"-debug", true},
    {"-log", false},
    {"-menu256", false},
    {"-nosound", false},
    {"-no3d", false},
    {"-headless", false},
    {"-script", true},
    {"-data", true},
    {"-seed", true},
});

struct GivenSwitch {
    const SwitchRow* row;
    std::string value;
};

struct StartupState {
    std::vector<GivenSwitch> given;
};

StartupState s_startup;

const SwitchRow* FindSwitch(const char* name)
{
    for (const SwitchRow& row : kSwitches) {
        if (strcasecmp(row.name, name) == 0) return &row;
    }
    return nullptr;
}

bool IsNumber(const char* text)
{
    if (*text == '\0' || std::strlen(text) > 9) return false;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9') return false;
    }
    return true;
}

void RedirectToLogFiles()
{
    if (!UserFile_RedirectLog("stdout.log", stdout)
        || !UserFile_RedirectLog("stderr.log", stderr)) {
        FatalError("Error: RedirectToLogFiles(): cannot write the log files in '%s'\n",
                   UserFolder().c_str());
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
}

// A script is checked whole before anything starts. Headless runs (asked for, or without a
// display) take the manual clock, so they are reproducible and the script's end rule applies.
void StartHost()
{
    ScriptInit();
    const char* script = CommandLineValue("-script");
    // Nobody could see or steer a headless game: its input is a script's.
    if (CommandLineHas("-headless") && !script)
        FatalError("Error: StartHost(): '-headless' shows no window and plays a script's input: "
                   "give the script with -script FILE\n");
    if (script) ScriptLoad(script);
    const HostBackendKind wanted =
        CommandLineHas("-headless") ? HostBackendKind::Headless : HostBackendKind::Sdl;
    const bool headless = HostStart(wanted, script != nullptr) == HostBackendKind::Headless;
    ClockSelect(headless ? ClockKind::Manual : ClockKind::Real);
    ScriptStart(headless);
}

}  // namespace

void ParseCommandLine(int argc, char** argv)
{
    s_startup.given.clear();
    for (int i = 1; i < argc; ++i) {
        const SwitchRow* row = FindSwitch(argv[i]);
        if (!row) {
            std::printf("Warning: ParseCommandLine(): unknown switch '%s'\n", argv[i]);
            continue;
        }
        GivenSwitch given{row, ""};
        if (row->takesArgument) {
            const bool missing =
                i + 1 >= argc || (std::strcmp(row->name, "-seed") == 0 && !IsNumber(argv[i + 1]));
            if (missing) FatalError("Error: ParseCommandLine(): '%s' needs an argument\n", argv[i]);
            given.value = argv[++i];
        }
        if (std::strcmp(row->name, "-debug") == 0) ParseDebugChannels(given.value.c_str());
        s_startup.given.push_back(given);
    }
}

bool CommandLineHas(const char* sw)
{
    for (const GivenSwitch& given : s_startup.given) {
        if (strcasecmp(given.row->name, sw) == 0) return true;
    }
    return false;
}

const char* CommandLineValue(const char* sw)
{
    // The last occurrence wins, as a user who repeats a switch expects.
    const char* value = nullptr;
    for (const GivenSwitch& given : s_startup.given) {
        if (strcasecmp(given.row->name, sw) == 0 && given.row->takesArgument) {
            value = given.value.c_str();
        }
    }
    return value;
}

void RunStartupTable(std::span<const StartupRow> table, const char* caller)
{
    for (const StartupRow& row : table) {
        DebugPrintf(DBG_GENERAL, 1, "%s(): %s\n", caller, row.name);
        row.run();
    }
}

int PelloranMain(int argc, char** argv, void (*gameMain)())
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
    DebugInit();
    ParseCommandLine(argc, argv);
    // A second game on the folder would take the first one's save under way for leftovers: it
    // is refused before it touches a file there, once its window can show why.
    const FolderLock lock = UserFile_LockFolder();
    if (lock == FolderLock::Taken && CommandLineHas("-log")) RedirectToLogFiles();
    StartHost();
    std::atexit(OnExitRun);
    WinInit("Pelloran", CommandLineHas("-fullscreen") ? 0 : WIN_FLAG_WINDOWED);
    if (lock == FolderLock::HeldByAnother) {
        FatalError("Error: PelloranMain(): another game of Pelloran is using the folder '%s'; "
                   "only one may run on it at a time\n",
                   UserFolder().c_str());
    }
    // Without a lock nothing would keep a second game from saving through the same temporaries.
    if (lock == FolderLock::Impossible) {
        FatalError("Error: PelloranMain(): the folder '%s' cannot be opened to lock it (Pelloran "
                   "must be able to create the folder and read it), so nothing would keep a "
                   "second game off it; give a folder you may read and write in with "
                   "PELLORAN_HOME\n",
                   UserFolder().c_str());
    }
    if (lock == FolderLock::Refused) {
        FatalError("Error: PelloranMain(): the file system of the folder '%s' refused to lock it "
                   "(%s), so nothing would keep a second game off it; give a folder on a local "
                   "disk with PELLORAN_HOME\n",
                   UserFolder().c_str(), UserFile_LockRefusal());
    }
    gameMain();
    WinUninit();
    ScriptStop();
    HostStop();
    return 0;
}
