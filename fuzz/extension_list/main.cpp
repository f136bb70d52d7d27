// Ext.txt as any bytes: every entry is one line of text without a line break, and the entries
// written back one per line read as the same entries.

#include "core/extension_list.h"
#include "platform/text_codec.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace kestrova;
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const std::vector<std::string> entries = parseExtensionList(bytes);
    for (const std::string &entry : entries) {
        if (hasLineBreak(entry) || !isValidUtf8(entry)) {
            std::fprintf(stderr, "an entry holds a line break or is not UTF-8\n");
            std::abort();
        }
    }
    // A second byte-order mark at the start would be skipped on the way back; nothing else may
    // change.
    if (!entries.empty() && entries.front().starts_with("\xEF\xBB\xBF"))
        return 0;
    if (parseExtensionList(joinLinesCrLf(entries)) != entries) {
        std::fprintf(stderr, "the entries changed on the way back\n");
        std::abort();
    }
    return 0;
}
