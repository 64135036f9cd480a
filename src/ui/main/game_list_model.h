#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "catalogue/facets.h"
#include "catalogue/game_filter.h"
#include "catalogue/game_record.h"
#include "state/play_history.h"

namespace tolm::ui {

// The rows of the main window's game list: one per catalogue position, in the model's own sort
// order. Texts are made only for the rows a view asks for. Sorting compares
// texts ignoring case; each column's texts are ranked once per refresh (and
// only for the columns sorted by), after which any sort by that column, in
// either direction, is a sort of integers.
class GameListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn = 0, PublisherColumn = 1, YearColumn = 2, ColumnCount = 3 };
    // Qt::UserRole gives the item key ("game17"); PositionRole the position.
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int PositionRole = Qt::UserRole + 1;

    explicit GameListModel(const GameCatalogue& catalogue, QObject* parent = nullptr);

    // Favourites get a star in their Name cell and "favourite" in the row's
    // accessible text; favouritesChanged() redraws them.
    void showFavourites(const PlayHistory* history) { history_ = history; }
    void favouritesChanged(const std::vector<std::int32_t>& positions);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Rebuilds every row from the catalogue and sorts by the current column.
    void refresh();
    // One record's texts changed in place: its row shows them, the
    // next sort sees them.
    void gameChanged(std::int32_t position);
    // One record was edited: its row shows the stored texts and moves to its
    // place in the current sort order, the selection and the current item
    // moving with it; a later filter or sort sees the new texts. Returns the
    // row, -1 when the position has none.
    int gameEdited(std::int32_t position);
    // The records at `positions` (as they were) were removed and the rest
    // moved up: their rows go, the others keep their order, and the
    // selection and current item stay on their games.
    void gamesRemoved(const std::vector<std::int32_t>& positions);
    // Where records appended from `first` on go among the rows: the costly
    // half of gamesAppended, which only reads, so it may run on a worker while
    // nothing changes the catalogue or the list. Null when it cannot be
    // done without a full sort.
    struct AppendPlan;
    std::shared_ptr<AppendPlan> planAppend(std::size_t first) const;
    // Records were appended from `first` on (the ones before unchanged): they
    // join the rows in their sorted places (and the filter's, when one is
    // typed) without a rebuild; selection and current item stay on their
    // games. `plan`, when given, is planAppend's for the same catalogue.
    void gamesAppended(std::size_t first, std::shared_ptr<AppendPlan> plan = {});

    // Shows only the games containing every word of `typed` (see
    // GameFilterIndex) for which every term holds (see parseFilter), in the
    // current sort order; empty shows all, an unreadable term none.
    void setFilterText(const QString& typed);
    bool isFiltered() const { return !filter_.empty(); }
    // Why a term of the filter could not be read; empty when all could.
    QString filterError() const;

    // The games' facts by catalogue position, for the terms that ask about
    // files and play; the shown rows follow them.
    void setFacts(std::vector<GameFacts> facts);
    const std::vector<GameFacts>& facts() const { return facts_; }
    // The facet menu's counts over every row there is, filter or not.
    FacetCounts facetCounts() const;
    // Rows there would be without the filter.
    int unfilteredRowCount() const { return static_cast<int>(sortedRows_.size()); }

    // Catalogue position shown at `row`, -1 when there is no such row.
    std::int32_t positionAt(int row) const;
    // Row that shows `position`, -1 when none.
    int rowOf(std::int32_t position) const;

    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

    // The texts the list shows, as the catalogue gives them.
    static QString yearText(std::int32_t year);
    static QString columnText(const GameRecord& record, int column);
    static QString accessibleRowText(const GameRecord& record);

Q_SIGNALS:
    // Records were added, removed or changed: the facts are stale.
    void catalogueChanged();

private:
    void ensureRanks(int column);
    void sortRows();
    // rows_ from sortedRows_ through the filter.
    void applyFilter();
    std::vector<std::int32_t> filteredRows();
    // rows_ becomes `rows`, persistent indexes following their games (to
    // the positions `positionNow` gives, when the games moved).
    void replaceRows(std::vector<std::int32_t> rows,
                     const std::vector<std::int32_t>* positionNow = nullptr);

    const GameCatalogue& catalogue_;
    const PlayHistory* history_ = nullptr;
    std::vector<std::int32_t> sortedRows_; // every row, sorted
    std::vector<std::int32_t> rows_;       // catalogue position per display row
    mutable std::vector<int> rowIndex_;    // display row per position, made on demand
    // Folded texts, made at the first filtered keystroke after a refresh.
    GameFilterIndex filterIndex_;
    bool filterIndexReady_ = false;
    GameFilter filter_;
    // Positions past its end have nothing found and were never played.
    std::vector<GameFacts> facts_;
    // Per column, by position: the rank of the case-folded text; equal texts
    // share a rank. rankTexts_ holds each rank's text, for placing new rows.
    std::array<std::vector<std::uint32_t>, ColumnCount> ranks_;
    std::array<std::vector<QString>, ColumnCount> rankTexts_;
    std::array<bool, ColumnCount> ranksReady_{};
    int sortColumn_ = NameColumn;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

} // namespace tolm::ui
