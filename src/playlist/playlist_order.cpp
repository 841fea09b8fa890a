// Changing the playlist's order (moves and drops), putting tracks in at a place, and
// taking changes back or making them again. Each change is one replacement of the file;
// the position the session plays from follows its entry.
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "form/drag_data.h"
#include "form/form1.h"
#include "logic/playlist.h"
#include "logic/text.h"
#include "playback/player_session.h"
#include "playlist/playlist_page.h"

void PlaylistPage::acceptDrops()
{
    lstPlayList->setDragSource([this](const QList<int>& rows) { return empty_ ? nullptr : entryDragData(rows); });
    lstPlayList->setDropTarget([](const QMimeData& data) { return draggedTracks(data) || draggedEntries(data); },
                               [this](const QMimeData& data, int before) {
                                   if (const auto rows = draggedEntries(data))
                                       moveEntries(QList<int>(rows->begin(), rows->end()), before);
                                   else if (const auto records = draggedTracks(data)) insertTracks(*records, before);
                               });
}

void PlaylistPage::showChange(const QList<int>& selected)
{
    PlayerSession& session = *form.session;
    const int position = session.playlistPosition();
    {
        // Rebuilt quietly: the rebuild's own choice of the first line is no click.
        const QSignalBlocker quiet(lstPlayList);
        FillPlaylist();
        if (!empty_ && !selected.isEmpty()) {
            lstPlayList->setListIndex(std::min(selected.back(), lstPlayList->listCount() - 1));
            for (const int row : selected) lstPlayList->setSelected(row, true);
        }
    }
    // Away from playing the playlist, the position is the current line, as after a click.
    const int current = lstPlayList->listIndex();
    session.rememberPlaylistPosition(session.mode() == Mode::Playlist || current < 0 ? position : current);
}

void PlaylistPage::applyOrder(const PlaylistOrder& order, const QList<int>& rows)
{
    const std::optional<std::string> bytes = readForChange();
    if (!bytes) return;
    const std::vector<PlaylistEntry> entries = parsePlaylist(*bytes);
    // A list out of step with its file is shown again instead.
    if (order.size() != entries.size()) return showChange({});
    bool moved = false;
    for (size_t i = 0; i < order.size(); ++i) moved = moved || order[i] != int32_t(i);
    if (!moved || !writePlaylist(serializePlaylist(reordered(entries, order)), order)) return;
    QList<int> selected;
    for (const int row : rows) selected.append(positionAfter(order, row));
    std::sort(selected.begin(), selected.end());
    showChange(selected);
}

void PlaylistPage::moveSelected(int step)
{
    hidePopups();
    const QList<int> rows = lstPlayList->selectedRows();
    if (empty_ || rows.isEmpty()) return;
    applyOrder(movedByOne(lstPlayList->listCount(), {rows.begin(), rows.end()}, step), rows);
}

void PlaylistPage::moveEntries(const QList<int>& rows, int before)
{
    if (empty_ || rows.isEmpty()) return;
    applyOrder(movedBefore(lstPlayList->listCount(), {rows.begin(), rows.end()}, before), rows);
}

void PlaylistPage::insertTracks(const std::vector<int32_t>& records, int before)
{
    if (records.empty()) return;
    const std::optional<std::string> bytes = readForChange();
    if (!bytes) return;
    const std::vector<PlaylistEntry> entries = parsePlaylist(*bytes);
    const int count = int(entries.size());
    before = empty_ ? count : std::clamp(before, 0, count);
    std::vector<PlaylistEntry> added;
    added.reserve(records.size());
    for (const int32_t record : records) added.push_back({form.m.AlbumPath, qtext::paddedNumber(record), false});
    const PlaylistOrder order = insertedAt(count, before, int32_t(records.size()));
    if (!writePlaylist(serializePlaylist(reordered(entries, order, added)), order)) return;
    QList<int> selected;
    for (int row = before; row < before + int(records.size()); ++row) selected.append(row);
    showChange(selected);
}

void PlaylistPage::turn(bool back)
{
    hidePopups();
    const std::optional<PlaylistTurn> step = back ? history.undoTurn() : history.redoTurn();
    if (!step || !storePlaylist(step->bytes)) return;
    back ? history.undone() : history.redone();
    followPosition([&step](int32_t p) { return step->follow(p); });
    showChange({form.session->playlistPosition()});
}

void PlaylistPage::undo()
{
    turn(true);
}

void PlaylistPage::redo()
{
    turn(false);
}
