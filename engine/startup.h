// engine/startup.h: the program's start, its command line, and the running of the start-up and
// shutdown tables that app/ composes.
#pragma once

#include <cstdint>
#include <span>

extern bool NoSoundFlag;  // "-nosound"
extern bool Menu256Flag;  // "-menu256"

// main's whole work: brings the host and the window up, runs gameMain, brings them down again;
// returns the process exit code.
int PelloranMain(int argc, char** argv, void (*gameMain)());

// Reads the switches; unknown ones warn, a switch missing its argument is fatal.
void ParseCommandLine(int argc, char** argv);
bool CommandLineHas(const char* sw);  // switches compare without regard to case
const char*
CommandLineValue(const char* sw);  // the argument of "-script", "-data", "-seed", "-debug"

struct StartupRow {
    const char* name;  // for the start-up log
    void (*run)();
};

// Runs the rows in order, each logged as "<caller>(): <name>" on the general channel at level 1.
void RunStartupTable(std::span<const StartupRow> table, const char* caller);
