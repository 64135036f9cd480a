#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "state/app_state.h"
#include "state/fill_in.h"

class QLabel;
class QTreeView;
class QTreeWidget;

namespace tolm::ui {

class FillInModel;

// A game the source could not settle alone: the user picks one of its
// candidates (or none), which then proposes its changes like the others.
struct FillInChoice {
    std::int32_t game = 0;
    QStringList candidates; // as the user reads them, best first
};

// The changes candidate `candidate` of a choice proposes for `game`.
using FillInChoiceProposer =
    std::function<std::vector<FillInProposal>(std::int32_t game, int candidate)>;

// frmFillIn: the changes a source proposes, one row each with a tick box
// (game, field, now, proposed); below them, when there are any, the games
// with several candidates, each with a list to pick one. Apply writes the
// ticked changes into the catalogue; Cancel changes nothing.
class FillInDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kProposalList = "lstProposals";
    static constexpr const char* kChoiceList = "lstChoices";
    static constexpr const char* kApplyButton = "cmdApply";
    static constexpr const char* kCancelButton = "cmdCancel";
    static constexpr const char* kTickAllButton = "cmdTickAll";
    static constexpr const char* kTickNoneButton = "cmdTickNone";

    FillInDialog(AppState& state, std::vector<FillInProposal> proposals, QWidget* parent = nullptr,
                 const QString& title = QStringLiteral("Fill In from Files"),
                 std::vector<FillInChoice> choices = {}, FillInChoiceProposer proposeChoice = {});

    // The catalogue positions Apply changed.
    const std::vector<std::int32_t>& changedGames() const { return changed_; }

    // Picks candidate `candidate` (-1 for none) for the choice at `row`.
    void chooseCandidate(int row, int candidate);

private:
    void addChoiceList(std::vector<FillInChoice> choices);
    void showSummary();
    void apply();

    AppState& state_;
    FillInModel* model_ = nullptr;
    QTreeView* list_ = nullptr;
    QTreeWidget* choiceList_ = nullptr;
    QLabel* summary_ = nullptr;
    std::vector<FillInChoice> choices_;
    FillInChoiceProposer proposeChoice_;
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
