#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <vector>

#include "state/app_state.h"
#include "state/fill_in.h"

class QLabel;
class QTreeView;

namespace tolm::ui {

class FillInModel;

// frmFillIn: the changes the games' files propose, one row each with a tick
// box (game, field, now, proposed). Apply writes the ticked ones into the
// catalogue; Cancel changes nothing.
class FillInDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kProposalList = "lstProposals";
    static constexpr const char* kApplyButton = "cmdApply";
    static constexpr const char* kCancelButton = "cmdCancel";
    static constexpr const char* kTickAllButton = "cmdTickAll";
    static constexpr const char* kTickNoneButton = "cmdTickNone";

    FillInDialog(AppState& state, std::vector<FillInProposal> proposals, QWidget* parent = nullptr);

    // The catalogue positions Apply changed.
    const std::vector<std::int32_t>& changedGames() const { return changed_; }

private:
    void apply();

    AppState& state_;
    FillInModel* model_ = nullptr;
    QTreeView* list_ = nullptr;
    QLabel* summary_ = nullptr;
    std::vector<std::int32_t> changed_;
};

// Reads the files of the games at `games` on a worker, with a progress box
// once it takes more than a moment; nothing when the user (or the end of the
// session) stopped it. The catalogue must not change meanwhile; should it
// have, the reading runs again on what it has become.
std::optional<FillInResult> proposeFillInsWithProgress(const AppState& state,
                                                       const std::vector<std::int32_t>& games,
                                                       const ArchiveInfoReader& readArchiveInfo,
                                                       QWidget* owner);

} // namespace tolm::ui
