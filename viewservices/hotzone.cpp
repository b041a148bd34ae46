// viewservices/hotzone.cpp: the pressable rectangles of the match views.
#include "viewservices/hotzone.h"

#include "engine/fatal.h"

HotZoneRect HotZone[HOTZONE_COUNT];

void HotZone_Reset()
{
    for (HotZoneRect& zone : HotZone)
        zone = {};
}

void HotZone_Set(int32_t zone, int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (zone < 0 || zone >= HOTZONE_COUNT) FatalError("HotZone_Set(): bad zone %d", zone);
    HotZone[zone] = {static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(width),
                     static_cast<int16_t>(height)};
}

bool HotZone_Holds(int32_t zone, int32_t px, int32_t py)
{
    if (zone < 0 || zone >= HOTZONE_COUNT) return false;
    const HotZoneRect& z = HotZone[zone];
    return px >= z.x && px < z.x + z.width && py >= z.y && py < z.y + z.height;
}
