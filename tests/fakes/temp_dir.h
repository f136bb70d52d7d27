#pragma once

#include <filesystem>
#include <string>

namespace kestrova::testing {

/// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    /// Creates a file (and its folders) with these bytes; returns its path.
    std::filesystem::path write(const std::string &relative, const std::string &bytes = {}) const;

private:
    std::filesystem::path m_path;
};

} // namespace kestrova::testing
