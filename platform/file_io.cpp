#include "platform/file_io.h"

#include "platform/temporary_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestrova {

namespace {

std::string systemReason(int error)
{
    return std::generic_category().message(error);
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

// Saving through symbolic links replaces the file at the end of the chain and keeps every link.
std::optional<std::filesystem::path> finalTarget(const std::filesystem::path &path)
{
    constexpr int kMostLinks = 40;
    auto current = path;
    for (int followed = 0; followed <= kMostLinks; ++followed) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(current, ec))
            return current;
        const auto target = std::filesystem::read_symlink(current, ec);
        if (ec)
            return std::nullopt;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return std::nullopt;
}

std::optional<std::filesystem::perms> existingPermissions(const std::filesystem::path &path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status))
        return std::nullopt;
    return status.permissions();
}

#ifndef _WIN32
std::string userName(uid_t user)
{
    std::string buffer(4096, '\0');
    passwd entry{};
    passwd *found = nullptr;
    if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return found->pw_name;
    return "user " + std::to_string(user);
}
#endif

// Why the file must not be replaced, if it must not. The write bits decide, so that even an
// administrator does not replace a file its owner marked read-only; a file of another user's
// says whose it is, since its mode alone is not the reason.
std::optional<std::string> refusal(const std::filesystem::path &path, std::filesystem::perms mode)
{
    using std::filesystem::perms;
    if ((mode & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none)
        return "the file is read-only";
#ifdef _WIN32
    (void)path;
#else
    struct stat status{};
    if (::access(path.c_str(), W_OK) == 0 || errno != EACCES)
        return std::nullopt;
    if (::stat(path.c_str(), &status) == 0 && status.st_uid != ::geteuid())
        return "the file is owned by " + userName(status.st_uid);
    return "the file is read-only";
#endif
    return std::nullopt;
}

FileContent tooLarge(const std::filesystem::path &path, std::uintmax_t bound)
{
    FileContent content;
    content.tooLarge = true;
    content.error = FileError{path.string(), "the file is larger than " + sizeText(bound)};
    return content;
}

// Reads up to `limit` bytes, plus one more for a whole read, so that a file growing past the
// bound is seen without reading further. The size is asked first: an oversized file costs one
// stat, not a read of a gigabyte.
FileContent readAtMost(const std::filesystem::path &path, std::uintmax_t limit, bool prefixOnly)
{
    FileContent content;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) {
        content.missing = status.type() == std::filesystem::file_type::not_found;
        content.error =
            FileError{path.string(), content.missing ? systemReason(ENOENT) : ec.message()};
        return content;
    }
    // A pipe or a device in a file's place could block or never end.
    if (!std::filesystem::is_regular_file(status) && !std::filesystem::is_directory(status)) {
        content.error = FileError{path.string(), "it is not a regular file"};
        return content;
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (!prefixOnly && !ec && size > limit)
        return tooLarge(path, limit);
    std::FILE *file = openFile(path, "rb");
    if (!file) {
        content.error = FileError{path.string(), systemReason(errno)};
        return content;
    }
    const std::uintmax_t capacity = prefixOnly ? limit : limit + 1;
    const std::uintmax_t first = ec ? std::uintmax_t(65536) : size + 1;
    content.bytes.resize(std::size_t(std::min(first, capacity)));
    std::size_t used = 0;
    while (used < content.bytes.size()) {
        const std::size_t n =
            std::fread(content.bytes.data() + used, 1, content.bytes.size() - used, file);
        used += n;
        if (n == 0)
            break;
        if (used == content.bytes.size() && used < capacity)
            content.bytes.resize(std::size_t(std::min<std::uintmax_t>(used * 2, capacity)));
    }
    content.bytes.resize(used);
    if (std::ferror(file))
        content.error = FileError{path.string(), systemReason(errno)};
    std::fclose(file);
    if (!prefixOnly && used > limit)
        return tooLarge(path, limit);
    return content;
}

} // namespace

FileContent readFile(const std::filesystem::path &path, std::uintmax_t bound)
{
    return readAtMost(path, bound, false);
}

FileContent readFilePrefix(const std::filesystem::path &path, std::size_t count)
{
    return readAtMost(path, count, true);
}

std::optional<std::string> readFileBytes(const std::filesystem::path &path, std::uintmax_t bound)
{
    auto content = readFile(path, bound);
    if (content.error)
        return std::nullopt;
    return std::move(content.bytes);
}

std::string sizeText(std::uintmax_t bytes)
{
    constexpr std::uintmax_t kMegabyte = 1024 * 1024;
    if (bytes >= kMegabyte)
        return std::to_string((bytes + kMegabyte - 1) / kMegabyte) + " MB";
    if (bytes >= 1024)
        return std::to_string((bytes + 1023) / 1024) + " KB";
    return std::to_string(bytes) + " bytes";
}

std::optional<FileError> writeFileAtomically(const std::filesystem::path &path,
                                             const std::string &bytes,
                                             const TemporaryFileHook &whileOpen)
{
    const auto target = finalTarget(path);
    if (!target)
        return FileError{path.string(), systemReason(ELOOP)};
    const auto existing = existingPermissions(*target);
    if (const auto reason = existing ? refusal(*target, *existing) : std::nullopt)
        return FileError{path.string(), *reason};
    TemporaryFile temporary(*target);
    auto error = temporary.openError();
    if (!error && whileOpen)
        whileOpen(temporary.path());
    if (!error)
        error = temporary.write(bytes);
    if (!error)
        error = temporary.replaceTarget();
    if (error)
        error->path = path.string();
    return error;
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
