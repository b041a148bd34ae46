// app/deviceview.h: the 3D-device match view's registration: the services it asks of the
// presentation modules beside it, its place in the view dispatch and the cameras' hand-off.
#pragma once

// Fills D3DServices (vxd3d/d3dservices.h) from the cameras, keys, info bar, news, clips and kit
// textures; registers the device view kind and gives the cameras D3DGame_SetCamera.
void DeviceView_Register();
