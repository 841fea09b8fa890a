#pragma once
// A one-column view of one-line rows, every row as high as the last: a row's place
// follows from its number, so the view keeps nothing per row however long the list.
// It scrolls down by whole rows and sideways by pixels over the row width the
// delegate gives, and draws, selects and moves the cursor as a list view in list mode.
#include <QAbstractItemView>
#include <QPersistentModelIndex>
#include <utility>

class RowView : public QAbstractItemView {
    Q_OBJECT
public:
    explicit RowView(QWidget* parent);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void doItemsLayout() override;
    void reset() override;

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

    mutable QSize rowSize_;
    QPersistentModelIndex hover_;
};
