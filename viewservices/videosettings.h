// viewservices/videosettings.h: the video settings: the display card, 3D device and display mode
// chosen at start-up from what the host reports, kept in the options block (Options.video).
#pragma once

#include <cstdint>

#include "engine/dxenum.h"
#include "engine/gfx.h"
#include "engine/options.h"

constexpr int32_t VIDEO_NO_DEVICE = -1;            // the software renderer
constexpr int32_t VIDEO_UNUSABLE = -1;             // a score
constexpr int32_t VIDEO_SOFTWARE_SCORE = 49;       // any hardware device beats it (50 for hardware)
constexpr uint32_t VIDEO_SMALL_MEMORY = 0x400000;  // texture memory below 4 MB turns the extras off

// Start-up, once, after the options are read. The quality switches outside their ranges are
// clamped first, one warning each. Unless `forceSoftware` ("-no3d"), a saved card and device are
// kept while the host still reports them under the same GUIDs (a record without a mode was never
// saved by a run, and is not kept); otherwise the record is cleared and
// the best scoring card and device are chosen (with `forceSoftware`: card 0 and no device). The
// graphics layer then starts on them (with 3D for a device) and the mode is chosen. Card 0 with a
// GUID is fatal "VideoInit(): the first card must have the NULL GUID"; no card at all,
// "VideoInit(): Failed to find a graphics card!"; mode choice can end with "No mode found!".
void VideoInit(bool forceSoftware);
// Shutdown, before the options are saved: the active card's and device's GUIDs (zeros where there
// is none) go into the record, then the graphics layer stops.
void Video_StoreDeviceGuids();
// Whether the match is drawn with a 3D device: the record names one.
bool Video_Has3DDevice();

// Makes the settings' mode suit their renderer (-1 when they name another card or device than the
// active ones, to be chosen once applied): the software renderer keeps an 8-bit mode of at least
// 512 x 384, else takes the best 8-bit mode for 640 x 480; a device keeps a deeper mode it can use
// of at least 512 x 384, else takes the best it can use for 640 x 480 among 16, 24 and 32 bits.
// None: fatal "No mode found!". Then the switches the card or device cannot honour go off; the
// software renderer leaves the device switches as they are.
void Video_ChooseMode(VideoSettings* settings);
// 49 for card 0 without a device, -1 for a card or device that cannot be used, else the sum of
// what the device and its card offer.
int32_t Video_ScoreDevice(int32_t card, int32_t device);
// The device of highest score on the card (-1 included; ties keep the lower number), and its score
// in *score; *score is -1 when none can be used.
int32_t Video_BestDevice(int32_t card, int32_t* score);

// The software view's display mode, kept as one with the record's while no device is chosen, so
// that the screen's "Résolution" and the view's own steps agree and are saved: the record's mode
// when the view can be drawn in it, else -1 (always with a device).
int32_t Video_SoftwareMode();
void Video_KeepSoftwareMode(int32_t mode);  // the record's mode, when no device is chosen

// The quality switches' values.
constexpr int32_t VIDEO_SWITCH_OFF = 0, VIDEO_SWITCH_ON = 1;
constexpr int32_t VIDEO_FILTER_NONE = 0, VIDEO_FILTER_BILINEAR = 1, VIDEO_FILTER_TRILINEAR = 2;
// The device word's bit 0x800 is what the video settings take for a fog table.
constexpr uint32_t VIDEO_FOG_TABLE = DXDEV_Z_TEST;

// The record's card as a card number, -1 for one that cannot be.
int32_t Video_CardOf(const VideoSettings& settings);
uint32_t Video_DeviceFlags(int32_t card, int32_t device);  // 0 for no such device
// The selected card and device are the active ones from here on: the graphics layer runs on them.
void Video_StartGraphics(int32_t card, int32_t device);
bool Video_LargeEnoughMode(const DDrawMode& mode);  // at least 512 x 384
// A mode a device can draw in: deeper than 8 bits, usable by 3D and large enough.
bool Video_DeviceModeFits(const DDrawMode& mode);
