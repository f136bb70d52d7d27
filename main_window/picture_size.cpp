#include "main_window/picture_size.h"

#include <fstream>

namespace kestrova {

namespace {

constexpr std::size_t kHeaderSize = 10;

int littleEndian16(std::string_view bytes, std::size_t at)
{
    return int(static_cast<unsigned char>(bytes[at])) |
           int(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

} // namespace

std::optional<PictureSize> gifSize(std::string_view bytes)
{
    if (bytes.size() < kHeaderSize || bytes.substr(0, 4) != "GIF8")
        return std::nullopt;
    return PictureSize{float(littleEndian16(bytes, 6)) * kTwipsPerPixel,
                       float(littleEndian16(bytes, 8)) * kTwipsPerPixel};
}

std::optional<PictureSize> readGifSize(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    char header[kHeaderSize] = {};
    in.read(header, std::streamsize(kHeaderSize));
    return gifSize(std::string_view(header, std::size_t(in.gcount())));
}

} // namespace kestrova
