#include "logic/export_run.h"

#include <algorithm>

#include "logic/date_words.h"
#include "logic/export_files.h"
#include "logic/notes.h"
#include "logic/playlist.h"
#include "logic/text.h"

namespace {

// Exports one entry; a failure says whether it came from reading.
OsFailure exportEntry(const ExportPlan& plan, const ExportItem& item,
                      const std::function<OsFailure(std::string_view)>& writeIndex, bool& reading)
{
    reading = true;
    if (item.unreadable != FileError::None) return {item.unreadable, 0};
    reading = false;
    if (OsFailure f = writeIndex(item.index); f.failed()) return f;
    if (plan.withNotes) {
        reading = true;
        const NotesRead notes = readExportNotes(item.notesPath, item.noteNo);
        if (notes.failure.failed()) return notes.failure;
        reading = false;
        if (OsFailure f = writeIndex(indexNotes(notes.text)); f.failed()) return f;
    }
    return copyInto(item.source, plan.folder, item.fileName, reading);
}

}  // namespace

ExportOutcome runExport(const ExportPlan& plan, const std::function<OsFailure(std::string_view)>& writeIndex,
                        const ExportHooks& hooks)
{
    ExportOutcome outcome;
    for (size_t i = 0; i < plan.items.size(); ++i) {
        if (hooks.starting) hooks.starting(i);
        outcome.at = i;
        outcome.failure = exportEntry(plan, plan.items[i], writeIndex, outcome.reading);
        if (outcome.failure.failed()) return outcome;
        outcome.done = i + 1;
        if (hooks.cancelled && hooks.cancelled() && i + 1 < plan.items.size()) {
            outcome.cancelled = true;
            return outcome;
        }
    }
    return outcome;
}

std::string exportPlaylist(const ExportPlan& plan, size_t count)
{
    std::vector<M3uItem> items;
    for (size_t i = 0; i < std::min(count, plan.items.size()); ++i) items.push_back(plan.items[i].listed);
    return m3uText(items);
}

ExportPlan planExport(std::string_view playlistBytes, AlbumFile& album, const std::string& detailsFolder,
                      const std::string& folder, bool withNotes)
{
    ExportPlan plan{folder, withNotes, {}};
    const std::vector<PlaylistEntry> entries = parsePlaylist(playlistBytes);
    std::vector<int32_t> numbers;
    numbers.reserve(entries.size());
    for (const PlaylistEntry& entry : entries) numbers.push_back(recordNumberOf(entry).value_or(0));
    const std::vector<std::string> stored = readRecords(album, numbers);
    DateWords date;
    plan.items.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        ExportItem item;
        if (stored[i].empty()) {
            item.unreadable = FileError::PastEnd;  // as reading a record past the album's end
            item.sourceFolder = folderOf(entries[i].albumPath);
            plan.items.push_back(std::move(item));
            continue;
        }
        const TrackRecord rec = parseRecord(stored[i]);
        const std::string sourceFolder = entrySourceFolder(entries[i].albumPath, detailsFolder);
        item.source = mp3Path(sourceFolder, rec);
        item.sourceFolder = sourceFolder + qtext::trimmed(rec.Folder);
        item.fileName = exportedFileName(i + 1, rec);
        item.index = indexLine(item.fileName, trackDisplayLine(rec, date));
        item.notesPath = notesPath(detailsFolder, rec);
        item.noteNo = noteNumber(rec.NoteNo);
        item.listed = m3uItem(rec, item.fileName);
        plan.items.push_back(std::move(item));
    }
    return plan;
}
