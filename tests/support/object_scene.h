// tests/support/object_scene.h: a match scene for the software view's geometry stage and display
// list: the render objects as they stand, seen from the right touchline's camera place aimed at
// the ball, people as upright boxes turned by their facing and shaded by level, shadows as dark
// ground quads, the ball, posts, bars and flags, and bars over the four labelled heads.
#pragma once

#include <cstdint>
#include <vector>

struct DrawnScenePerson {
    int32_t object;
    float depth;
    uint8_t colour;  // of every face of his box
};

// Needs the graphics up and the view screen initialised: loads the master palette, makes a
// 640 x 480 game screen, aims the camera and fills SoftObjectDrawers.
void ObjectScene_Begin();
// The sky, the pitch, the display list and the labels into the game screen.
void ObjectScene_Draw();
const std::vector<DrawnScenePerson>& ObjectScene_DrawnPeople();  // in drawing order
void ObjectScene_End();  // empties the drawers, frees the game screen
