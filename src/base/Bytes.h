#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Little-endian field access for the fixed record layouts.
namespace mivra::bytes {

inline uint16_t GetU16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
inline int16_t GetI16(std::span<const uint8_t> b, size_t at) {
    return static_cast<int16_t>(GetU16(b, at));
}
inline uint32_t GetU32(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
inline void PutU16(std::span<uint8_t> b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void PutI16(std::span<uint8_t> b, size_t at, int16_t v) {
    PutU16(b, at, static_cast<uint16_t>(v));
}
inline void PutU32(std::span<uint8_t> b, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>((v >> (8 * i)) & 0xFF);
}

} // namespace mivra::bytes
