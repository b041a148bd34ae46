// vxd3d/d3dservices.h: what the 3D-device view asks of the match presentation's modules beside it
// (cameras, keys and pointer, replay bar, info bar, news, motion clips, kit textures), as one table
// the program fills when it registers the view. Every member must be set before the view is built.
#pragma once

#include <cstdint>

constexpr int32_t D3D_POSED_JOINTS = 21;  // a clip frame's joints 1-21

struct D3DViewFlags {
    int32_t quickPreview;
    int32_t panoramic;
    int32_t showNames;
    int32_t modelDetail;  // 0-2
};

struct D3DGroundMark {
    bool inUse;
    float x;  // pitch units
    float y;
    float angle;  // radians
};

// One clip frame as the view poses it: the root's height and each joint's three angles (256 steps
// to the turn).
struct D3DPoseFrame {
    float rootHeight;
    uint8_t angles[D3D_POSED_JOINTS][3];
};

struct D3DViewServices {
    // Cameras.
    void (*UpdateCurrentCamera)();
    float (*CameraZoom)();               // the current camera's lens factor
    void (*SetBigStadium)(int32_t big);  // the word the cameras place themselves by
    // Keys, pointer, replay bar, ground marks, the ball's spin.
    D3DViewFlags (*ViewFlags)();
    void (*VirtualPointerUpdate)(int32_t screenWidth, int32_t screenHeight);
    void (*VirtualPointer)(int32_t* x, int32_t* y, int32_t* buttons);
    void (*ReadControllers)(int32_t rotation);
    void (*ReplayBarInput)(int32_t x, int32_t y, bool pressed);
    void (*SetHotZone)(int32_t zone, int32_t x, int32_t y, int32_t width, int32_t height);
    void (*ClearGroundMarks)();
    D3DGroundMark (*GroundMark)(int32_t n);  // n 0-15
    void (*BallSpin)(float angles[3]);
    void (*SortPlayersByDistance)(int32_t order[32]);  // farthest from the focus first
    // Info bar and the other grounds' news.
    void (*InfoBarReset)();
    void (*InfoBarAnimate)();
    int32_t (*InfoBarOffset)();
    const char* (*InfoBarText)();
    int32_t (*InfoBarType)();
    void (*TimedEventsStep)();
    // The current news message handed to `draw` when it is to be drawn this frame; false if not.
    bool (*DisplayEvent2)(void (*draw)(const char* message));
    // Motion clips and the joint turn every view poses people with.
    void (*LoadMotionCaptures)();
    void (*FreeMotionCaptures)();
    bool (*PoseFrame)(int32_t clip, int32_t frame, D3DPoseFrame* out);  // false: none loaded
    void (*MirrorSideSteps)();  // once a pass, before the render list is drawn
    void (*JointRotation)(float sinA, float cosA, float sinB, float cosB, float sinC, float cosC,
                          float out[3][3]);
    // Kit and named textures.
    void (*ClearKitTextures)();
    void (*ClearNamedTextures)();
    int32_t (*LoadNamedTexture)(const char* name);  // the cache index
    int32_t (*NamedTexture)(int32_t index);         // the device texture, -1 none
    void (*LoadPersonTextures)();
    int32_t (*KitPartFromName)(const char* name);            // "<part>.GFX"
    int32_t (*PersonTexture)(int32_t person, int32_t part);  // the device texture, -1 none
};

extern D3DViewServices D3DServices;  // filled by the program at start-up
