#include "platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
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

} // namespace

std::optional<std::string> readFileBytes(const std::filesystem::path &path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

std::optional<FileError> writeFileAtomically(const std::filesystem::path &path,
                                             const std::string &bytes)
{
    auto temporary = path;
    temporary += ".tmp";
    if (auto error = writeWhole(temporary, bytes)) {
        removeIfFile(temporary);
        error->path = path.string();
        return error;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
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
