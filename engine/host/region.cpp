// engine/host/region.cpp: the few rectangles that cover what changed, for the window's invalid
// region and the frame store.
#include <algorithm>
#include <cstdint>

#include "engine/host/internal.h"

namespace {

bool IsEmpty(const HostRect& r) { return r.left >= r.right || r.top >= r.bottom; }

int64_t Area(const HostRect& r) { return int64_t{r.right - r.left} * (r.bottom - r.top); }

HostRect Union(const HostRect& a, const HostRect& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// Pixels the union of the two would cover that neither does (overlap counted as saved).
int64_t Waste(const HostRect& a, const HostRect& b)
{
    return Area(Union(a, b)) - Area(a) - Area(b);
}

// A rectangle that merges with `rect` for free (containment, adjacency, large overlap), or -1.
int32_t FreeMerge(const HostRegion& region, const HostRect& rect)
{
    for (int32_t i = 0; i < region.count; ++i) {
        if (Waste(region.rects[i], rect) <= 0) return i;
    }
    return -1;
}

int32_t CheapestMerge(const HostRegion& region, const HostRect& rect)
{
    int32_t best = 0;
    for (int32_t i = 1; i < region.count; ++i) {
        if (Waste(region.rects[i], rect) < Waste(region.rects[best], rect)) best = i;
    }
    return best;
}

}  // namespace

void HostRegionAdd(HostRegion* region, const HostRect& rect)
{
    if (IsEmpty(rect)) return;
    HostRect added = rect;
    // Each merge takes one rectangle out, so the loop ends; the grown rectangle may then merge
    // for free with one it could not take before.
    for (;;) {
        int32_t merged = FreeMerge(*region, added);
        if (merged < 0 && region->count < HOST_REGION_MAX_RECTS) break;
        if (merged < 0) merged = CheapestMerge(*region, added);
        added = Union(region->rects[merged], added);
        region->rects[merged] = region->rects[--region->count];
    }
    region->rects[region->count++] = added;
}

HostRect HostRegionBounds(const HostRegion& region)
{
    if (region.count == 0) return {0, 0, 0, 0};
    HostRect bounds = region.rects[0];
    for (int32_t i = 1; i < region.count; ++i) {
        bounds = Union(bounds, region.rects[i]);
    }
    return bounds;
}

bool HostRectIntersect(const HostRect& a, const HostRect& b, HostRect* both)
{
    *both = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
             std::min(a.bottom, b.bottom)};
    return !IsEmpty(*both);
}
