#include "search/search_results_model.h"

#include <algorithm>

#include "form/text_codec.h"
#include "form/widgets.h"

SearchResultsModel::SearchResultsModel(LinesOf linesOf, std::function<int()> widest, QObject* parent)
    : QAbstractListModel(parent), linesOf_(std::move(linesOf)), widest_(std::move(widest))
{
}

void SearchResultsModel::append(std::vector<int32_t>&& records)
{
    if (records.empty()) return;
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
    keptWidest_ = 0;
    endResetModel();
}

void SearchResultsModel::keepLines()
{
    size_t row = kept_.size();
    linesOf_(std::span(records_).subspan(row), kept_);
    for (; row < kept_.size(); ++row) keptWidest_ = std::max(keptWidest_, kept_[row].size());
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
    case kWidestLineRole: return std::max(int(keptWidest_), widest_());
    default: return {};
    }
}
