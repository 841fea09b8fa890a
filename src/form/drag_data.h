#pragma once
// What a drag between the window's lists carries: the record numbers of tracks, or
// positions of playlist entries. The data names the process it comes from, so a drag
// from another running copy of the program (another album) is not taken for ours.
#include <QList>
#include <cstdint>
#include <optional>
#include <vector>

class QMimeData;

QMimeData* trackDragData(const std::vector<int32_t>& records);
std::optional<std::vector<int32_t>> draggedTracks(const QMimeData& data);
QMimeData* entryDragData(const QList<int>& rows);
std::optional<std::vector<int32_t>> draggedEntries(const QMimeData& data);
