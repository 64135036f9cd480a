#include "ui/main/main_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/common/qt_text.h"

namespace tolm::ui {
namespace {

QString itemName(const char* array, std::size_t index) {
    return QString::fromLatin1(array) + QString::number(index);
}

// Fills `items` from `captions`, where "-" stands for a separator.
template <std::size_t N>
void addItems(QMenu& menu, std::array<QAction*, N>& items, const char* array,
              const std::array<const char*, N>& captions) {
    for (std::size_t i = 0; i < N; ++i) {
        const QString caption = QString::fromLatin1(captions[i]);
        items[i] = caption == QLatin1String("-") ? menu.addSeparator() : menu.addAction(caption);
        items[i]->setObjectName(itemName(array, i));
    }
}

QMenu* addTitle(QMenuBar& bar, const QString& title, const char* name) {
    QMenu* menu = bar.addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

QString plainCaption(const QString& text) {
    QString caption = text;
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return caption;
}

MainMenus buildMainMenus(QMenuBar& bar, QWidget& owner) {
    MainMenus m;
    m.blank = addTitle(bar, QStringLiteral("File"), "blank");
    addItems<6>(*m.blank, m.file, "file", {"Import from SGD", "Save", "-", "Paths", "-", "Exit"});
    m.file[1]->setEnabled(false); // until the catalogue has entries

    m.temp = addTitle(bar, QStringLiteral("Screen Shots"), "temp");
    addItems<3>(*m.temp, m.mnuss, "mnuss", {"View", "-", "Options"});
    m.mnuss[0]->setCheckable(true);

    m.blank001 = addTitle(bar, QStringLiteral("Games"), "blank001");
    addItems<6>(*m.blank001, m.addgames, "addgames",
                {"Add Single...", "Add Multiple...", "-", "Remove Selected", "-", "Properties..."});

    m.blank111 = addTitle(bar, QStringLiteral("Emulators"), "blank111");
    addItems<2>(*m.blank111, m.mnuemus, "mnuemus", {"Speccy Emulators", "Music Players"});

    m.mnuabout = bar.addAction(QStringLiteral("About"));
    m.mnuabout->setObjectName(QStringLiteral("mnuabout"));

    m.clickmenu = new QMenu(QStringLiteral("Add Game Click"), &owner);
    m.clickmenu->setObjectName(QStringLiteral("clickmenu"));
    m.runWith = new QMenu(QStringLiteral("Run With"), m.clickmenu);
    m.runWith->setObjectName(QStringLiteral("mnuRunWith"));
    for (std::size_t i = 0; i < 8; ++i) {
        if (i == 5)
            m.add[i] = m.clickmenu->addMenu(m.runWith);
        else if (i == 2 || i == 4 || i == 6)
            m.add[i] = m.clickmenu->addSeparator();
        else
            m.add[i] = m.clickmenu->addAction(QString());
        m.add[i]->setObjectName(itemName("add", i));
    }
    m.add[0]->setText(QStringLiteral("Add Single..."));
    m.add[1]->setText(QStringLiteral("Add Multiple..."));
    m.add[3]->setText(QStringLiteral("Remove Selected"));
    m.add[7]->setText(QStringLiteral("Properties..."));

    for (std::size_t i = 0; i < m.emuname.size(); ++i) {
        m.emuname[i] = m.runWith->addAction(QStringLiteral("<none>"));
        m.emuname[i]->setObjectName(itemName("emuname", i));
    }
    m.moreEmulators = m.runWith->addAction(QStringLiteral("More in Emulators..."));
    m.moreEmulators->setObjectName(QStringLiteral("moreEmulators"));
    refreshRunWithMenu(m.emuname, {});
    refreshMoreEmulatorsItem(*m.moreEmulators, {});
    return m;
}

void refreshRunWithMenu(const std::array<QAction*, MainMenus::kRunWithItems>& emuname,
                        const std::vector<ProgramEntry>& emulators) {
    emuname[0]->setEnabled(false);
    emuname[0]->setText(QStringLiteral("<none>"));
    emuname[0]->setVisible(true);
    for (std::size_t i = 1; i < emuname.size(); ++i) {
        emuname[i]->setEnabled(false);
        emuname[i]->setVisible(false);
    }
    if (!hasFirstProgram(emulators))
        return;
    for (std::size_t i = 0; i < emulators.size() && i < emuname.size(); ++i) {
        emuname[i]->setEnabled(true);
        emuname[i]->setText(plainCaption(toQt(emulators[i].name)));
        emuname[i]->setVisible(true);
    }
}

void refreshMoreEmulatorsItem(QAction& moreEmulators, const std::vector<ProgramEntry>& emulators) {
    moreEmulators.setVisible(hasFirstProgram(emulators) &&
                             emulators.size() > MainMenus::kRunWithItems);
}

} // namespace tolm::ui
