#include <algorithm>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringListModel>

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

ListBox::ListBox(QWidget* parent, bool multiSelect) : QListView(parent), model_(new QStringListModel(this))
{
    setModel(model_);
    // Large albums: uniform rows keep a 100,000-line list fast to fill and paint.
    setUniformItemSizes(true);
    setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                 : QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void ListBox::clear()
{
    model_->setStringList({});
}

void ListBox::setItems(const QStringList& lines)
{
    model_->setStringList(lines);
}

void ListBox::addItem(const QString& line)
{
    const int row = model_->rowCount();
    model_->insertRows(row, 1);
    model_->setData(model_->index(row), line);
}

int ListBox::listCount() const
{
    return model_->rowCount();
}

QString ListBox::itemText(int row) const
{
    return validRow(row) ? model_->index(row).data().toString() : QString();
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
    selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::ClearAndSelect);
    emit click();
}

bool ListBox::isSelected(int row) const
{
    return validRow(row) && selectionModel()->isSelected(model_->index(row));
}

void ListBox::setSelected(int row, bool selected)
{
    if (!validRow(row)) return;
    selectionModel()->select(model_->index(row), selected ? QItemSelectionModel::Select
                                                          : QItemSelectionModel::Deselect);
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
    if (validRow(row)) scrollTo(model_->index(row), QAbstractItemView::PositionAtTop);
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    const int button = mouseButtonCode(event->button());
    emit mouseDown(button, int(event->modifiers()), toTwips(event->position().x()),
                   toTwips(event->position().y()));
    // A right-click leaves the selection alone: pop-up commands act on the line selected before.
    if (button == kRightButton) return;
    QListView::mousePressEvent(event);
    if (button == kLeftButton && indexAt(event->position().toPoint()).isValid()) emit click();
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        emit dblClick();
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = listIndex();
    QListView::keyPressEvent(event);
    if (listIndex() != before) emit click();
}
