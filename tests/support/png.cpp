// tests/support/png.cpp: a reader for the host's PNG frames.
#include "tests/support/png.h"

#include <cstring>

#include <zlib.h>

#include "engine/crc32.h"
#include "tests/support/support.h"

namespace {

uint32_t BigEndian(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    }
    return value;
}

bool Fail(std::string* error, const std::string& reason)
{
    *error = reason;
    return false;
}

bool ReadHeader(const std::string& data, PngImage* image, std::string* error)
{
    if (data.size() != 13) return Fail(error, "IHDR has the wrong size");
    image->width = static_cast<int32_t>(BigEndian(data, 0));
    image->height = static_cast<int32_t>(BigEndian(data, 4));
    if (data.substr(8) != std::string("\x08\x02\x00\x00\x00", 5))
        return Fail(error, "not an 8-bit RGB non-interlaced image");
    if (image->width <= 0 || image->height <= 0 || image->width > 16384 || image->height > 16384)
        return Fail(error, "bad image size");
    return true;
}

bool Unpack(const std::string& packed, PngImage* image, std::string* error)
{
    const size_t rowBytes = static_cast<size_t>(image->width) * 3;
    std::vector<uint8_t> raw((rowBytes + 1) * static_cast<size_t>(image->height));
    uLongf rawSize = raw.size();
    if (uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(packed.data()),
                   packed.size())
            != Z_OK
        || rawSize != raw.size())
        return Fail(error, "the image data does not inflate to the image size");
    image->rgb.clear();
    for (int32_t y = 0; y < image->height; ++y) {
        const uint8_t* row = raw.data() + (rowBytes + 1) * static_cast<size_t>(y);
        if (row[0] != 0) return Fail(error, "a row uses a filter");
        image->rgb.insert(image->rgb.end(), row + 1, row + 1 + rowBytes);
    }
    return true;
}

}  // namespace

uint32_t PngImage::Pixel(int32_t x, int32_t y) const
{
    const uint8_t* p = rgb.data() + (static_cast<size_t>(y) * width + x) * 3;
    return static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
}

bool ReadPng(const std::string& path, PngImage* image, std::string* error)
{
    const std::string bytes = ReadTextFile(path);
    if (bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") != 0) return Fail(error, "no PNG signature");
    std::string packed;
    bool header = false;
    for (size_t at = 8; at + 12 <= bytes.size();) {
        const uint32_t length = BigEndian(bytes, at);
        if (length > bytes.size() - at - 12) return Fail(error, "a chunk runs past the end");
        const std::string typed = bytes.substr(at + 4, 4 + length);
        if (Crc32(typed.data(), typed.size()) != BigEndian(bytes, at + 8 + length))
            return Fail(error, "bad CRC in chunk " + typed.substr(0, 4));
        const std::string type = typed.substr(0, 4);
        const std::string data = typed.substr(4);
        at += 12 + length;
        if (type == "IHDR") {
            if (!ReadHeader(data, image, error)) return false;
            header = true;
        } else if (type == "IDAT") {
            packed += data;
        } else if (type == "IEND") {
            if (!header) return Fail(error, "no IHDR chunk");
            return Unpack(packed, image, error);
        }
    }
    return Fail(error, "no IEND chunk");
}
