// engine/ras.h: dial-up. This machine has no remote-access service, so no dial can start and
// every call reports that no connection can be made.
#pragma once

#include <cstdint>

bool RAS_Init();              // false, after its log line
bool RAS_StartDial();         // false, after its log line
int32_t RAS_GetDialState();   // 0: no connection (a dial in progress would be 1 to 5)
int32_t RAS_GetEntryCount();  // phone-book entries found: none
