// The main window's ZXDB commands: the index, the look-up of one game and
// the fill-in of many.
#include <algorithm>
#include <memory>

#include "state/zxdb_fill.h"
#include "ui/config/zxdb_database_dialog.h"
#include "ui/edit/fill_in_dialog.h"
#include "ui/edit/zxdb_lookup_dialog.h"
#include "ui/main/job_scope.h"
#include "ui/main/main_window.h"
#include "ui/widgets/background_job.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {
namespace {

const QString kFillInTitle = QStringLiteral("Fill In from ZXDB");

} // namespace

bool MainWindow::haveZxdb() {
    if (!state_.zxdb) {
        std::string error;
        state_.zxdb = loadZxdbIndex(state_.zxdbIndexPath(), error);
    }
    if (!state_.zxdb)
        openZxdbDatabase(); // says why there is none, and offers to read a script
    return state_.zxdb != nullptr;
}

void MainWindow::openZxdbDatabase() {
    ZxdbDatabaseDialog dialog(state_, dialogs_, this);
    dialog.exec();
}

void MainWindow::lookUpInZxdb() {
    if (!catalogueHasEntries(state_.catalogue) || state_.selectedRecord() == nullptr || !haveZxdb())
        return;
    ZxdbLookUpDialog dialog(state_, state_.zxdb, state_.selectedGame, this);
    if (dialog.exec() == QDialog::Accepted && dialog.changed())
        gameEdited(state_.selectedGame);
}

void MainWindow::fillInFromZxdb() {
    if (!catalogueHasEntries(state_.catalogue) || !haveZxdb())
        return;
    const std::shared_ptr<const ZxdbData> zxdb = state_.zxdb;
    std::optional<ZxdbFillInResult> result;
    {
        JobScope busy(*this);
        const std::vector<std::int32_t> games = gamesToFillIn();
        ZxdbFillInResult matched;
        if (runOverCatalogue(
                this, kFillInTitle, QStringLiteral("Looking the games up in ZXDB..."), state_,
                [&](JobProgress& job) {
                    matched = proposeZxdbFillIns(state_.catalogue, *zxdb, games, job.reporter());
                }) &&
            !matched.cancelled)
            result = std::move(matched);
    }
    if (state_.sessionEnding || !result)
        return; // stopped: nothing to show
    if (result->proposals.empty() && result->ambiguous.empty()) {
        dialogs_.message(this, kFillInTitle,
                         result->matched == 0
                             ? QStringLiteral("None of these games was found in ZXDB.")
                             : QStringLiteral("Nothing to fill in: ZXDB proposes no change."),
                         UserDialogs::Icon::Information, UserDialogs::Buttons::Ok);
        return;
    }
    std::vector<FillInChoice> choices;
    for (const ZxdbAmbiguity& ambiguity : result->ambiguous) {
        FillInChoice choice{ambiguity.game, {}};
        for (const std::size_t entry : ambiguity.candidates)
            choice.candidates << describeZxdbEntry(zxdb->index.entries[entry]);
        choices.push_back(std::move(choice));
    }
    const std::vector<ZxdbAmbiguity> ambiguous = std::move(result->ambiguous);
    FillInDialog dialog(
        state_, std::move(result->proposals), this, kFillInTitle, std::move(choices),
        [this, zxdb, &ambiguous](std::int32_t game, int candidate) {
            const auto found =
                std::find_if(ambiguous.begin(), ambiguous.end(),
                             [game](const ZxdbAmbiguity& a) { return a.game == game; });
            if (found == ambiguous.end() || candidate < 0 ||
                static_cast<std::size_t>(candidate) >= found->candidates.size())
                return std::vector<FillInProposal>{};
            return proposeFromZxdb(
                state_.catalogue[static_cast<std::size_t>(game)], game,
                zxdb->index.entries[found->candidates[static_cast<std::size_t>(candidate)]],
                ZxdbTicking::FillIn);
        });
    if (dialog.exec() == QDialog::Accepted)
        gamesFilledIn(dialog.changedGames());
}

} // namespace tolm::ui
