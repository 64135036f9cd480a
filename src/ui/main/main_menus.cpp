#include "ui/main/main_menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "ui/widgets/qt_text.h"

namespace tolm::ui {
namespace {

QMenu* addMenu(QMenuBar& bar, const char* title, const char* name) {
    QMenu* menu = bar.addMenu(QString::fromLatin1(title));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* addItem(QMenu& menu, const char* caption, const char* name) {
    QAction* item = menu.addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

void addSeparator(QMenu& menu, const char* name) {
    menu.addSeparator()->setObjectName(QString::fromLatin1(name));
}

} // namespace

QString plainCaption(const QString& text) {
    QString caption = text;
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return caption;
}

MainMenus buildMainMenus(QMenuBar& bar, QWidget& owner) {
    MainMenus m;
    m.fileMenu = addMenu(bar, "File", "blank");
    m.importAction = addItem(*m.fileMenu, "Import from SGD", "file0");
    m.saveAction = addItem(*m.fileMenu, "Save", "file1");
    m.saveAction->setEnabled(false); // until the catalogue has entries
    addSeparator(*m.fileMenu, "file2");
    m.pathsAction = addItem(*m.fileMenu, "Paths", "file3");
    m.zxdbDatabaseAction = addItem(*m.fileMenu, "ZXDB Database...", "zxdbDatabaseAction");
    addSeparator(*m.fileMenu, "file4");
    m.exitAction = addItem(*m.fileMenu, "Exit", "file5");

    m.screenshotsMenu = addMenu(bar, "Screen Shots", "temp");
    m.viewScreenshotsAction = addItem(*m.screenshotsMenu, "View", "mnuss0");
    m.viewScreenshotsAction->setCheckable(true);
    addSeparator(*m.screenshotsMenu, "mnuss1");
    m.screenshotOptionsAction = addItem(*m.screenshotsMenu, "Options", "mnuss2");

    m.gamesMenu = addMenu(bar, "Games", "blank001");
    m.addSingleAction = addItem(*m.gamesMenu, "Add Single...", "addgames0");
    m.addMultipleAction = addItem(*m.gamesMenu, "Add Multiple...", "addgames1");
    addSeparator(*m.gamesMenu, "addgames2");
    m.removeSelectedAction = addItem(*m.gamesMenu, "Remove Selected", "addgames3");
    addSeparator(*m.gamesMenu, "addgames4");
    m.propertiesAction = addItem(*m.gamesMenu, "Properties...", "addgames5");
    m.fillInAction = addItem(*m.gamesMenu, "Fill In from Files...", "fillInAction");
    m.lookUpZxdbAction = addItem(*m.gamesMenu, "Look Up in ZXDB...", "lookUpZxdbAction");
    m.fillInZxdbAction = addItem(*m.gamesMenu, "Fill In from ZXDB...", "fillInZxdbAction");
    m.randomGameAction = addItem(*m.gamesMenu, "Pick a Random Game", "randomGameAction");
    m.randomGameAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m.findDuplicatesAction = addItem(*m.gamesMenu, "Find Duplicates...", "findDuplicatesAction");
    m.checkFilesAction = addItem(*m.gamesMenu, "Check Files...", "checkFilesAction");

    m.emulatorsMenu = addMenu(bar, "Emulators", "blank111");
    m.emulatorsAction = addItem(*m.emulatorsMenu, "Speccy Emulators", "mnuemus0");
    m.musicPlayersAction = addItem(*m.emulatorsMenu, "Music Players", "mnuemus1");

    m.aboutAction = bar.addAction(QStringLiteral("About"));
    m.aboutAction->setObjectName(QStringLiteral("mnuabout"));

    m.popupMenu = new QMenu(QStringLiteral("Add Game Click"), &owner);
    m.popupMenu->setObjectName(QStringLiteral("clickmenu"));
    m.popupAddSingleAction = addItem(*m.popupMenu, "Add Single...", "add0");
    m.popupAddMultipleAction = addItem(*m.popupMenu, "Add Multiple...", "add1");
    addSeparator(*m.popupMenu, "add2");
    m.popupRemoveSelectedAction = addItem(*m.popupMenu, "Remove Selected", "add3");
    addSeparator(*m.popupMenu, "add4");
    m.runWithMenu = new QMenu(QStringLiteral("Run With"), m.popupMenu);
    m.runWithMenu->setObjectName(QStringLiteral("mnuRunWith"));
    m.popupMenu->addMenu(m.runWithMenu)->setObjectName(QStringLiteral("add5"));
    addSeparator(*m.popupMenu, "add6");
    m.popupPropertiesAction = addItem(*m.popupMenu, "Properties...", "add7");
    m.popupLookUpZxdbAction = addItem(*m.popupMenu, "Look Up in ZXDB...", "popupLookUpZxdbAction");
    addSeparator(*m.popupMenu, "favouriteSeparator");
    m.favouriteAction = addItem(*m.popupMenu, "Favourite", "favouriteAction");
    m.favouriteAction->setCheckable(true);
    // Owned by the window too (see the caller), so the key works without the menu.
    m.favouriteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));

    for (std::size_t i = 0; i < m.runWithActions.size(); ++i) {
        m.runWithActions[i] = m.runWithMenu->addAction(QStringLiteral("<none>"));
        m.runWithActions[i]->setObjectName(QStringLiteral("emuname") + QString::number(i));
    }
    m.moreEmulators = m.runWithMenu->addAction(QStringLiteral("More in Emulators..."));
    m.moreEmulators->setObjectName(QStringLiteral("moreEmulators"));
    refreshRunWithMenu(m.runWithActions, {});
    refreshMoreEmulatorsItem(*m.moreEmulators, {});
    return m;
}

void refreshRunWithMenu(const std::array<QAction*, MainMenus::kRunWithItems>& runWithActions,
                        const std::vector<ProgramEntry>& emulators) {
    runWithActions[0]->setEnabled(false);
    runWithActions[0]->setText(QStringLiteral("<none>"));
    runWithActions[0]->setVisible(true);
    for (std::size_t i = 1; i < runWithActions.size(); ++i) {
        runWithActions[i]->setEnabled(false);
        runWithActions[i]->setVisible(false);
    }
    if (!hasFirstProgram(emulators))
        return;
    for (std::size_t i = 0; i < emulators.size() && i < runWithActions.size(); ++i) {
        runWithActions[i]->setEnabled(true);
        runWithActions[i]->setText(plainCaption(toQt(emulators[i].name)));
        runWithActions[i]->setVisible(true);
    }
}

void refreshMoreEmulatorsItem(QAction& moreEmulators, const std::vector<ProgramEntry>& emulators) {
    moreEmulators.setVisible(hasFirstProgram(emulators) &&
                             emulators.size() > MainMenus::kRunWithItems);
}

} // namespace tolm::ui
