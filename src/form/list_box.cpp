#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <algorithm>

#include "form/twips.h"
#include "form/widgets.h"

int mouseButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return kLeftButton;
    case Qt::RightButton: return kRightButton;
    case Qt::MiddleButton: return kMiddleButton;
    default: return 0;
    }
}

// A list box's own lines, each its own tooltip.
class LinesModel : public QStringListModel {
public:
    using QStringListModel::QStringListModel;

    void setLines(const QStringList& lines)
    {
        widest_ = 0;
        for (const QString& line : lines) widest_ = std::max(widest_, line.size());
        setStringList(lines);
    }
    void append(const QString& line)
    {
        widest_ = std::max(widest_, line.size());
        const int row = rowCount();
        insertRows(row, 1);
        setData(index(row), line);
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::ToolTipRole) role = Qt::DisplayRole;
        if (role == kWidestLineRole) return int(widest_);
        return QStringListModel::data(index, role);
    }

private:
    qsizetype widest_ = 0;
};

namespace {

// Every line is as wide as the widest, so the list scrolls sideways to the end of any line.
class WideLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const int chars = index.data(kWidestLineRole).toInt();
        const int padding = 2 * option.fontMetrics.horizontalAdvance(QLatin1Char(' '));
        size.setWidth(std::max(size.width(), chars * option.fontMetrics.horizontalAdvance(QLatin1Char('M')) + padding));
        return size;
    }
};

}  // namespace

ListBox::ListBox(QWidget* parent, bool multiSelect) : RowView(parent), lines_(new LinesModel(this))
{
    setModel(lines_);
    setItemDelegate(new WideLineDelegate(this));
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void ListBox::setLineModel(QAbstractItemModel* lineModel)
{
    QItemSelectionModel* old = selectionModel();
    setModel(lineModel);
    delete old;
}

void ListBox::clear()
{
    setItems({});
}

void ListBox::setItems(const QStringList& lines)
{
    lines_->setLines(lines);
}

void ListBox::addItem(const QString& line)
{
    lines_->append(line);
}

int ListBox::listCount() const
{
    return model()->rowCount();
}

QString ListBox::itemText(int row) const
{
    return validRow(row) ? rowIndex(row).data().toString() : QString();
}

int ListBox::listIndex() const
{
    const QModelIndex current = selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void ListBox::setListIndex(int row)
{
    if (!validRow(row)) {
        selectionModel()->clear();
        return;
    }
    selectionModel()->setCurrentIndex(rowIndex(row), QItemSelectionModel::ClearAndSelect);
    emit click();
}

bool ListBox::isSelected(int row) const
{
    return validRow(row) && selectionModel()->isSelected(rowIndex(row));
}

void ListBox::setSelected(int row, bool selected)
{
    if (!validRow(row)) return;
    selectionModel()->select(rowIndex(row), selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
    if (selected) emit click();
}

QList<int> ListBox::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int ListBox::topIndex() const
{
    const QModelIndex top = indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void ListBox::setTopIndex(int row)
{
    if (validRow(row)) scrollTo(rowIndex(row), QAbstractItemView::PositionAtTop);
}

void ListBox::relayout()
{
    const int top = topIndex();
    doItemsLayout();
    if (top > 0) setTopIndex(top);
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    const int button = mouseButtonCode(event->button());
    emit mouseDown(button, int(event->modifiers()), toTwips(event->position().x()), toTwips(event->position().y()));
    // A right-click leaves the selection alone: pop-up commands act on the line selected before.
    if (button == kRightButton) return;
    RowView::mousePressEvent(event);
    if (button == kLeftButton && indexAt(event->position().toPoint()).isValid()) emit click();
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    RowView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid()) emit dblClick();
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = listIndex();
    RowView::keyPressEvent(event);
    if (listIndex() != before) emit click();
}
