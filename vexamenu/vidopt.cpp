// vexamenu/vidopt.cpp: the video settings at start-up and shutdown: the display cards, the chosen
// card and 3D device, and the display layer brought up on them.
#include "vexamenu/vidopt.h"

#include "engine/dxenum.h"
#include "engine/gfx.h"

void VideoInit(bool)
{
    DXEnumDisplay();
    DXSelectDevice(0, -1);
    GfxInit(0);
}

void Video_StoreDeviceGuids() { GfxUninit(); }

bool Video_Has3DDevice() { return false; }
