#include "logic/file_write.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string temporaryName(const std::string& target)
{
    static std::atomic<unsigned> counter = 0;
    return target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string_view nameOf(std::string_view path)
{
    return path.substr(path.find_last_of('/') + 1);
}

// A nameless file is given its name through its /proc link; without /proc it is never made.
bool canLinkDescriptors()
{
    static const bool can = ::access("/proc/self/fd", X_OK) == 0;
    return can;
}

// The process that wrote entry when it is a temporary of name (of any file when name is empty).
std::optional<long long> temporaryOwner(std::string_view entry, std::string_view name)
{
    const size_t mark = entry.rfind(".tmp");
    if (mark == std::string_view::npos || mark == 0 || (!name.empty() && entry.substr(0, mark) != name)) return {};
    const std::string_view rest = entry.substr(mark + 4);
    const size_t dash = rest.find('-');
    auto digits = [](std::string_view s) {
        return !s.empty() && s.size() <= 10
               && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (dash == std::string_view::npos || !digits(rest.substr(0, dash)) || !digits(rest.substr(dash + 1))) return {};
    long long pid = 0;
    std::from_chars(rest.data(), rest.data() + dash, pid);
    if (pid <= 0 || pid > INT_MAX) return {};
    return pid;
}

}  // namespace

void removeDeadTemporaries(const std::string& folder, std::string_view name)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::optional<long long> owner = temporaryOwner(entry->d_name, name);
        if (owner && ::kill(pid_t(*owner), 0) != 0 && errno == ESRCH) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

NewFile::NewFile(const std::string& target, bool sweep) : target_(target)
{
    const std::string folder = folderOf(target);
    if (sweep) removeDeadTemporaries(folder, nameOf(target));
    // A folder in the way is found before anything is written, not at the rename.
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        error_ = FileError::NotRegular;
        errno = EISDIR;
        return;
    }
    if (canLinkDescriptors()) {
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0) return;
        // A file system without nameless files gets a named one.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            error_ = errno == ENOENT ? missingKind(target) : lastFailure();
            return;
        }
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        named_ = temporaryName(target);
        fd_ = ::open(named_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) return;
        if (errno != EEXIST) break;
    }
    named_.clear();
    error_ = errno == ENOENT ? missingKind(target) : lastFailure();
}

NewFile::~NewFile()
{
    if (fd_ >= 0) ::close(fd_);
    if (!named_.empty()) ::unlink(named_.c_str());
}

FileError NewFile::commit(FileError failed)
{
    if (fd_ < 0) return error_ != FileError::None ? error_ : failed;
    // errno is kept from the step that failed, for a message that quotes the system's words.
    int err = errno;
    FileError error = failed;
    auto fail = [&] {
        err = errno;
        error = lastFailure();
    };
    if (error == FileError::None && ::fsync(fd_) != 0) fail();
    std::string name = named_;
    if (error == FileError::None && name.empty()) {
        // linkat cannot replace a file: the nameless file gets a fresh name, renamed over target below.
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            name = temporaryName(target_);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) break;
            if (errno != EEXIST) fail();
            name.clear();
            if (error != FileError::None) break;
        }
        if (name.empty() && error == FileError::None) error = FileError::Other;
    }
    if (::close(fd_) != 0 && error == FileError::None) fail();
    fd_ = -1;
    named_.clear();
    if (error == FileError::None && ::rename(name.c_str(), target_.c_str()) != 0) fail();
    if (error != FileError::None && !name.empty()) ::unlink(name.c_str());
    errno = err;
    return error;
}
