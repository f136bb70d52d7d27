#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

/// The ROM a launch names: the folder text as `RPath_I` shows it, and the file name.
struct RomFile
{
    std::string folder;
    std::string file;
};

/// Where a template leaves a double quote open: the position of that quote, counted in
/// characters from 1; nothing when every quote is closed.
[[nodiscard]] std::optional<std::size_t> unclosedQuoteAt(std::string_view argumentTemplate);

/// The arguments that start an emulator with `rom`. The template splits at spaces; double
/// quotes group and are dropped; {rom}, {romfile}, {romname} and {romdir} are replaced, inside
/// a larger argument too; unknown {...} stays. Without a placeholder that names the ROM, the
/// ROM's full path comes last. An empty template gives the full path alone.
[[nodiscard]] std::vector<std::string> romArguments(std::string_view argumentTemplate,
                                                    const RomFile &rom);

/// The arguments that start an emulator on its own: the template's, except those that name
/// the ROM; {romdir} is `romFolder`.
[[nodiscard]] std::vector<std::string> emulatorArguments(std::string_view argumentTemplate,
                                                         const std::string &romFolder);

} // namespace kestrova
