#include "album/track_list_model.h"

#include "form/text_codec.h"
#include "form/widgets.h"
#include "logic/date_words.h"

TrackListModel::TrackListModel(AlbumFile& album, QObject* parent) : QAbstractListModel(parent), album_(album) {}

void TrackListModel::showAlbum(AlbumScan scan, std::string monthBefore)
{
    beginResetModel();
    scan_ = std::move(scan);
    monthBefore_ = std::move(monthBefore);
    message_.clear();
    endResetModel();
}

void TrackListModel::showMessage(const QString& line)
{
    beginResetModel();
    scan_ = AlbumScan{};
    message_ = line;
    endResetModel();
}

int TrackListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    return message_.isEmpty() ? scan_.records : 1;
}

std::string TrackListModel::lineBytes(int row) const
{
    if (row < 0 || row >= scan_.records || !album_.readBlock(row + 1, 1, buffer_)) return {};
    DateWords dw;
    // A line whose month is out of range shows the month of the line before it, as when
    // the whole list was formatted in order.
    if (const int carried = scan_.carriedMonth(row); carried >= 0)
        dw.monthText = carried > 0 ? std::string(monthName(carried)) : monthBefore_;
    return trackDisplayLine(RecordView(buffer_), dw);
}

QVariant TrackListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return message_.isEmpty() ? toDisplay(lineBytes(index.row())) : message_;
    case kWidestLineRole:
        return message_.isEmpty() ? int(scan_.widestLine) : int(message_.size());
    default: return {};
    }
}
