#pragma once
// The lines of the track list, one per album record, formatted only when a view
// asks for them. The album's scan runs after the list is shown and completes it:
// until the scan has passed a line whose own month is out of range, that line
// shows no month.
#include <QAbstractListModel>
#include <span>
#include <string>

#include "album/album_scan_thread.h"
#include "logic/search_lines.h"

class TrackListModel : public QAbstractListModel {
    Q_OBJECT
public:
    TrackListModel(AlbumFile& album, QObject* parent);

    // One line per record of the open album, at once, and its scan started. monthBefore
    // is the month text that a line shows when neither it nor any record before it has
    // a month in range.
    void showAlbum(std::string monthBefore);
    // A single line of text and no tracks; a scan running is cancelled.
    void showMessage(const QString& line);

    // Whether the album's scan is still running.
    bool scanning() const { return scanning_; }
    // Waits for the album's scan to end and applies all of it before returning.
    void finishScan() { scanner_.finish(); }
    // What the scan has found so far.
    const AlbumScan& scan() const { return scan_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The display line of a row as stored bytes; empty when the row is no track.
    std::string lineBytes(int row) const;
    // Adds the display line of each record to out; records in ascending order are read a block at a time.
    void addLines(std::span<const int32_t> records, LineList& out) const;
    // The month text shown before the first line, for formatting every line in order.
    const std::string& monthBefore() const { return monthBefore_; }

signals:
    // Lines the scan has passed may read differently now. A list view is to paint them
    // again, not lay itself out again: laying out a long list is costly.
    void linesScanned();
    // The scan met codes not met before: scan().codes from `first` on.
    void codesFound(int first);
    // The scan has ended and every line, code and the widest line are known.
    void scanEnded();

private:
    void addScanned(AlbumScan&& piece, bool last);
    std::string formatLine(int row, const RecordView& record) const;

    AlbumFile& album_;
    AlbumScanThread scanner_;
    AlbumScan scan_;
    int32_t rows_ = 0;
    bool scanning_ = false;
    std::string monthBefore_;
    QString message_;
    mutable std::string buffer_;
};
