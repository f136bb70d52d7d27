#pragma once

#include "core/catalog.h"
#include "platform/file_io.h"
#include "platform/platform_rules.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

/// The shipped files beside the programs, the samples folder and the file name of the
/// stand-in emulator, as the build and the install lay them out.
inline constexpr std::string_view kDemoSamplesFolder = "demo-samples";
inline constexpr std::string_view kDemoEmulatorName = "kestrova-demo-emulator";

/// Where a demonstration folder's files come from.
struct DemoSources
{
    /// Holds Ext.txt, menus/, ColorSchemes/ and pages/.
    std::filesystem::path appFiles;
    /// Holds roms/ (one folder per sample platform) and wikigameslists/.
    std::filesystem::path samples;
    /// The stand-in emulator; it is copied beside the programs.
    std::filesystem::path emulator;
    /// Further programs copied into the folder when they exist (kestrova, kestrova-cli and the
    /// web-engine module).
    std::vector<std::filesystem::path> programs;
};

/// What making a demonstration folder did.
struct DemoOutcome
{
    std::optional<FileError> error;
    /// False when the folder already had a DATA.txt, which is then left as it was.
    bool catalogWritten = false;
};

/// The sources as the build and the install place them beside the programs in `programDir`.
/// Copies a folder's tree into `to`, replacing files of the same name; two names that differ
/// only in case on a case-insensitive file system end as one file.
[[nodiscard]] std::optional<FileError> copyFolder(const std::filesystem::path &from,
                                                  const std::filesystem::path &to);

DemoSources demoSourcesBeside(const std::filesystem::path &programDir, SystemKind kind);

/// The sample catalog: its ROM folders and emulator paths lie inside `folder` (UTF-8 text,
/// without a trailing separator), each ROM folder ending with the separator.
Catalog demoCatalog(const std::string &folder, const std::string &emulatorFileName,
                    const PlatformRules &rules);

/// The sample platforms' extensions, then the lines of the shipped Ext.txt, CR LF each.
std::string demoExtensions(std::string_view shippedExt);

/// Makes `folder` a complete demonstration application folder. Shipped and sample files are
/// refreshed; DATA.txt and ColorSchemes/Active.col are written only when missing, so what a
/// user changed in an earlier demo survives.
[[nodiscard]] DemoOutcome makeDemoFolder(const std::filesystem::path &folder,
                                         const DemoSources &sources,
                                         const PlatformRules &rules);

} // namespace kestrova
