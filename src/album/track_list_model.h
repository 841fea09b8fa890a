#pragma once
// The lines of the track list, one per album record, formatted only when a view
// asks for them, so that a large album costs a scan at start-up and nothing per line.
#include <QAbstractListModel>
#include <string>

#include "logic/album_scan.h"

class TrackListModel : public QAbstractListModel {
    Q_OBJECT
public:
    TrackListModel(AlbumFile& album, QObject* parent);

    // One line per record of the open album. monthBefore is the month text that a
    // line shows when neither it nor any record before it has a month in range.
    void showAlbum(AlbumScan scan, std::string monthBefore);
    // A single line of text and no tracks.
    void showMessage(const QString& line);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The display line of a row as stored bytes; empty when the row is no track.
    std::string lineBytes(int row) const;
    // The month text shown before the first line, for formatting every line in order.
    const std::string& monthBefore() const { return monthBefore_; }

private:
    AlbumFile& album_;
    AlbumScan scan_;
    std::string monthBefore_;
    QString message_;
    mutable std::string buffer_;
};
