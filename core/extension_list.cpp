#include "core/extension_list.h"

#include "platform/text_codec.h"

namespace kestrova {

std::vector<std::string> parseExtensionList(std::string_view bytes)
{
    return decodeProgramLines(bytes);
}

} // namespace kestrova
