#include "logic/export_files.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include "logic/file_write.h"
#include "logic/notes.h"

namespace {

bool isDirectory(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The failure of the call that just set errno, where a missing entry means a missing folder.
OsFailure pathFailure()
{
    const int err = errno;
    return {err == ENOENT ? FileError::PathNotFound : osFailure(err).kind, err};
}

// Opens a source as every reader does (regular files only, never blocking); -1 and
// failure set otherwise, with errno kept for a failure the message describes in full.
int openSource(const std::string& path, OsFailure& failure)
{
    FileError error = FileError::None;
    const int fd = openRegularFile(path, error);
    if (fd < 0) {
        const int err = errno;
        const bool missing = error == FileError::NotFound || error == FileError::PathNotFound;
        failure = {error, missing || error == FileError::NotRegular ? 0 : err};
    }
    return fd;
}

// Copies the rest of one descriptor to another inside the kernel: copy_file_range first,
// sendfile where the two file systems do not allow it, plain reads only as a last resort.
bool copyDescriptor(int from, int to)
{
    enum { Ranges, Sendfile, Reads } way = Ranges;
    constexpr size_t kPiece = size_t(1) << 30;
    for (;;) {
        ssize_t n;
        if (way == Ranges) n = ::copy_file_range(from, nullptr, to, nullptr, kPiece, 0);
        else if (way == Sendfile) n = ::sendfile(to, from, nullptr, kPiece);
        else {
            char buffer[1 << 16];
            n = ::read(from, buffer, sizeof buffer);
            if (n > 0 && ::write(to, buffer, size_t(n)) != n) return false;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && way != Reads && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
            way = way == Ranges ? Sendfile : Reads;
            continue;
        }
        if (n <= 0) return n == 0;
    }
}

}  // namespace

bool pathExists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::string entrySourceFolder(const std::string& albumPathLine, const std::string& detailsFolder)
{
    const std::string folder = folderOf(albumPathLine);
    return !isDirectory(folder) && isDirectory(detailsFolder) ? detailsFolder : folder;
}

bool holdsASource(const std::string& folder, const std::vector<std::string>& sources)
{
    struct stat target {};
    if (::stat(folder.c_str(), &target) != 0) return false;
    std::set<std::string> seen;
    for (const std::string& source : sources) {
        const std::string parent = source.substr(0, source.find_last_of('/') + 1);
        struct stat st {};
        if (seen.insert(parent).second && ::stat(parent.c_str(), &st) == 0 && st.st_dev == target.st_dev
            && st.st_ino == target.st_ino)
            return true;
    }
    return false;
}

OsFailure checkReadable(const std::string& path)
{
    OsFailure failure;
    const int fd = openSource(path, failure);
    if (fd >= 0) ::close(fd);
    return failure;
}

OsFailure removeMp3Files(const std::string& folder)
{
    removeDeadTemporaries(folder);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!isMp3Name(name) || it->is_directory(ec)) continue;
        if (!std::filesystem::remove(it->path(), ec)) break;
    }
    return ec ? OsFailure{ec.value() == ENOENT ? FileError::PathNotFound : fromErrno(ec.value()), ec.value()}
              : OsFailure{};
}

OsFailure createFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0777) == 0) return {};
    return errno == ENOTDIR ? OsFailure{FileError::PathNotFound, errno} : pathFailure();
}

OsFailure copyInto(const std::string& source, const std::string& folder, const std::string& name, bool& reading)
{
    OsFailure failure;
    const int from = openSource(source, failure);
    reading = from < 0;
    if (from < 0) return failure;
    // The folder was swept of dead writers' temporaries when it was emptied, not once per copy.
    NewFile copy(folder + "/" + name, false);
    if (copy.error() != FileError::None) {
        failure = {copy.error(), errno};
        ::close(from);
        return failure;
    }
    if (!copyDescriptor(from, copy.fd())) failure = osFailure(errno);
    ::close(from);
    if (const FileError committed = copy.commit(failure.kind); committed != FileError::None && !failure.failed())
        failure = {committed, errno};
    return failure;
}

NotesRead readExportNotes(const std::string& path, long noteNo)
{
    NotesRead result;
    NotesEntryScanner scanner(noteNo);
    const FileError error = readRegularFileChunks(path, [&](std::string_view piece) { return scanner.feed(piece); });
    if (error != FileError::None) {
        result.failure = {error, 0};
        return result;
    }
    std::optional<std::string> text = scanner.finish();
    if (!text) result.failure = {FileError::PastEnd, 0};
    else result.text = std::move(*text);
    return result;
}
