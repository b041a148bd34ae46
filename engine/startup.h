// engine/startup.h: the program's start, its command line, and the start-up and shutdown tables.
#pragma once

#include <cstdint>

extern bool NoSoundFlag;  // "-nosound"
extern bool Menu256Flag;  // "-menu256"

// main's whole work: returns the process exit code.
int PelloranMain(int argc, char** argv);

// Reads the switches; unknown ones warn, a switch missing its argument is fatal.
void ParseCommandLine(int argc, char** argv);
bool CommandLineHas(const char* sw);           // switches compare without regard to case
const char* CommandLineValue(const char* sw);  // the argument of "-script", "-data", "-seed", "-debug"

void GameMain();
void InitialisePC();  // runs the start table in order
void ShutdownPC();    // runs the stop table in order
