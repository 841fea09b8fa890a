#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QHoverEvent>
#include <QMimeData>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <algorithm>
#include <climits>
#include <tuple>

#include "form/row_view.h"

RowView::RowView(QWidget* parent) : QAbstractItemView(parent)
{
    setSelectionMode(SingleSelection);
    setAttribute(Qt::WA_MacShowFocusRect);
}

int RowView::rows() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

QModelIndex RowView::rowIndex(int row) const
{
    return model()->index(row, 0, rootIndex());
}

QSize RowView::rowSize() const
{
    if (!rowSize_.isValid() && rows() > 0) {
        // A list's last line is the likeliest to be its longest.
        const QModelIndex last = rowIndex(rows() - 1);
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        if (QAbstractItemDelegate* delegate = itemDelegateForIndex(last)) rowSize_ = delegate->sizeHint(option, last);
    }
    return rowSize_;
}

std::pair<int, int> RowView::rowsBetween(qint64 top, qint64 bottom) const
{
    const int n = rows();
    const int h = rowSize().height();
    if (n <= 0 || h <= 0 || bottom < 0 || top > qint64(n) * h) return {-1, -1};
    return {top <= 0 ? 0 : int(std::min<qint64>(n - 1, top / h)), int(std::min<qint64>(n - 1, bottom / h))};
}

qint64 RowView::topPixels() const
{
    return qint64(verticalScrollBar()->value()) * rowSize().height();
}

QRect RowView::rowRect(int row) const
{
    const QSize size = rowSize();
    const qint64 y = (qint64(row) - verticalScrollBar()->value()) * size.height();
    return QRect(-horizontalOffset(), int(std::clamp<qint64>(y, INT_MIN / 2, INT_MAX / 2)),
                 std::max(size.width(), viewport()->width()), size.height());
}

int RowView::rowAt(const QPoint& point) const
{
    const_cast<RowView*>(this)->executeDelayedItemsLayout();
    if (point.x() + horizontalOffset() < 0) return -1;
    const qint64 y = point.y() + topPixels();
    return rowsBetween(y, y).second;
}

QRect RowView::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != model() || index.parent() != rootIndex() || index.column() != 0) return {};
    const_cast<RowView*>(this)->executeDelayedItemsLayout();
    return rowRect(index.row());
}

QModelIndex RowView::indexAt(const QPoint& point) const
{
    const int row = rowAt(point);
    if (row < 0) return {};
    const QModelIndex index = rowIndex(row);
    return visualRect(index).contains(point) ? index : QModelIndex();
}

int RowView::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int RowView::verticalOffset() const
{
    return int(std::min<qint64>(topPixels(), INT_MAX));
}

void RowView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.parent() != rootIndex() || index.column() != 0) return;
    const QRect rect = visualRect(index);
    if (!rect.isValid()) return;
    const QRect area = viewport()->rect();
    if (hint == EnsureVisible) {
        if (area.contains(rect)) {
            viewport()->update(rect);
            return;
        }
        if (rect.top() < area.top()) {
            hint = PositionAtTop;
        } else if (rect.bottom() > area.bottom()) {
            hint = PositionAtBottom;
        } else {
            return;  // out of sight only sideways: only the user scrolls sideways
        }
    }
    const int row = index.row();
    const int fit = std::min(row + 1, std::max(1, area.height() / rect.height()));  // whole rows ending at row
    verticalScrollBar()->setValue(hint == PositionAtBottom   ? row - fit + 1
                                  : hint == PositionAtCenter ? row - fit / 2
                                                             : row);
}

QModelIndex RowView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    executeDelayedItemsLayout();
    const int n = rows();
    const QModelIndex current = currentIndex();
    if (n <= 0) return {};
    if (!current.isValid()) return rowIndex(0);
    const int row = current.row();
    if (action == MoveUp || action == MovePrevious) return row > 0 ? rowIndex(row - 1) : current;
    if (action == MoveDown || action == MoveNext) return row + 1 < n ? rowIndex(row + 1) : current;
    const int h = rowSize().height();
    if (h <= 0) return rowIndex(0);
    // A page moves as many rows as the view shows whole, less one, so one stays in sight.
    const int page = viewport()->height() / h;
    switch (action) {
    case MovePageUp:
        return h >= viewport()->height() ? moveCursor(MoveUp, modifiers) : rowIndex(std::max(0, row + 1 - page));
    case MovePageDown:
        return h >= viewport()->height() ? moveCursor(MoveDown, modifiers) : rowIndex(std::min(n - 1, row - 1 + page));
    case MoveHome: return rowIndex(0);
    case MoveEnd: return rowIndex(n - 1);
    default: return current;  // one column: nothing lies left or right
    }
}

void RowView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    if (!selectionModel()) return;
    int first = -1, last = -1;
    if (rect.width() == 1 && rect.height() == 1) {
        first = last = rowAt(rect.topLeft());
    } else if (state() == DragSelectingState) {
        const QRect area = rect.normalized();
        if (area.right() + horizontalOffset() >= 0)
            std::tie(first, last) = rowsBetween(area.top() + topPixels(), area.bottom() + topPixels());
    } else {
        // A range from key or click runs between the rows at its two corners, both needed.
        first = rowAt(QPoint(rect.left(), rect.top()));
        last = rowAt(QPoint(rect.right(), rect.bottom()));
        if (first > last) std::swap(first, last);
    }
    QItemSelection selection;
    if (first >= 0) selection.select(rowIndex(first), rowIndex(last));
    selectionModel()->select(selection, command);
}

QRegion RowView::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid() || range.parent() != rootIndex() || range.left() > 0 || range.right() < 0) continue;
        const QRect rect = visualRect(rowIndex(range.top())) | visualRect(rowIndex(range.bottom()));
        if (viewport()->rect().intersects(rect)) region += rect;
    }
    return region;
}

void RowView::updateGeometries()
{
    const int n = rows();
    if (geometry().isEmpty() || n <= 0 || model()->columnCount(rootIndex()) <= 0) {
        horizontalScrollBar()->setRange(0, 0);
        verticalScrollBar()->setRange(0, 0);
    } else {
        const QSize size = rowSize();
        const int width = viewport()->width(), height = viewport()->height();
        horizontalScrollBar()->setSingleStep(size.width());
        horizontalScrollBar()->setPageStep(width);
        horizontalScrollBar()->setRange(0, size.width() - width);
        // The scroll bar's value is the top row; its page, the rows shown whole.
        const bool fits = qint64(n) * size.height() <= height;
        const int page = fits ? n : n > 1 && size.height() > 0 ? height / size.height() : 0;
        verticalScrollBar()->setSingleStep(1);
        verticalScrollBar()->setPageStep(page);
        verticalScrollBar()->setRange(0, n - page);
    }
    QAbstractItemView::updateGeometries();
}

void RowView::scrollContentsBy(int dx, int dy)
{
    // dy counts rows; a move past a whole view redraws it all, however far it goes.
    const qint64 limit = viewport()->height() + rowSize().height();
    QAbstractItemView::scrollContentsBy(dx, int(std::clamp<qint64>(qint64(dy) * rowSize().height(), -limit, limit)));
}

void RowView::paintEvent(QPaintEvent* event)
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    QPainter painter(viewport());
    const QRect area = event->rect();
    const auto [first, last] = area.right() + horizontalOffset() >= 0
                                   ? rowsBetween(area.top() + topPixels(), area.bottom() + topPixels())
                                   : std::pair(-1, -1);
    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    const QStyle::State state = option.state;
    for (int row = first; row >= 0 && row <= last; ++row) {
        const QModelIndex index = rowIndex(row);
        option.rect = rowRect(row);
        option.state = state;
        if (selectionModel() && selectionModel()->isSelected(index)) option.state |= QStyle::State_Selected;
        if (state & QStyle::State_Enabled) {
            const bool enabled = model()->flags(index) & Qt::ItemIsEnabled;
            option.state.setFlag(QStyle::State_Enabled, enabled);
            option.palette.setCurrentColorGroup(enabled ? QPalette::Normal : QPalette::Disabled);
        }
        if (focus && current == index) {
            option.state |= QStyle::State_HasFocus;
            if (this->state() == EditingState) option.state |= QStyle::State_Editing;
        }
        option.state.setFlag(QStyle::State_MouseOver, index == hover_);
        if (alternatingRowColors()) option.features.setFlag(QStyleOptionViewItem::Alternate, row % 2 == 1);
        if (QAbstractItemDelegate* delegate = itemDelegateForIndex(index)) delegate->paint(&painter, option, index);
    }
    if (dropRow_ >= 0) {
        const int y = int(std::clamp<qint64>((qint64(dropRow_) - verticalScrollBar()->value()) * rowSize().height(), 0,
                                             viewport()->height() - 1));
        painter.setPen(QPen(palette().color(QPalette::Text), 2));
        painter.drawLine(0, y, viewport()->width(), y);
    }
}

bool RowView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove: hover_ = indexAt(static_cast<QHoverEvent*>(event)->position().toPoint()); break;
    case QEvent::HoverLeave:
    case QEvent::Leave: hover_ = QPersistentModelIndex(); break;
    default: break;
    }
    return QAbstractItemView::viewportEvent(event);
}

void RowView::initViewItemOption(QStyleOptionViewItem* option) const
{
    QAbstractItemView::initViewItemOption(option);
    if (!iconSize().isValid()) {
        const int side = style()->pixelMetric(QStyle::PM_ListViewIconSize, nullptr, this);
        option->decorationSize = QSize(side, side);
    }
    option->decorationPosition = QStyleOptionViewItem::Left;
}

void RowView::doItemsLayout()
{
    rowSize_ = QSize();
    QAbstractItemView::doItemsLayout();
}

void RowView::reset()
{
    rowSize_ = QSize();
    hover_ = QPersistentModelIndex();
    QAbstractItemView::reset();
}

void RowView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    rowSize_ = QSize();
    scheduleDelayedItemsLayout();
    QAbstractItemView::rowsInserted(parent, start, end);
}

void RowView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    QAbstractItemView::rowsAboutToBeRemoved(parent, start, end);
    rowSize_ = QSize();
    scheduleDelayedItemsLayout();
}

void RowView::setDragSource(std::function<QMimeData*(const QList<int>&)> data)
{
    dragData_ = std::move(data);
}

void RowView::setDropTarget(std::function<bool(const QMimeData&)> accepts,
                            std::function<void(const QMimeData&, int)> dropped)
{
    acceptsDrop_ = std::move(accepts);
    dropped_ = std::move(dropped);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
}

int RowView::dropRowAt(const QPoint& point) const
{
    const int h = rowSize().height();
    if (h <= 0) return 0;
    return int(std::clamp<qint64>((point.y() + topPixels() + h / 2) / h, 0, rows()));
}

void RowView::showDropRow(int row)
{
    if (std::exchange(dropRow_, row) != row) viewport()->update();
}

void RowView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex pressed = indexAt(event->position().toPoint());
    dragFrom_.reset();
    if (dragData_ && event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier && pressed.isValid()
        && selectionModel() && selectionModel()->isSelected(pressed))
        dragFrom_ = event->position().toPoint();
    QAbstractItemView::mousePressEvent(event);
}

void RowView::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragFrom_) {
        QAbstractItemView::mouseMoveEvent(event);
        return;
    }
    // Moves short of a drag leave the selection as it is, so that all of it is dragged.
    if (!(event->buttons() & Qt::LeftButton)
        || (event->position().toPoint() - *dragFrom_).manhattanLength() < QApplication::startDragDistance())
        return;
    dragFrom_.reset();
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    QMimeData* data = rows.isEmpty() ? nullptr : dragData_(rows);
    if (!data) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    setState(NoState);
}

void RowView::mouseReleaseEvent(QMouseEvent* event)
{
    dragFrom_.reset();
    QAbstractItemView::mouseReleaseEvent(event);
}

void RowView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!acceptsDrop_ || !event->mimeData() || !acceptsDrop_(*event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    showDropRow(dropRowAt(event->position().toPoint()));
}

void RowView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!acceptsDrop_ || !event->mimeData() || !acceptsDrop_(*event->mimeData())) {
        event->ignore();
        showDropRow(-1);
        return;
    }
    event->acceptProposedAction();
    showDropRow(dropRowAt(event->position().toPoint()));
    if (hasAutoScroll()) startAutoScroll();
}

void RowView::dragLeaveEvent(QDragLeaveEvent* event)
{
    stopAutoScroll();
    showDropRow(-1);
    event->accept();
}

void RowView::dropEvent(QDropEvent* event)
{
    stopAutoScroll();
    showDropRow(-1);
    if (!acceptsDrop_ || !event->mimeData() || !acceptsDrop_(*event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    dropped_(*event->mimeData(), dropRowAt(event->position().toPoint()));
}
