// engine/ras.cpp: dial-up, where no remote-access service exists.
#include "engine/ras.h"

#include <cstdio>

bool RAS_Init()
{
    std::printf("RAS_Init(): no rasapi32.dll found\n");
    return false;
}

bool RAS_StartDial()
{
    std::printf("RAS_StartDial(): dial failed\n");
    return false;
}

int32_t RAS_GetDialState() { return 0; }

int32_t RAS_GetEntryCount() { return 0; }
