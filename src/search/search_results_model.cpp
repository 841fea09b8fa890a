#include "search/search_results_model.h"

#include <algorithm>

#include "form/text_codec.h"
#include "form/widgets.h"

void SearchResultsModel::append(LineList&& lines)
{
    if (lines.empty()) return;
    const int first = int(lines_.size());
    beginInsertRows({}, first, first + int(lines.size()) - 1);
    for (size_t i = 0; i < lines.size(); ++i) widest_ = std::max(widest_, lines[i].size());
    // Lines listed after a clear are taken over rather than copied.
    if (lines_.empty()) std::swap(lines_, lines);
    else lines_.append(lines);
    endInsertRows();
}

void SearchResultsModel::clear()
{
    beginResetModel();
    lines_.clear();
    widest_ = 0;
    endResetModel();
}

int SearchResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(lines_.size());
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(lines_.size())) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return toDisplay(lines_[size_t(index.row())]);
    case kWidestLineRole: return int(widest_);
    default: return {};
    }
}
