// A scheme file as any bytes: reading never crashes, and the scheme it yields, written and read
// again, gives the same colours and image set.

#include "schemes/scheme_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace kestrova;
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const SchemeFile file = parseSchemeFile(bytes);
    SchemeColors colors{};
    for (int k = 0; k < kSchemeSlots; ++k)
        colors[size_t(k)] = file.color(k);
    const std::string written = writeSchemeFile(colors, file.imageSet());
    const SchemeFile reread = parseSchemeFile(written);
    for (int k = 0; k < kSchemeSlots; ++k)
        check(reread.color(k) == colors[size_t(k)], "a colour changed on the way back");
    check(reread.imageSet() == file.imageSet(), "the image set changed on the way back");
    if (const auto line = parseColorLine(bytes))
        check(parseColorLine(formatColorLine(*line)) == line, "a colour line changed");
    return 0;
}
