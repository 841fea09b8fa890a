#pragma once
// File operations that report failures as kinds the handlers can tell apart.
// Reading lives in logic/file_read.h, beside the kinds.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "logic/file_read.h"

// Writes a new file beside path (see logic/file_write.h) and puts it in path's place,
// so a failure never leaves half a file; the old file stays as it was when anything
// fails. A path that is a symbolic link to a regular file has that file replaced.
FileError writeFileAtomic(const std::string& path, std::string_view bytes);

// The same with the content handed over in pieces: produce calls write for each piece
// and returns false to give up, which leaves path as it was (and gives Other). Large
// content never needs to be held whole.
using WritePiece = std::function<bool(std::string_view)>;
FileError writeFileAtomic(const std::string& path, const std::function<bool(const WritePiece& write)>& produce);
// The same for content written straight to the new file's descriptor (copied between
// files without passing through the program): fill gives None once the content is whole,
// else the failure, which leaves path as it was and is returned.
FileError writeFileAtomicTo(const std::string& path, const std::function<FileError(int fd)>& fill);

// Writes bytes to the scratch file (emptied first) and renames it over path in one
// step, so path holds either its old or its whole new content; the scratch file is
// removed when anything fails.
FileError replaceViaScratch(const std::string& scratch, const std::string& path, std::string_view bytes);

// Appends bytes to a regular file (created when missing) in one open; when the write
// fails the file is cut back to its old length. For work files that only grow, where
// rewriting the whole file for each addition would cost more than the addition.
FileError appendToFile(const std::string& path, std::string_view bytes);

// What tells one state of a file from another without reading it: another file in its
// place, or any write to it, gives another stamp.
struct FileStamp {
    uint64_t device = 0, inode = 0, size = 0;
    int64_t modifiedNs = 0, changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
// nullopt when the path cannot be looked at.
std::optional<FileStamp> fileStamp(const std::string& path);

// Removes a file; a missing file is not an error.
FileError removeFile(const std::string& path);
