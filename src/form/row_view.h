#pragma once
// A one-column view of one-line rows, every row as high as the last: a row's place
// follows from its number, so the view keeps nothing per row however long the list.
// It scrolls down by whole rows and sideways by pixels over the row width the
// delegate gives, and draws, selects and moves the cursor as a list view in list mode.
#include <QAbstractItemView>
#include <QPersistentModelIndex>
#include <functional>
#include <optional>
#include <utility>

class QMimeData;

class RowView : public QAbstractItemView {
    Q_OBJECT
public:
    explicit RowView(QWidget* parent);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void doItemsLayout() override;
    void reset() override;

    // The selected rows can be dragged, carrying what `data` makes of them. A drag starts
    // from a press on a row that was selected before it: pressing another row and moving
    // still selects the rows passed over.
    void setDragSource(std::function<QMimeData*(const QList<int>& rows)> data);
    // What `accepts` takes can be dropped between the rows, a line showing where; `dropped`
    // gets it with the row it lands before (the row count after the last row).
    void setDropTarget(std::function<bool(const QMimeData&)> accepts,
                       std::function<void(const QMimeData&, int before)> dropped);
    // The row a drop at a point of the viewport lands before.
    int dropRowAt(const QPoint& point) const;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void initViewItemOption(QStyleOptionViewItem* option) const override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int rows() const;
    // The size of every row: the delegate's for the last row, kept until the next layout.
    QSize rowSize() const;
    // The first and last rows met between two heights in the contents, or {-1, -1}.
    std::pair<int, int> rowsBetween(qint64 top, qint64 bottom) const;
    // How far the top row lies below the first, in pixels: past an int in a list long enough.
    qint64 topPixels() const;
    // Where a row lies in the viewport, without laying the rows out first.
    QRect rowRect(int row) const;
    // The row under a point of the viewport, even one just past the last row's edge, or -1.
    int rowAt(const QPoint& point) const;
    QModelIndex rowIndex(int row) const;

    void showDropRow(int row);

    mutable QSize rowSize_;
    QPersistentModelIndex hover_;
    std::function<QMimeData*(const QList<int>&)> dragData_;
    std::function<bool(const QMimeData&)> acceptsDrop_;
    std::function<void(const QMimeData&, int)> dropped_;
    std::optional<QPoint> dragFrom_;  // a press that may become a drag
    int dropRow_ = -1;                // where the line of a drop in progress is drawn
};
