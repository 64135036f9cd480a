// The main window's desktop habits: shortcuts, dropped files, and the
// archive info read after an add.
#include <QAction>
#include <QApplication>
#include <QTimer>
#include <algorithm>

#include "state/archive_fill.h"
#include "state/dropped_files.h"
#include "ui/main/details_panel.h"
#include "ui/main/game_list_model.h"
#include "ui/main/job_scope.h"
#include "ui/main/main_window.h"
#include "ui/main/tape_info_fill.h"
#include "ui/widgets/background_job.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {

void MainWindow::addShortcuts() {
    menus_.saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    menus_.exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    menus_.removeSelectedAction->setShortcut(QKeySequence(Qt::Key_Delete));
    menus_.propertiesAction->setShortcuts(
        {QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)});
}

void MainWindow::addDroppedFiles(const QStringList& paths) {
    std::vector<std::string> files;
    for (const QString& path : paths)
        files.push_back(toStd(path));
    if (jobRunning() || state_.sessionEnding) {
        // Another command's work would apply over this one's.
        dialogs_.message(this, QStringLiteral("Unable to add"),
                         QStringLiteral("Tolm is busy; drop the files again when it is done."),
                         UserDialogs::Icon::Information, UserDialogs::Buttons::Ok);
        return;
    }
    JobScope busy(*this);
    // The folders are read on a worker; the games go into the catalogue here.
    DroppedFilesPlan plan;
    runWithProgress(
        this, QStringLiteral("Adding games"), QStringLiteral("Reading the dropped files..."),
        [&plan, &files](JobProgress& job) {
            plan = planDroppedPaths(files, [&job] { return job.stopRequested(); });
        },
        [this] { return state_.sessionEnding; });
    const bool hadEntries = catalogueHasEntries(state_.catalogue);
    const std::size_t before = state_.catalogue.size();
    const DroppedFilesResult result = applyDroppedFiles(state_, plan);
    if (hadEntries)
        gamesAdded(before);
    else
        refreshGameList(); // the blank record may have been filled
    fillFromTapes(hadEntries ? before : 0);
    if (state_.sessionEnding)
        return; // nobody is there to read the boxes
    for (const UserMessage& refusal : result.refusals)
        dialogs_.show(this, refusal);
    if (!result.unstorableNames.empty()) {
        QString text;
        for (const std::string& name : result.unstorableNames)
            text += toQt(name) + QStringLiteral("\r\n");
        text += result.unstorableNames.size() == 1
                    ? QStringLiteral("This name cannot be stored in the catalogue: it has "
                                     "characters outside Windows-1252.")
                    : QStringLiteral("These names cannot be stored in the catalogue: they have "
                                     "characters outside Windows-1252.");
        dialogs_.message(this, QStringLiteral("Unable to add"), text, UserDialogs::Icon::Critical,
                         UserDialogs::Buttons::Ok);
    }
}

void MainWindow::fillFromTapes(std::size_t first) {
    if (state_.sessionEnding)
        return;
    std::vector<AddedGame> games = gamesAddedFrom(state_.catalogue, first);
    if (games.empty())
        return;
    if (tapeInfoFill_ == nullptr) {
        tapeInfoFill_ = new TapeInfoFill(this);
        connect(tapeInfoFill_, &TapeInfoFill::resultsReady, this, &MainWindow::applyTapeInfo);
        connect(this, &MainWindow::jobsFinished, this, &MainWindow::applyTapeInfo,
                Qt::QueuedConnection);
    }
    tapeInfoFill_->read(std::move(games), state_.settings.romPaths);
}

void MainWindow::applyTapeInfo() {
    // Another command's worker may be reading the catalogue; its end brings
    // this back.
    if (tapeInfoFill_ == nullptr || jobRunning() || state_.sessionEnding)
        return;
    // A dialog open over the window (Properties) would store the values it
    // showed over what is filled in now: wait until it is closed.
    if (QApplication::activeModalWidget() != nullptr) {
        constexpr int kRetryMs = 500;
        QTimer::singleShot(kRetryMs, this, &MainWindow::applyTapeInfo);
        return;
    }
    std::vector<std::int32_t> changed;
    for (const TapeInfoFill::Result& result : tapeInfoFill_->takeResults()) {
        const std::vector<std::int32_t> filled =
            applyArchiveInfos(state_.catalogue, result.games, result.infos);
        changed.insert(changed.end(), filled.begin(), filled.end());
    }
    if (changed.empty())
        return;
    // Many rows are placed faster by one rebuild than one at a time.
    constexpr std::size_t kRowsPlacedOneByOne = 200;
    if (changed.size() > kRowsPlacedOneByOne) {
        refreshGameList();
    } else {
        for (const std::int32_t position : changed)
            gameListModel_->gameEdited(position);
    }
    if (std::find(changed.begin(), changed.end(), state_.selectedGame) != changed.end())
        if (const GameRecord* game = state_.selectedRecord())
            detailsPanel_->showDetails(describeGame(*game, state_.settings));
}

} // namespace tolm::ui
