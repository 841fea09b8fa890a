#include "platform/file_ops.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "logic/file_write.h"

namespace {

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

// A link to a regular file is followed, so the file it names is the one replaced; a
// link to anything else (a device, a folder) or to nothing is itself replaced.
std::string resolvedTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    struct stat st {};
    if (::realpath(path.c_str(), resolved) && ::stat(resolved, &st) == 0 && S_ISREG(st.st_mode)) return resolved;
    return path;
}

// Ends the writing of the scratch file (error says whether the writing failed): syncs
// it, closes it and renames it over target, each step only when all before succeeded.
// On any failure the scratch file is removed and target stays as it was.
FileError commitScratch(int fd, const std::string& temporary, const std::string& target, FileError error)
{
    bool ok = error == FileError::None;
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        error = lastFailure();
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = lastFailure();
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = lastFailure();
    }
    if (!ok) ::unlink(temporary.c_str());
    return error;
}

}  // namespace

FileError writeFileAtomic(const std::string& path, std::string_view bytes)
{
    return writeFileAtomic(path, [bytes](const WritePiece& write) { return write(bytes); });
}

FileError writeFileAtomic(const std::string& path, const std::function<bool(const WritePiece& write)>& produce)
{
    return writeFileAtomicTo(path, [&](int fd) {
        FileError error = FileError::None;
        const bool produced = produce([&](std::string_view piece) {
            if (writeAll(fd, piece)) return true;
            error = lastFailure();
            return false;
        });
        return !produced && error == FileError::None ? FileError::Other : error;
    });
}

FileError writeFileAtomicTo(const std::string& path, const std::function<FileError(int fd)>& fill)
{
    const std::string target = resolvedTarget(path);
    NewFile file(target);
    if (file.error() != FileError::None) return file.error();
    // A replaced file keeps its permissions.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(file.fd(), old.st_mode & 07777);
    // Every step must succeed before the rename; the data reaches the disk first, so
    // a full disk is found here and not after the old file is gone.
    return file.commit(fill(file.fd()));
}

FileError replaceViaScratch(const std::string& scratch, const std::string& path, std::string_view bytes)
{
    // O_NONBLOCK: a FIFO in the scratch file's place would otherwise wait for a reader.
    const int fd = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd < 0) return errno == ENOENT ? missingKind(scratch) : lastFailure();
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return FileError::NotRegular;
    }
    return commitScratch(fd, scratch, path, writeAll(fd, bytes) ? FileError::None : lastFailure());
}

FileError appendToFile(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return errno == ENOENT ? missingKind(path) : lastFailure();
    struct stat before {};
    if (::fstat(fd, &before) != 0 || !S_ISREG(before.st_mode)) {
        ::close(fd);
        return FileError::NotRegular;
    }
    bool written = writeAll(fd, bytes);
    FileError error = written ? FileError::None : lastFailure();
    // A write cut short by a full disk is taken back, so the file holds all the new bytes or none.
    if (!written && ::ftruncate(fd, before.st_size) != 0) error = lastFailure();
    if (::close(fd) != 0 && written) error = lastFailure();
    return error;
}

std::optional<FileStamp> fileStamp(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    const auto ns = [](const timespec& t) { return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec; };
    return FileStamp{uint64_t(st.st_dev), uint64_t(st.st_ino), uint64_t(st.st_size), ns(st.st_mtim), ns(st.st_ctim)};
}

FileError removeFile(const std::string& path)
{
    if (std::remove(path.c_str()) == 0 || errno == ENOENT) return FileError::None;
    return fromErrno(errno);
}
