#pragma once

#include <cstdint>

namespace kestrova {

/// A colour as the scheme files store it: 0x00BBGGRR, or a negative value naming a system colour
/// (0x80000000 | index).
using Color = std::int32_t;

constexpr Color rgb(int red, int green, int blue)
{
    return Color((blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF));
}
constexpr int redOf(Color c) { return c & 0xFF; }
constexpr int greenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr int blueOf(Color c) { return (c >> 16) & 0xFF; }
constexpr bool isSystemColor(Color c) { return c < 0; }
constexpr int systemColorIndex(Color c) { return c & 0xFF; }

} // namespace kestrova
