#include "roms/argument_template.h"

#include "platform/text_codec.h"

#include <array>

namespace kestrova {

namespace {

// The template as typed, split into arguments. A quote left open runs to the end: a template
// typed in the program never has one, one edited by hand into DATA.txt still starts.
std::vector<std::string> splitTemplate(std::string_view text)
{
    std::vector<std::string> arguments;
    std::string current;
    bool quoted = false;
    bool started = false; // "" is an empty argument, not nothing
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            started = true;
        } else if (c == ' ' && !quoted) {
            if (started)
                arguments.push_back(std::move(current));
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (started)
        arguments.push_back(std::move(current));
    return arguments;
}

constexpr std::array<std::string_view, 3> kRomPlaceholders = {"{rom}", "{romfile}", "{romname}"};

bool namesRom(std::string_view argument)
{
    for (const auto placeholder : kRomPlaceholders) {
        if (argument.find(placeholder) != std::string_view::npos)
            return true;
    }
    return false;
}

struct Values
{
    std::string rom;
    std::string romfile;
    std::string romname;
    std::string romdir;

    const std::string *find(std::string_view name) const
    {
        if (name == "rom")
            return &rom;
        if (name == "romfile")
            return &romfile;
        if (name == "romname")
            return &romname;
        if (name == "romdir")
            return &romdir;
        return nullptr;
    }
};

// A value put in is never read again, so a ROM named "{romdir}.nes" stays as it is.
std::string substitute(std::string_view argument, const Values &values)
{
    std::string out;
    std::size_t i = 0;
    while (i < argument.size()) {
        const auto close = argument[i] == '{' ? argument.find('}', i) : std::string_view::npos;
        const std::string *value =
            close == std::string_view::npos ? nullptr : values.find(argument.substr(i + 1, close - i - 1));
        if (value) {
            out += *value;
            i = close + 1;
        } else {
            out += argument[i++];
        }
    }
    return out;
}

std::string withoutExtension(const std::string &file)
{
    const auto dot = file.rfind('.');
    return dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
}

} // namespace

std::optional<std::size_t> unclosedQuoteAt(std::string_view argumentTemplate)
{
    // Characters as a person counts them: UTF-8 sequences are one each, other bytes one each.
    const bool utf8 = isValidUtf8(argumentTemplate);
    std::size_t position = 0;
    std::optional<std::size_t> open;
    for (const char c : argumentTemplate) {
        if (!utf8 || (static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++position;
        if (c == '"')
            open = open ? std::nullopt : std::optional<std::size_t>(position);
    }
    return open;
}

std::vector<std::string> romArguments(std::string_view argumentTemplate, const RomFile &rom)
{
    const Values values{rom.folder + rom.file, rom.file, withoutExtension(rom.file), rom.folder};
    std::vector<std::string> arguments;
    bool romNamed = false;
    for (const auto &argument : splitTemplate(argumentTemplate)) {
        romNamed = romNamed || namesRom(argument);
        arguments.push_back(substitute(argument, values));
    }
    if (!romNamed)
        arguments.push_back(values.rom);
    return arguments;
}

std::vector<std::string> emulatorArguments(std::string_view argumentTemplate,
                                           const std::string &romFolder)
{
    const Values values{{}, {}, {}, romFolder};
    std::vector<std::string> arguments;
    for (const auto &argument : splitTemplate(argumentTemplate)) {
        if (!namesRom(argument))
            arguments.push_back(substitute(argument, values));
    }
    return arguments;
}

} // namespace kestrova
