#pragma once

// One run of the main window: a scratch program directory, the state, dialogs
// that answer from a script and a launcher that records instead of starting.

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <memory>

#include "settings/extra_settings.h"
#include "support/scripted_dialogs.h"
#include "support/window_fixtures.h"
#include "ui/main/game_list_model.h"
#include "ui/main/main_window.h"

namespace tolm::test {

struct MainWindowRun {
    Scratch dir;
    AppState state;
    ScriptedDialogs dialogs;
    RecordingLauncher launcher;
    std::unique_ptr<ui::MainWindow> window;

    // Writes `games` (if any) and `ini` ("%D" for the directory), then shows the window.
    void start(const GameCatalogue& games = {}, const QString& ini = {}) {
        if (!games.empty())
            dir.writeDatabase(games);
        if (!ini.isEmpty())
            dir.write(QStringLiteral("tolm.ini"), dir.expand(ini).toUtf8());
        state.programDirectory = dir.str();
        state.extra = loadExtraSettings(state.extraSettingsPath());
        window = std::make_unique<ui::MainWindow>(state, dialogs, launcher, 0);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    QTreeView* list() const { return window->findChild<QTreeView*>(QStringLiteral("lstGames")); }
    QAction* action(const char* n) const { return window->findChild<QAction*>(QLatin1String(n)); }
    QString label(const char* name) const {
        return window->findChild<QLabel*>(QLatin1String(name))->text();
    }
    // The first column top to bottom, in `role` (Qt::UserRole: the item keys).
    QString rows(int role = Qt::DisplayRole) const {
        QStringList out;
        for (int row = 0; row < list()->model()->rowCount(); ++row)
            out << list()->model()->index(row, 0).data(role).toString();
        return out.join(QLatin1Char(' '));
    }
    QModelIndex item(int position) const {
        return list()->model()->index(window->gameListModel().rowOf(position), 0);
    }
    void click(int position, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseClick(list()->viewport(), button, {},
                          list()->visualRect(item(position)).center());
    }
    void clickHeader(int column) const {
        QHeaderView* header = list()->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, 5));
    }
    // Every message box so far, as "title|text".
    QStringList boxes() const { return dialogs.boxes(); }
    // The catalogue's game names in order, blank between.
    QString names() const {
        QStringList out;
        for (const auto& game : state.catalogue)
            out << ui::toQt(game.name);
        return out.join(QLatin1Char(' '));
    }
    QByteArray savedCatalogue() const {
        return QByteArray::fromStdString(databaseBytes(state.catalogue));
    }
};

} // namespace tolm::test
