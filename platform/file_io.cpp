#include "platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kestrova {

namespace {

std::string systemReason(int error)
{
    return std::generic_category().message(error);
}

bool flushToDisk(std::FILE *file)
{
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return ::fsync(fileno(file)) == 0;
#endif
}

std::FILE *openFile(const std::filesystem::path &path, const char *mode)
{
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

void removeIfFile(const std::filesystem::path &path)
{
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec))
        std::filesystem::remove(path, ec);
}

std::optional<FileError> writeWhole(const std::filesystem::path &path, const std::string &bytes)
{
    std::FILE *file = openFile(path, "wb");
    if (!file)
        return FileError{path.string(), systemReason(errno)};
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    const bool flushed = written && flushToDisk(file);
    const int flushError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written)
        return FileError{path.string(), systemReason(writeError)};
    if (!flushed || !closed)
        return FileError{path.string(), systemReason(flushed ? errno : flushError)};
    return std::nullopt;
}

// Saving through a symbolic link replaces the file it points to, not the link.
std::filesystem::path followLink(const std::filesystem::path &path)
{
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec))
        return path;
    auto target = std::filesystem::read_symlink(path, ec);
    if (ec)
        return path;
    return target.is_absolute() ? target : path.parent_path() / target;
}

std::optional<std::filesystem::perms> existingPermissions(const std::filesystem::path &path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status))
        return std::nullopt;
    return status.permissions();
}

// The write bits decide, so that even an administrator does not replace a file its owner
// marked read-only.
bool isReadOnly(const std::filesystem::path &path, std::filesystem::perms mode)
{
    using std::filesystem::perms;
    if ((mode & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none)
        return true;
#ifdef _WIN32
    (void)path;
    return false;
#else
    return ::access(path.c_str(), W_OK) != 0 && errno == EACCES;
#endif
}

} // namespace

FileContent readFile(const std::filesystem::path &path)
{
    FileContent content;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        content.missing = !ec;
        content.error = FileError{path.string(), systemReason(ec ? ec.value() : ENOENT)};
        return content;
    }
    std::FILE *file = openFile(path, "rb");
    if (!file) {
        content.error = FileError{path.string(), systemReason(errno)};
        return content;
    }
    // One read into a buffer of the file's size; the loop only runs on if the file grew.
    const auto expected = std::filesystem::file_size(path, ec);
    std::size_t used = 0;
    content.bytes.resize(ec ? 65536 : std::size_t(expected) + 1);
    while (std::size_t n = std::fread(content.bytes.data() + used, 1,
                                      content.bytes.size() - used, file)) {
        used += n;
        if (used == content.bytes.size())
            content.bytes.resize(used * 2);
    }
    content.bytes.resize(used);
    if (std::ferror(file))
        content.error = FileError{path.string(), systemReason(errno)};
    std::fclose(file);
    return content;
}

std::optional<std::string> readFileBytes(const std::filesystem::path &path)
{
    auto content = readFile(path);
    if (content.error)
        return std::nullopt;
    return std::move(content.bytes);
}

std::optional<FileError> writeFileAtomically(const std::filesystem::path &path,
                                             const std::string &bytes)
{
    const auto target = followLink(path);
    const auto existing = existingPermissions(target);
    if (existing && isReadOnly(target, *existing))
        return FileError{path.string(), "the file is read-only"};
    auto temporary = target;
    temporary += ".tmp";
    if (auto error = writeWhole(temporary, bytes)) {
        removeIfFile(temporary);
        error->path = path.string();
        return error;
    }
    std::error_code ec;
    if (existing)
        std::filesystem::permissions(temporary, *existing, ec);
    std::filesystem::rename(temporary, target, ec);
    if (ec) {
        removeIfFile(temporary);
        return FileError{path.string(), ec.message()};
    }
    return std::nullopt;
}

std::optional<FileError> createEmptyIfMissing(const std::filesystem::path &path)
{
    std::error_code ec;
    if (std::filesystem::exists(path, ec))
        return std::nullopt;
    std::FILE *file = openFile(path, "ab");
    if (!file)
        return FileError{path.string(), systemReason(errno)};
    std::fclose(file);
    return std::nullopt;
}

void useBinaryStandardOutput()
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

} // namespace kestrova
