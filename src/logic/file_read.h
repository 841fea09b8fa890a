#pragma once
// Opening and reading the files the program reads (album, notes, settings,
// playlists, search results). Only a regular file counts: a folder, a FIFO, a
// device or a socket is refused as not a regular file, and opening never blocks.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

enum class FileError {
    None,
    NotFound,      // a file to be read or copied does not exist
    PastEnd,       // reading past the end of a file
    NoMedium,      // the drive has no medium
    AccessDenied,  // access to a path or file is refused
    PathNotFound,  // a folder on the path does not exist
    DiskFull,      // the disk has no room left for a write
    NotRegular,    // a folder, FIFO, device or socket stands where a file is read or written
    SymbolicLink,  // a symbolic link stands where none is followed
    Cancelled,     // the user cancelled a file dialog
    Other,
};

// The number users and older files know each kind by (53, 62, 71, 75, 76, 61, 32755).
int errorNumber(FileError error);
// Maps an errno value to a kind.
FileError fromErrno(int err);
// The failure of the call that just set errno; a missing entry there is a missing folder.
FileError lastFailure();
// A few words naming the kind for a message: "access refused", "disk full", "not a regular file", ...
std::string_view failureText(FileError error);
// The kind of a path that does not exist: NotFound, or PathNotFound when its folder is missing too.
FileError missingKind(const std::string& path);

// Opens path for reading as a file descriptor, without blocking on a FIFO or a device;
// -1 with error set when it is missing, unreadable or not a regular file.
int openRegularFile(const std::string& path, FileError& error);

struct FileRead {
    std::string bytes;
    FileError error = FileError::None;
    bool truncated = false;  // the file holds more than the maxBytes read
    bool ok() const { return error == FileError::None; }
};

// Reads at most maxBytes from the start of a regular file.
FileRead readRegularFile(const std::string& path, size_t maxBytes);

// Hands the content of a regular file to consume piece by piece, in file order, until
// consume returns true (it has what it needs) or the file ends.
FileError readRegularFileChunks(const std::string& path, const std::function<bool(std::string_view)>& consume);
