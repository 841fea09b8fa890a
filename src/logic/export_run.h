#pragma once
// A playlist export planned up front and then carried out entry by entry, so that
// nothing the window does meanwhile (selecting lines, editing the playlist) changes it.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "logic/export_names.h"
#include "logic/m3u_playlist.h"

struct ExportItem {
    std::string source;        // the MP3 file
    std::string sourceFolder;  // the entry's folder as a missing file's message names it
    std::string fileName;      // the exported name
    std::string index;         // its index line, CR LF included
    std::string notesPath;
    long noteNo = 0;
    FileError unreadable = FileError::None;  // the entry names no track of the album
    M3uItem listed;                          // its entry in the export's "playlist.m3u8"
};

struct ExportPlan {
    std::string folder;  // the export folder
    bool withNotes = true;
    std::vector<ExportItem> items;
};

struct ExportOutcome {
    OsFailure failure;
    bool reading = false;  // the failure came from a source or notes file
    size_t at = 0;         // the entry it came from
    size_t done = 0;       // entries exported whole
    bool cancelled = false;
};

struct ExportHooks {
    std::function<void(size_t entry)> starting;  // before each entry
    std::function<bool()> cancelled;             // asked after each entry
};

// Writes each entry's index line (and notes) through writeIndex, then copies its file,
// until the end, a failure, or a cancel; a failed writeIndex is a failure of its own.
ExportOutcome runExport(const ExportPlan& plan, const std::function<OsFailure(std::string_view)>& writeIndex,
                        const ExportHooks& hooks);

// The export's "playlist.m3u8": the first count entries' copies, by name, in order.
std::string exportPlaylist(const ExportPlan& plan, size_t count);

// The plan of an export of the playlist file's entries (its bytes) from the open album:
// each entry's source from its album path line (see entrySourceFolder), its notes from
// the loaded album's folder, its index line with its playlist line.
ExportPlan planExport(std::string_view playlistBytes, AlbumFile& album, const std::string& detailsFolder,
                      const std::string& folder, bool withNotes);
