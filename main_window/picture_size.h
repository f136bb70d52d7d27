#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace kestrova {

/// A picture's size in twips.
struct PictureSize
{
    float width = 0;
    float height = 0;
};

constexpr float kTwipsPerPixel = 15;

/// The logical screen size of GIF bytes (bytes 6 to 9, little endian), in twips; nothing when the
/// bytes are not a GIF.
std::optional<PictureSize> gifSize(std::string_view bytes);
/// The same, read from the head of a file; nothing when it is missing or not a GIF.
std::optional<PictureSize> readGifSize(const std::filesystem::path &path);

} // namespace kestrova
