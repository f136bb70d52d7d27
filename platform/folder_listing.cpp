#include "platform/folder_listing.h"

#include "platform/platform_rules.h"

#include <system_error>

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace kestrova {

#ifdef _WIN32

std::optional<FolderStamp> folderStamp(const std::filesystem::path &)
{
    return std::nullopt;
}

void forEachFolderEntry(const std::filesystem::path &folder, const PlatformRules &rules,
                        const std::function<void(FolderEntry &)> &visit)
{
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    FolderEntry entry;
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code fileError;
        entry.name = fromPath(it->path().filename());
        entry.regularFile = it->is_regular_file(fileError);
        entry.hidden = entry.regularFile && rules.isHidden(*it);
        visit(entry);
    }
}

#else

namespace {

std::int64_t nanoseconds(const timespec &time)
{
    return std::int64_t(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// The entry's type comes with the name on most file systems; links and file systems that do not
// tell are asked, following links as a listing of files does.
bool isRegularFile(int folderFd, const dirent &entry)
{
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat status;
    return fstatat(folderFd, entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

} // namespace

std::optional<FolderStamp> folderStamp(const std::filesystem::path &folder)
{
    struct stat status;
    if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return std::nullopt;
    return FolderStamp{std::uint64_t(status.st_dev), std::uint64_t(status.st_ino),
                       std::int64_t(status.st_size), nanoseconds(status.st_mtim),
                       nanoseconds(status.st_ctim)};
}

// A folder of many thousand files is read without building a path object per entry.
void forEachFolderEntry(const std::filesystem::path &folder, const PlatformRules &,
                        const std::function<void(FolderEntry &)> &visit)
{
    DIR *dir = opendir(folder.c_str());
    if (!dir)
        return;
    const int fd = dirfd(dir);
    FolderEntry entry;
    while (const dirent *found = readdir(dir)) {
        entry.name.assign(found->d_name);
        if (entry.name == "." || entry.name == "..")
            continue;
        entry.regularFile = isRegularFile(fd, *found);
        entry.typeLookedUp = found->d_type == DT_LNK || found->d_type == DT_UNKNOWN;
        entry.hidden = entry.name.front() == '.';
        visit(entry);
    }
    closedir(dir);
}

#endif

} // namespace kestrova
