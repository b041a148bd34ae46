// vx256/softwalk.h: the polygon walk every software drawer shares: from the top vertex, the left
// edge down the earlier indices and the right edge down the later ones, row by row.
#pragma once

#include <cstdint>

#include "vx256/softspan.h"

// Vertex: any record with 28.4 x and y. setupLeft(from, to) and setupRight(from, to) set up their
// edge and return it; drawRow() draws the current row and steps both edges, false ending the
// polygon. The polygon ends when the two edges reach the same vertex or an edge runs upwards.
template <typename Vertex, typename SetupLeft, typename SetupRight, typename DrawRow>
void Soft_WalkPolygon(const Vertex* vertices, int32_t count, SetupLeft setupLeft,
                      SetupRight setupRight, DrawRow drawRow)
{
    if (vertices == nullptr || count < 3 || count > SOFT_MAX_POLY_VERTICES) return;
    int32_t top = 0;  // the first of the smallest y
    for (int32_t i = 0; i < count; ++i) {
        if (vertices[i].x < -SOFT_MAX_COORD || vertices[i].x > SOFT_MAX_COORD
            || vertices[i].y < -SOFT_MAX_COORD || vertices[i].y > SOFT_MAX_COORD)
            return;
        if (vertices[i].y < vertices[top].y) top = i;
    }
    const auto previous = [count](int32_t i) { return i == 0 ? count - 1 : i - 1; };
    const auto next = [count](int32_t i) { return i == count - 1 ? 0 : i + 1; };
    int32_t leftTo = previous(top), rightTo = next(top);
    const SoftEdge* left = setupLeft(top, leftTo);
    const SoftEdge* right = setupRight(top, rightTo);
    for (;;) {
        while (left->rowsLeft > 0 && right->rowsLeft > 0) {
            if (!drawRow()) return;
        }
        if (leftTo == rightTo) return;
        if (left->rowsLeft <= 0) {
            const int32_t from = leftTo;
            leftTo = previous(from);
            left = setupLeft(from, leftTo);
            if (left->rowsLeft < 0) return;
        } else {
            const int32_t from = rightTo;
            rightTo = next(from);
            right = setupRight(from, rightTo);
            if (right->rowsLeft < 0) return;
        }
    }
}
