#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "state/file_check.h"

class QDialogButtonBox;
class QLabel;
class QTreeView;

namespace tolm {
struct AppState;
}

namespace tolm::ui {

// The Check Files window: every game whose ROM, music file or a screenshot
// is not found over the search paths, with totals. "Select in List" closes
// it with those games to be selected in the main list.
class CheckFilesWindow final : public QDialog {
    Q_OBJECT
public:
    CheckFilesWindow(const FileCheckResult& result, const GameCatalogue& catalogue, QWidget* owner);

    // The catalogue positions to select, once closed by "Select in List".
    const std::vector<std::int32_t>& gamesToSelect() const { return toSelect_; }

private:
    QTreeView* missingList_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
    std::vector<std::int32_t> listed_;
    std::vector<std::int32_t> toSelect_;
};

// The buttons of a window that lists games for the main list: "Select in
// List" ("cmdSelect", enabled while `canSelect`) runs `select`, which closes
// `window` accepted; "Close" ("cmdClose") rejects it.
QDialogButtonBox* selectInListButtons(QDialog& window, bool canSelect,
                                      const std::function<void()>& select);

// Runs the check on a worker, with a progress box once it takes more than a
// moment; the user (or the end of the session) may stop it, which gives a
// result marked cancelled. The catalogue must not change meanwhile; should
// it have, the check runs again on what it has become.
FileCheckResult checkFilesWithProgress(const AppState& state, QWidget* owner);

} // namespace tolm::ui
