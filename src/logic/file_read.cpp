#include "logic/file_read.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int errorNumber(FileError error)
{
    switch (error) {
    case FileError::None: return 0;
    case FileError::NotFound: return 53;
    case FileError::PastEnd: return 62;
    case FileError::NoMedium: return 71;
    case FileError::AccessDenied: return 75;
    case FileError::PathNotFound: return 76;
    case FileError::DiskFull: return 61;
    case FileError::NotRegular:
    case FileError::SymbolicLink: return 75;  // what a refused path is known by
    case FileError::Cancelled: return 32755;
    case FileError::Other: break;
    }
    return 57;  // device I/O error
}

FileError fromErrno(int err)
{
    switch (err) {
    case 0: return FileError::None;
    case ENOENT: return FileError::NotFound;
    case ENOTDIR: return FileError::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return FileError::AccessDenied;
    // Opening a FIFO without a reader, a socket or a device without its hardware gives ENXIO.
    case EISDIR:
    case ENXIO: return FileError::NotRegular;
    case ELOOP: return FileError::SymbolicLink;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileError::DiskFull;
    case ENOMEDIUM: return FileError::NoMedium;
    default: return FileError::Other;
    }
}

std::string_view failureText(FileError error)
{
    switch (error) {
    case FileError::None: return "no failure";
    case FileError::NotFound: return "file not found";
    case FileError::PastEnd: return "read past the end of the file";
    case FileError::NoMedium: return "no medium in the drive";
    case FileError::AccessDenied: return "access refused";
    case FileError::PathNotFound: return "path not found";
    case FileError::DiskFull: return "disk full";
    case FileError::NotRegular: return "not a regular file";
    case FileError::SymbolicLink: return "a symbolic link is in the way";
    case FileError::Cancelled: return "cancelled";
    case FileError::Other: break;
    }
    return "input/output error";
}

FileError missingKind(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    if (slash == std::string::npos || slash == 0) return FileError::NotFound;
    struct stat st {};
    return ::stat(path.substr(0, slash).c_str(), &st) == 0 ? FileError::NotFound : FileError::PathNotFound;
}

int openRegularFile(const std::string& path, FileError& error)
{
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = errno == ENOENT ? missingKind(path) : fromErrno(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        error = FileError::NotRegular;
        return -1;
    }
    // Reads of a regular file never block; clear the flag so nothing below can see EAGAIN.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    error = FileError::None;
    return fd;
}

namespace {

// Reads the next piece into buffer; 0 at the end, -1 on a failure.
ssize_t readSome(int fd, char* buffer, size_t size)
{
    ssize_t n;
    do {
        n = ::read(fd, buffer, size);
    } while (n < 0 && errno == EINTR);
    return n;
}

}  // namespace

FileError readRegularFileChunks(const std::string& path, const std::function<bool(std::string_view)>& consume)
{
    FileError error;
    const int fd = openRegularFile(path, error);
    if (fd < 0) return error;
    static constexpr size_t kChunk = 65536;
    std::string buffer(kChunk, '\0');
    for (;;) {
        const ssize_t n = readSome(fd, buffer.data(), kChunk);
        if (n < 0) error = errno == 0 ? FileError::Other : fromErrno(errno);
        if (n <= 0 || consume(std::string_view(buffer.data(), size_t(n)))) break;
    }
    ::close(fd);
    return error;
}

FileRead readRegularFile(const std::string& path, size_t maxBytes)
{
    FileRead result;
    result.error = readRegularFileChunks(path, [&](std::string_view piece) {
        const size_t room = maxBytes - result.bytes.size();
        result.bytes.append(piece.substr(0, room));
        result.truncated = piece.size() > room;
        return result.truncated;
    });
    return result;
}

FileError lastFailure()
{
    return errno == ENOENT ? FileError::PathNotFound : errno == 0 ? FileError::Other : fromErrno(errno);
}
