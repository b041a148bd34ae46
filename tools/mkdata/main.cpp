// tools/mkdata/main.cpp: the data generator's entry point.
#include "tools/mkdata/commands.h"

int main(int argc, char** argv) { return MkMain(argc, argv); }
