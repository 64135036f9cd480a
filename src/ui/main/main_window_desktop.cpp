// The main window's desktop habits: shortcuts and dropped files.
#include <QAction>

#include "state/dropped_files.h"
#include "ui/main/game_list_model.h"
#include "ui/main/job_scope.h"
#include "ui/main/main_window.h"
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

} // namespace tolm::ui
