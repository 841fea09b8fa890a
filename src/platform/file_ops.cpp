#include "platform/file_ops.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

int errorNumber(FileError error)
{
    switch (error) {
    case FileError::None: return 0;
    case FileError::NotFound: return 53;
    case FileError::PastEnd: return 62;
    case FileError::NoMedium: return 71;
    case FileError::AccessDenied: return 75;
    case FileError::PathNotFound: return 76;
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
    case ENOMEDIUM:
    case ENXIO: return FileError::NoMedium;
    default: return FileError::Other;
    }
}

namespace {

// A missing file whose folder is missing too is a missing path, not a missing file.
FileError missingKind(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    if (slash == std::string::npos || slash == 0) return FileError::NotFound;
    struct stat st{};
    return ::stat(path.substr(0, slash).c_str(), &st) == 0 ? FileError::NotFound
                                                            : FileError::PathNotFound;
}

}  // namespace

FileRead readWholeFile(const std::string& path)
{
    FileRead result;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        result.error = errno == ENOENT ? missingKind(path) : fromErrno(errno);
        return result;
    }
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) result.bytes.append(buffer, n);
    if (std::ferror(f)) result.error = FileError::Other;
    std::fclose(f);
    return result;
}

FileError writeFileAtomic(const std::string& path, std::string_view bytes)
{
    QSaveFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::WriteOnly)) {
        return file.error() == QFileDevice::PermissionsError ? FileError::AccessDenied
                                                             : missingKind(path);
    }
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        file.cancelWriting();
        return FileError::Other;
    }
    return file.commit() ? FileError::None : FileError::Other;
}

FileError removeFile(const std::string& path)
{
    if (std::remove(path.c_str()) == 0 || errno == ENOENT) return FileError::None;
    return fromErrno(errno);
}
