#pragma once
// The file work of a playlist export: checking a source, emptying or creating the
// export folder, copying files into it by the kernel, reading notes to copy out.
#include <optional>
#include <string>
#include <vector>

#include "logic/export_names.h"

// True when something (a file, a folder, a link) stands at path.
bool pathExists(const std::string& path);

// The folder an entry's MP3 file is taken from: the folder of its album path line
// ("\" or "/"), or, when that folder does not exist here but the loaded album's does,
// the loaded album's, so that playlists made on another system keep working.
std::string entrySourceFolder(const std::string& albumPathLine, const std::string& detailsFolder);

// Opens a regular file for reading and closes it again, without blocking on a FIFO.
OsFailure checkReadable(const std::string& path);

// True when folder is (on this system, links followed) the folder of one of the sources.
bool holdsASource(const std::string& folder, const std::vector<std::string>& sources);

// Removes every file (no folder) of a folder whose name ends in ".mp3" in any case, and
// the temporaries that writers which are gone left there.
OsFailure removeMp3Files(const std::string& folder);

// Creates one folder level; a missing parent is PathNotFound.
OsFailure createFolder(const std::string& path);

// Copies a regular file into folder under name by the kernel (no user-space copy where
// the system allows it). The copy is written as a new file that takes name once whole,
// replacing a file of that name, so a failure never leaves part of it under name.
// reading tells whether a failure came from opening the source.
OsFailure copyInto(const std::string& source, const std::string& folder, const std::string& name, bool& reading);

struct NotesRead {
    OsFailure failure;
    std::string text;
};
// The notes entry noteNo of a notes file, as the notes pane shows it; a file that ends
// before the entry is PastEnd.
NotesRead readExportNotes(const std::string& path, long noteNo);
