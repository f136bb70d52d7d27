#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

struct WikiTable;

/// A platform holds at most 6001 titles: a few hundred kilobytes of choices at the very most.
constexpr std::uintmax_t kCorrectionsFileBound = std::uintmax_t(4) << 20;

/// The titles a user chose for ROM files of one platform, where the matcher cannot know better
/// (a subtitle the file name leaves out, two spellings on one list). Kept as plain text beside
/// the platform's list page: one line per ROM file name and its title, separated by a TAB.
class TitleCorrections
{
public:
    struct Entry
    {
        std::string romFile; ///< the file name as the ROM list shows it (UTF-8)
        std::string title;   ///< the list title as shown (UTF-8)
    };

    /// Reads the file's bytes; lines without a TAB are passed over, a later line for the same
    /// ROM replaces an earlier one.
    [[nodiscard]] static TitleCorrections parse(std::string_view bytes);
    /// The file's bytes: UTF-8, CR LF after every line.
    [[nodiscard]] std::string text() const;

    [[nodiscard]] const std::vector<Entry> &entries() const { return m_entries; }
    /// The title chosen for a ROM file, if any.
    [[nodiscard]] const std::string *titleFor(std::string_view romFile) const;
    /// Remembers a title for a ROM file; false when either cannot be kept on one line.
    [[nodiscard]] bool set(const std::string &romFile, const std::string &title);
    /// Forgets the ROM file's title; false when there was none.
    bool forget(std::string_view romFile);

private:
    std::vector<Entry> m_entries;
};

/// The corrections file beside a list page: "<list name without extension>.corrections.txt".
[[nodiscard]] std::filesystem::path correctionsFileFor(const std::filesystem::path &listFile);

/// Is this file a corrections file rather than a list page?
[[nodiscard]] bool isCorrectionsFile(std::string_view fileName);

/// The first row whose title, as shown, is the corrected title; nothing when the list no
/// longer holds it.
[[nodiscard]] std::optional<int> correctedRow(const WikiTable &table, std::string_view title);

} // namespace kestrova
