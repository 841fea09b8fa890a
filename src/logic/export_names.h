#pragma once
// The names, the index file and the messages of a playlist export: copies named
// by sequence number, folder and file name in a folder of the user's choosing,
// beside an index "details.txt" of CR LF-ended lines.
#include <cstddef>
#include <string>
#include <string_view>

#include "logic/file_read.h"
#include "logic/track_record.h"

// The position in the playlist counted from 1, zero-padded to four digits; more in full.
std::string sequenceNumber(size_t n);

// A record field as a part of an exported name: trimmed, with "/", "\" and NUL made "_"
// so that no record can name a file outside the export folder or cut the name short.
std::string exportNamePart(std::string_view field);

// "0001_<Folder>_<Mp3Name>.mp3".
std::string exportedFileName(size_t n, const TrackRecord& rec);

// The index line of one entry: the exported name, two blanks and the entry's playlist line.
std::string indexLine(std::string_view fileName, std::string_view playlistLine);
// The notes of one entry as the index holds them: the text, then an empty line.
std::string indexNotes(std::string_view notes);

enum class NameCheck { Ok, Empty, Separator, DotName };
struct ExportName {
    NameCheck check = NameCheck::Ok;
    std::string name;    // trimmed
    char separator = 0;  // the refused character, for NameCheck::Separator
};
// The typed export name, trimmed; a name that would leave the parent folder is refused.
ExportName checkExportName(std::string_view typed);

// True for a file name ending in ".mp3" in any letter case.
bool isMp3Name(std::string_view fileName);

// A failure of the operating system: its kind and, when it came from a call, errno.
struct OsFailure {
    FileError kind = FileError::None;
    int err = 0;
    bool failed() const { return kind != FileError::None; }
};
OsFailure osFailure(int err);

// What the user is told about a failed export.
enum class ExportFailure { FileError, DiskError, CannotWrite, PathNotFound, Unexpected };
// A failure while reading a source or notes file counts as a missing file when the file
// is missing or refused; while writing into the export folder by its kind.
ExportFailure classifyExportFailure(FileError kind, bool reading);

struct ExportMessage {
    std::string title;
    std::string prompt;  // lines joined by carriage returns
    bool okCancel = false;
    bool hidesFrame = false;  // the frame closes and the playlist's first line is selected
};
// sourceFolder: the folder of the entry being processed (for a missing file).
ExportMessage exportFailureMessage(const OsFailure& failure, bool reading, std::string_view sourceFolder);

// The message for an export name that was refused.
ExportMessage exportNameMessage(const ExportName& name);
