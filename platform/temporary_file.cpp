#include "platform/temporary_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kestrova {

namespace {

constexpr int kNameAttempts = 100;

#ifdef _WIN32
int createExclusively(const std::filesystem::path &path, bool)
{
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}
long long writeSome(int descriptor, const char *data, size_t size)
{
    return _write(descriptor, data, unsigned(std::min<size_t>(size, 1u << 30)));
}
bool syncToDisk(int descriptor)
{
    return _commit(descriptor) == 0;
}
int closeDescriptor(int descriptor)
{
    return _close(descriptor);
}
#else
// A file replacing an existing one starts private and takes that file's permissions later, so
// that its bytes are never readable by more users than the file's.
int createExclusively(const std::filesystem::path &path, bool replacing)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
}
long long writeSome(int descriptor, const char *data, size_t size)
{
    return ::write(descriptor, data, std::min<size_t>(size, size_t(1) << 30));
}
bool syncToDisk(int descriptor)
{
    return ::fsync(descriptor) == 0;
}
int closeDescriptor(int descriptor)
{
    return ::close(descriptor);
}

// The rename itself reaches the disk only with its folder.
void syncFolder(const std::filesystem::path &folder)
{
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    (void)::fsync(descriptor);
    ::close(descriptor);
}
#endif

std::string randomSuffix()
{
    std::random_device random;
    const std::uint64_t value = (std::uint64_t(random()) << 32) ^ random();
    constexpr char kDigits[] = "0123456789abcdef";
    std::string suffix;
    for (int shift = 60; shift >= 0; shift -= 4)
        suffix += kDigits[(value >> shift) & 0xF];
    return suffix;
}

} // namespace

TemporaryFile::TemporaryFile(std::filesystem::path target) : m_target(std::move(target))
{
    std::error_code ec;
    m_targetExisted = std::filesystem::exists(m_target, ec);
    int lastError = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && m_descriptor < 0; ++attempt) {
        m_path = m_target;
        m_path += "." + randomSuffix() + ".tmp";
        m_descriptor = createExclusively(m_path, m_targetExisted);
        lastError = errno;
        if (m_descriptor < 0 && lastError != EEXIST)
            break;
    }
    if (m_descriptor < 0)
        m_openError = error(lastError);
}

TemporaryFile::~TemporaryFile()
{
    if (m_descriptor >= 0)
        closeDescriptor(m_descriptor);
    if (!m_openError && !m_replaced) {
        std::error_code ec;
        std::filesystem::remove(m_path, ec);
    }
}

FileError TemporaryFile::error(int code) const
{
    return FileError{m_target.string(), std::generic_category().message(code)};
}

std::optional<FileError> TemporaryFile::write(const std::string &bytes)
{
    for (size_t done = 0; done < bytes.size();) {
        const long long written = writeSome(m_descriptor, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return error(written < 0 ? errno : EIO);
        done += size_t(written);
    }
    if (!syncToDisk(m_descriptor))
        return error(errno);
    return std::nullopt;
}

void TemporaryFile::takeOverOwnership()
{
#ifndef _WIN32
    struct stat replaced{};
    if (!m_targetExisted || ::stat(m_target.c_str(), &replaced) != 0)
        return;
    // Only root may give a file away; a member of the file's group may still keep the group.
    if (::fchown(m_descriptor, replaced.st_uid, replaced.st_gid) != 0)
        (void)!::fchown(m_descriptor, uid_t(-1), replaced.st_gid);
    // After the owner: a change of owner clears the set-id bits.
    (void)::fchmod(m_descriptor, replaced.st_mode & 07777);
#endif
}

std::optional<FileError> TemporaryFile::replaceTarget()
{
    takeOverOwnership();
    const int closed = closeDescriptor(m_descriptor);
    m_descriptor = -1;
    if (closed != 0)
        return error(errno);
    std::error_code ec;
    std::filesystem::rename(m_path, m_target, ec);
    if (ec)
        return FileError{m_target.string(), ec.message()};
    m_replaced = true;
#ifndef _WIN32
    syncFolder(m_target.parent_path());
#endif
    return std::nullopt;
}

} // namespace kestrova
