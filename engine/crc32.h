// engine/crc32.h: the IEEE 802.3 CRC-32 (reflected), as archives and PNG files use it.
#pragma once

#include <cstddef>
#include <cstdint>

// Continues a checksum: pass the previous result to checksum data in pieces.
uint32_t Crc32(const void* data, size_t size, uint32_t previous = 0);
