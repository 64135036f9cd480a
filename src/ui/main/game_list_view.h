#pragma once

#include <QPersistentModelIndex>
#include <QTreeView>
#include <cstdint>
#include <string>
#include <vector>

namespace tolm {
struct ExtraSettings;
}

namespace tolm::ui {

class GameListModel;

// The main window's game list ("lstGames"): a tree view over GameListModel
// with the list's own sorting rule, its column layout kept between runs, and
// the mouse, keys and drops the window acts on, passed on as signals.
class GameListView final : public QTreeView {
    Q_OBJECT
public:
    GameListView(GameListModel& model, QWidget* parent);

    // Rebuilds the rows from the catalogue, sorted by the current column.
    void refresh();
    // The column widths and sort order from and into the program's own
    // settings; saving writes them to `path` too.
    void restoreLayout(const ExtraSettings& extra);
    void saveLayout(ExtraSettings& extra, const std::string& path) const;

    // The selected rows' catalogue positions, top to bottom.
    std::vector<std::int32_t> selectedPositions() const;
    // Selects the rows of these positions; the topmost becomes current and is
    // returned (invalid when none is shown).
    QModelIndex selectPositions(const std::vector<std::int32_t>& positions);
    // Makes `position`'s row the one selected and current, scrolled to.
    void selectPosition(std::int32_t position);

    // What the list shows in its middle while it has no game to list.
    static constexpr const char* kEmptyHint =
        "No games yet. Drop game files or folders here, or use Games > Add Multiple...";
    // Whether the hint shows: the catalogue holds no game (no record, or only
    // the blank one removing the last game leaves) and no filter is set.
    bool showsEmptyHint() const;

    // The row the details show; a click on it shows it afresh, selecting it
    // again by the keyboard does not.
    void markShown(const QModelIndex& index);
    void forgetShown() { shownRow_ = QPersistentModelIndex(); }

Q_SIGNALS:
    // The details should show this row's game.
    void showRequested(const QModelIndex& index);
    void runRequested();                   // a double click or Enter
    void popupRequested(const QPoint& at); // a right click, anywhere over the list
    void filesDropped(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // A header click: the same column again reverses the order, a new column keeps it.
    void sortClicked(int column);
    void followCurrentRow();
    void showSortIndicator();

    GameListModel& model_;
    QPersistentModelIndex shownRow_;      // the row whose game the details show
    bool detailsShownSincePress_ = false; // the press's selection already showed them
};

} // namespace tolm::ui
