// app/main.cpp: the game executable's entry point.
#include <bit>

#include "app/startup.h"
#include "engine/startup.h"

static_assert(std::endian::native == std::endian::little, "the game's records are little-endian");

int main(int argc, char** argv) { return PelloranMain(argc, argv, GameMain); }
