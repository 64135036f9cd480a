#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "state/app_state.h"
#include "state/zxdb_fill.h"

class QLabel;
class QLineEdit;
class QTreeView;
class QTreeWidget;

namespace tolm::ui {

class FillInModel;

// One line for a ZXDB program: "Title (year, publisher)".
QString describeZxdbEntry(const zxdb::Entry& entry);

// frmZxdbLookUp: the ZXDB programs that may be the selected game, and for
// the one picked the changes it proposes, each with a tick box. The title
// box searches again under another title. Apply writes the ticked changes
// into the game as Properties OK would; Cancel changes nothing.
class ZxdbLookUpDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitleBox = "txtZxdbTitle";
    static constexpr const char* kSearchButton = "cmdZxdbSearch";
    static constexpr const char* kCandidateList = "lstCandidates";
    static constexpr const char* kProposalList = "lstProposals";
    static constexpr const char* kApplyButton = "cmdApply";
    static constexpr const char* kCancelButton = "cmdCancel";

    ZxdbLookUpDialog(AppState& state, std::shared_ptr<const ZxdbData> zxdb, std::int32_t game,
                     QWidget* parent = nullptr);

    // Whether Apply changed the game.
    bool changed() const { return changed_; }
    int candidateCount() const;

private:
    void search();
    void showCandidate();
    void apply();

    AppState& state_;
    std::shared_ptr<const ZxdbData> zxdb_;
    std::int32_t game_;
    std::vector<std::size_t> candidates_; // entries, as listed
    QLineEdit* titleBox_ = nullptr;
    QTreeWidget* candidateList_ = nullptr;
    QTreeView* proposalList_ = nullptr;
    FillInModel* model_ = nullptr;
    QLabel* adaptedNote_ = nullptr;
    bool changed_ = false;
};

} // namespace tolm::ui
