#pragma once

#include "platform/file_io.h"

#include <filesystem>
#include <optional>
#include <string>

namespace kestrova {

/// A new file beside the file it is to replace, under a name no other save uses: it is created
/// exclusively, so two saves, in one process or two, never write into one file. Removed again
/// unless it has replaced its target.
class TemporaryFile
{
public:
    explicit TemporaryFile(std::filesystem::path target);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    /// Why no file could be created; nothing else may be called then.
    const std::optional<FileError> &openError() const { return m_openError; }
    const std::filesystem::path &path() const { return m_path; }

    /// Writes all the bytes and flushes them to the disk.
    [[nodiscard]] std::optional<FileError> write(const std::string &bytes);
    /// Closes the file and renames it over the target.
    [[nodiscard]] std::optional<FileError> replaceTarget();

private:
    [[nodiscard]] FileError error(int code) const;
    /// The owner, group and permissions of the file being replaced, as far as this process may
    /// give them.
    void takeOverOwnership();

    std::filesystem::path m_target;
    std::filesystem::path m_path;
    std::optional<FileError> m_openError;
    int m_descriptor = -1;
    bool m_targetExisted = false;
    bool m_replaced = false;
};

} // namespace kestrova
