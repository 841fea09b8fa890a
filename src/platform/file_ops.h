#pragma once
// File operations that report failures as kinds the handlers can tell apart.
#include <string>
#include <string_view>

enum class FileError {
    None,
    NotFound,      // a file to be read or copied does not exist
    PastEnd,       // reading past the end of a file
    NoMedium,      // the drive has no medium
    AccessDenied,  // access to a path or file is refused
    PathNotFound,  // a folder on the path does not exist
    Cancelled,     // the user cancelled a file dialog
    Other,
};

// The number users and older files know each kind by (53, 62, 71, 75, 76, 32755).
int errorNumber(FileError error);
// Maps an errno value to a kind.
FileError fromErrno(int err);

struct FileRead {
    std::string bytes;
    FileError error = FileError::None;
    bool ok() const { return error == FileError::None; }
};

FileRead readWholeFile(const std::string& path);

// Writes a temporary file beside path and renames it over path, so a failure
// never leaves half a file; the old file stays as it was when anything fails.
FileError writeFileAtomic(const std::string& path, std::string_view bytes);

// Removes a file; a missing file is not an error.
FileError removeFile(const std::string& path);
