#pragma once
// The search results as record numbers, each row's line formatted only when a view
// asks for it, so a search that finds a whole large album lists it quickly.
#include <QAbstractListModel>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "logic/search_lines.h"

class SearchResultsModel : public QAbstractListModel {
    Q_OBJECT
public:
    // Adds the display lines of album records as stored bytes to a list.
    using LinesOf = std::function<void(std::span<const int32_t>, LineList&)>;
    SearchResultsModel(LinesOf linesOf, QObject* parent);

    // Adds rows at the end, widest being the length of their longest line; the rows
    // already there keep their places and selection.
    void append(std::vector<int32_t>&& records, size_t widest);
    void clear();
    // Formats every row now, so rows keep their lines when the album they name is gone.
    void keepLines();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    LinesOf linesOf_;
    std::vector<int32_t> records_;
    size_t widest_ = 0;
    LineList kept_;  // the lines of the first rows, from an album no longer open
};
