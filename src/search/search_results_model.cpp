#include "search/search_results_model.h"

#include <algorithm>

#include "form/text_codec.h"
#include "form/widgets.h"

SearchResultsModel::SearchResultsModel(LinesOf linesOf, QObject* parent)
    : QAbstractListModel(parent), linesOf_(std::move(linesOf))
{}

void SearchResultsModel::append(std::vector<int32_t>&& records, size_t widest)
{
    if (records.empty()) return;
    widest_ = std::max(widest_, widest);
    const int first = int(records_.size());
    beginInsertRows({}, first, first + int(records.size()) - 1);
    // Records listed after a clear are taken over rather than copied.
    if (records_.empty()) std::swap(records_, records);
    else records_.insert(records_.end(), records.begin(), records.end());
    endInsertRows();
}

void SearchResultsModel::clear()
{
    beginResetModel();
    records_.clear();
    kept_.clear();
    widest_ = 0;
    endResetModel();
}

void SearchResultsModel::keepLines()
{
    linesOf_(std::span(records_).subspan(kept_.size()), kept_);
}

int SearchResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(records_.size());
}

QVariant SearchResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(records_.size())) return {};
    const size_t row = size_t(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        if (row < kept_.size()) return toDisplay(kept_[row]);
        LineList line;
        linesOf_(std::span(records_).subspan(row, 1), line);
        return toDisplay(line[0]);
    }
    case kWidestLineRole: return int(widest_);
    default: return {};
    }
}
