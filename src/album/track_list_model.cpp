#include "album/track_list_model.h"

#include <algorithm>

#include "form/text_codec.h"
#include "form/widgets.h"
#include "logic/date_words.h"

TrackListModel::TrackListModel(AlbumFile& album, QObject* parent)
    : QAbstractListModel(parent), album_(album),
      scanner_([this](AlbumScan&& piece, bool last) { addScanned(std::move(piece), last); }, nullptr)
{}

void TrackListModel::showAlbum(std::string monthBefore)
{
    scanner_.cancel();
    beginResetModel();
    scan_ = AlbumScan{};
    rows_ = album_.recordCount();
    monthBefore_ = std::move(monthBefore);
    message_.clear();
    scanning_ = true;
    endResetModel();
    scanner_.start(album_.duplicateDescriptor(), rows_);
}

void TrackListModel::showMessage(const QString& line)
{
    scanner_.cancel();
    beginResetModel();
    scan_ = AlbumScan{};
    rows_ = 0;
    scanning_ = false;
    message_ = line;
    endResetModel();
}

void TrackListModel::addScanned(AlbumScan&& piece, bool last)
{
    const int32_t from = scan_.records;
    const int codesBefore = int(scan_.codes.size());
    scan_.append(std::move(piece));
    if (scan_.records > from) emit linesScanned();
    if (int(scan_.codes.size()) > codesBefore) emit codesFound(codesBefore);
    if (!last) return;
    // A read that failed part way ends the album there, as a list filled in order would.
    if (scan_.records < rows_) {
        beginRemoveRows({}, scan_.records, rows_ - 1);
        rows_ = scan_.records;
        endRemoveRows();
    }
    scanning_ = false;
    emit scanEnded();
}

int TrackListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    return message_.isEmpty() ? rows_ : 1;
}

std::string TrackListModel::lineBytes(int row) const
{
    if (row < 0 || row >= rows_ || !album_.readBlock(row + 1, 1, buffer_)) return {};
    return formatLine(row, RecordView(buffer_));
}

void TrackListModel::addLines(std::span<const int32_t> records, LineList& out) const
{
    constexpr size_t kAhead = 4096;
    int32_t first = 0, count = 0;  // the records held in buffer_
    for (size_t i = 0; i < records.size(); ++i) {
        const int32_t row = records[i] - 1;
        if (row < first || row >= first + count) {
            // Reaches as far as the record kAhead further on when the records ascend.
            const int32_t until = records[std::min(i + kAhead, records.size()) - 1];
            first = row;
            count = row < 0 || row >= rows_ ? 0 : std::clamp(until - row, 1, std::min(int32_t(kAhead), rows_ - row));
            if (count && !album_.readBlock(row + 1, count, buffer_)) count = 0;
        }
        if (row < first || row >= first + count) out.add({});
        else
            out.add(formatLine(row, RecordView(std::string_view(buffer_).substr(size_t(row - first) * kRecordSize,
                                                                                kRecordSize))));
    }
}

std::string TrackListModel::formatLine(int row, const RecordView& record) const
{
    DateWords dw;
    // A line whose month is out of range shows the month of the line before it, as when
    // the whole list was formatted in order.
    if (const int carried = row < scan_.records ? scan_.carriedMonth(row) : -1; carried >= 0)
        dw.monthText = carried > 0 ? std::string(monthName(carried)) : monthBefore_;
    return trackDisplayLine(record, dw);
}

QVariant TrackListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return message_.isEmpty() ? toDisplay(lineBytes(index.row())) : message_;
    case kWidestLineRole: return message_.isEmpty() ? int(scan_.widestLine) : int(message_.size());
    default: return {};
    }
}
