// tools/mkdata/nodwriter.cpp: writing NOD model files (docs/formats.md, "NOD models").
#include "tools/mkdata/nodwriter.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int16_t kTerminatorJoint = 32000;
constexpr uint32_t kOwnSize = 0x08;

class Writer {
public:
    void Bytes(const void* data, size_t size)
    {
        const auto* p = static_cast<const uint8_t*>(data);
        m_bytes.insert(m_bytes.end(), p, p + size);
    }
    template <typename T>
    void Value(T value)
    {
        Bytes(&value, sizeof(value));
    }
    // Pads the record begun at `start` to `size` bytes.
    void PadTo(size_t start, uint32_t size) { m_bytes.resize(start + size, 0); }
    size_t Size() const { return m_bytes.size(); }
    std::vector<uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<uint8_t> m_bytes;
};

void Words(Writer& w, const std::vector<uint32_t>& words, uint32_t size)
{
    for (uint32_t word : words) {
        const size_t start = w.Size();
        w.Value(word);
        w.PadTo(start, size);
    }
}

}  // namespace

std::vector<uint8_t> MkNodBytes(const MkNodModel& model, MkNodRecordSizes sizes)
{
    std::vector<MkNodPoint> points = model.points;
    if (model.skinned) points.push_back({0, 0, 0, kTerminatorJoint, 0});
    const bool ownSizes =
        std::any_of(model.surfaces.begin(), model.surfaces.end(),
                    [](const MkNodSurface& s) { return (s.flags & kOwnSize) != 0; });
    const uint32_t pointSize = sizes.point != 0 ? sizes.point : (model.skinned ? 16 : 12);
    const uint32_t surfaceSize = sizes.surface != 0 ? sizes.surface : (ownSizes ? 66 : 58);

    Writer w;
    w.Bytes(model.skinned ? "NOD02" : "NOD01", 5);
    const auto block = [&w](size_t count, uint32_t size) {
        w.Value(static_cast<uint32_t>(count));
        w.Value(count == 0 ? 0u : size);
    };
    block(model.skinned ? 0 : points.size(), pointSize);
    block(model.skinned ? points.size() : 0, pointSize);
    block(model.surfaces.size(), surfaceSize);
    block(model.textures.size(), sizes.texture);
    block(model.jointPoints.size(), sizes.word);
    block(model.sortPoints.size(), sizes.word);
    w.Value(static_cast<uint32_t>(model.startPoints.size()));
    if (model.skinned) {
        w.Value(model.startPoints.empty() ? 0u : sizes.word);
        block(model.endPoints.size(), sizes.word);
        w.Value(model.highestJoint);
        w.Value(model.leadingPoints);
    }

    for (const MkNodPoint& p : points) {
        const size_t start = w.Size();
        w.Value(p.x);
        w.Value(p.y);
        w.Value(p.z);
        if (model.skinned) {
            w.Value(p.joint);
            w.Value(p.vertex);
        }
        w.PadTo(start, pointSize);
    }
    for (const MkNodSurface& s : model.surfaces) {
        const size_t start = w.Size();
        w.Value(s.flags);
        w.Bytes(s.u.data(), 16);
        w.Bytes(s.v.data(), 16);
        w.PadTo(start, 48);  // three words the readers carry
        w.Bytes(s.corners.data(), 8);
        w.Value(s.texture);
        if ((s.flags & kOwnSize) != 0) {
            w.Value(s.width);
            w.Value(s.height);
        }
        w.PadTo(start, surfaceSize);
    }
    for (const std::string& name : model.textures) {
        const size_t start = w.Size();
        w.Bytes(name.data(), std::min<size_t>(name.size(), 15));
        w.PadTo(start, sizes.texture);
    }
    if (model.skinned) {
        Words(w, model.jointPoints, sizes.word);
        Words(w, model.sortPoints, sizes.word);
        Words(w, model.startPoints, sizes.word);
        Words(w, model.endPoints, sizes.word);
    }
    return w.Take();
}
