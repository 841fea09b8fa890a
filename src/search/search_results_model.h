#pragma once
// The lines of the search results, kept as stored bytes and turned into text only
// for the rows a view shows, so a search that finds a whole large album stays quick.
#include <QAbstractListModel>

#include "logic/search_lines.h"

class SearchResultsModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Adds lines at the end; the lines already there keep their rows and selection.
    void append(LineList&& lines);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    LineList lines_;
    size_t widest_ = 0;
};
