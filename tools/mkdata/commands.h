// tools/mkdata/commands.h: the data generator's command line.
#pragma once

// mkdata build --out DIR [--unpacked] | pack TREE NAME | list NAME. Returns the exit code: 0 done,
// 1 failed (with the reason on standard error), 2 a bad command line (with the usage).
int MkMain(int argc, char** argv);
