#pragma once

#include <QDialog>
#include <vector>

#include "state/duplicates.h"

class QLabel;
class QTreeWidget;

namespace tolm {
struct AppState;
}

namespace tolm::ui {

// The Find Duplicates window: each group of duplicate games, its kind over
// its games. "Select in List" closes it with the games of the groups or
// games selected in it (all of them when none is) to be selected in the
// main list, where Remove Selected or Properties can follow.
class DuplicatesWindow final : public QDialog {
    Q_OBJECT
public:
    DuplicatesWindow(const DuplicatesResult& result, const GameCatalogue& catalogue,
                     QWidget* owner);

    // The catalogue positions to select, once closed by "Select in List".
    const std::vector<std::int32_t>& gamesToSelect() const { return toSelect_; }

private:
    void selectInList();

    QTreeWidget* groupList_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
    std::vector<std::int32_t> toSelect_;
};

// Looks for the duplicates on a worker, with a progress box once it takes
// more than a moment; the user (or the end of the session) may stop it,
// which gives a result marked cancelled. Should the catalogue change
// meanwhile, it looks again at what it has become.
DuplicatesResult findDuplicatesWithProgress(const AppState& state, QWidget* owner);

} // namespace tolm::ui
