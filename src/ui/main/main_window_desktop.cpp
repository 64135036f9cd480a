// The main window's desktop habits: shortcuts, dropped files, and the list's
// layout kept between runs.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

#include "catalogue/catalogue_ops.h"
#include "settings/extra_settings.h"
#include "state/dropped_files.h"
#include "ui/main/game_list_model.h"
#include "ui/main/job_scope.h"
#include "ui/main/main_window.h"
#include "ui/widgets/background_job.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {
namespace {

// The local files a drag carries; empty when it carries anything else.
QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        files.append(url.toLocalFile());
    }
    return files;
}

bool isEnter(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

} // namespace

void MainWindow::addShortcuts() {
    menus_.saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    menus_.exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    menus_.removeSelectedAction->setShortcut(QKeySequence(Qt::Key_Delete));
    menus_.propertiesAction->setShortcuts(
        {QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)});
}

bool MainWindow::handleListEvent(QObject* watched, QEvent* event) {
    if (gameList_ == nullptr)
        return false;
    if (watched == gameList_ && event->type() == QEvent::KeyPress &&
        isEnter(*static_cast<QKeyEvent*>(event))) {
        runSelectedGame(); // as a double click
        return true;
    }
    if (watched != gameList_->viewport())
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (localFiles(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = localFiles(drop->mimeData());
        if (files.isEmpty())
            return false;
        drop->acceptProposedAction();
        // Added once the drag is over: it has an event loop of its own on
        // some systems, and the adding runs one too.
        QTimer::singleShot(0, this, [this, files] { addDroppedFiles(files); });
        return true;
    }
    default:
        return false;
    }
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

void MainWindow::restoreListLayout() {
    const ExtraSettings& extra = state_.extra;
    QHeaderView* header = gameList_->header();
    for (std::size_t column = 0; column < extra.columnWidths.size(); ++column)
        header->resizeSection(static_cast<int>(column), extra.columnWidths[column]);
    if (extra.sortColumn >= 0) {
        gameListModel_->sort(extra.sortColumn,
                             extra.sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
        header->setSortIndicator(gameListModel_->sortColumn(), gameListModel_->sortOrder());
    }
}

void MainWindow::saveListLayout() {
    ExtraSettings& extra = state_.extra;
    const QHeaderView* header = gameList_->header();
    extra.columnWidths.clear();
    for (int column = 0; column < GameListModel::ColumnCount; ++column)
        extra.columnWidths.push_back(header->sectionSize(column));
    extra.sortColumn = gameListModel_->sortColumn();
    extra.sortDescending = gameListModel_->sortOrder() == Qt::DescendingOrder;
    // A preference, not data: a directory that refuses it refuses tolm.ini
    // too, and that failure is reported.
    (void)saveExtraSettings(extra, state_.extraSettingsPath());
}

} // namespace tolm::ui
