// The main window's desktop habits: shortcuts and dropped files.
#include <QAction>

#include "state/dropped_files.h"
#include "ui/main/game_list_model.h"
#include "ui/main/main_window.h"
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
    const DroppedFilesResult result = addDroppedPaths(state_, files);
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
    refreshGameList();
}

} // namespace tolm::ui
