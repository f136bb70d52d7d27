#include "fakes/temp_dir.h"

#include <atomic>
#include <fstream>
#include <random>

namespace kestrova::testing {

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    std::random_device random;
    m_path = std::filesystem::temp_directory_path()
             / ("kestrova-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

std::filesystem::path TempDir::write(const std::string &relative, const std::string &bytes) const
{
    const auto file = m_path / std::filesystem::path(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

} // namespace kestrova::testing
