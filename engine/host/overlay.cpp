// engine/host/overlay.cpp: what the dialog manager and the media device draw over the window
// image, and the part of the image they keep aside to give back.
#include <algorithm>
#include <cstring>

#include "engine/host/internal.h"

namespace {

HostRect ClientPart(const HostRect& rect)
{
    int32_t width, height;
    HostWindowClientSize(&width, &height);
    HostRect part;
    HostRectIntersect(rect, {0, 0, width, height}, &part);
    return part;
}

// Copies the kept rows out of the image (`out`) or back into it.
void CopyRows(HostImageKeep* keep, bool out)
{
    const HostSurfacePixels image = HostSurfaceView(keep->image);
    const HostRect& r = keep->rect;
    const int32_t bytesPerPixel = static_cast<int32_t>(image.format->bitCount / 8);
    const size_t rowBytes = static_cast<size_t>(r.right - r.left) * bytesPerPixel;
    if (out) keep->bytes.resize(rowBytes * (r.bottom - r.top));
    for (int32_t y = r.top; y < r.bottom; ++y) {
        uint8_t* at = image.bits + static_cast<size_t>(y) * image.pitch + r.left * bytesPerPixel;
        uint8_t* copy = keep->bytes.data() + rowBytes * (y - r.top);
        std::memcpy(out ? copy : at, out ? at : copy, rowBytes);
    }
}

}  // namespace

bool HostImageCanOverlay()
{
    HostSurface* const image = HostWindowImage();
    return image && !(HostSurfaceView(image).format->flags & HOST_PF_PALETTE8);
}

void HostImageKeepRect(const HostRect& rect, HostImageKeep* keep)
{
    keep->image = HostWindowImage();
    keep->rect = ClientPart(rect);
    CopyRows(keep, true);
}

void HostImageGiveBack(HostImageKeep* keep)
{
    if (keep->image && keep->image == HostWindowImage()) {
        CopyRows(keep, false);
        HostSurfaceChanged(keep->image);
    }
    *keep = {};
}

void HostImagePutRgb(const uint32_t* rgb, const HostRect& where)
{
    const HostRect part = ClientPart(where);
    if (part.right <= part.left || part.bottom <= part.top) return;
    const int32_t width = where.right - where.left;
    const HostSurfacePixels from = {reinterpret_cast<uint8_t*>(const_cast<uint32_t*>(rgb)),
                                    width,
                                    where.bottom - where.top,
                                    width * 4,
                                    &HOST_FORMAT_XRGB8888,
                                    nullptr};
    HostSurface* const image = HostWindowImage();
    HostConvertBlock(from, part.left - where.left, part.top - where.top, HostSurfaceView(image),
                     part.left, part.top, part.right - part.left, part.bottom - part.top);
    HostSurfaceChanged(image);
}
