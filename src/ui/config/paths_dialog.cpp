#include "ui/config/paths_dialog.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include "settings/search_path_list.h"
#include "ui/config/directory_probe.h"
#include "ui/config/drive_icons.h"
#include "ui/widgets/program_launcher.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {
namespace {

struct TabInfo {
    const char* caption;
    const char* keyPrefix;
    std::vector<std::string> SettingsState::*list;
};

const std::array<TabInfo, PathsDialog::kTabs> kTabInfo{{
    {"Rom Paths", "rom", &SettingsState::romPaths},
    {" Screenshot Paths", "ss", &SettingsState::screenshotPaths},
    {"Music Paths", "ay", &SettingsState::musicPaths},
}};

// The eleven icons, made once.
const QIcon& iconFor(std::string_view key) {
    static const std::vector<QIcon> icons = [] {
        std::vector<QIcon> made;
        for (std::string_view k : kDriveIconKeys)
            made.push_back(driveIcon(k));
        return made;
    }();
    for (std::size_t i = 0; i < std::size(kDriveIconKeys); ++i)
        if (kDriveIconKeys[i] == key)
            return icons[i];
    return icons[0];
}

} // namespace

PathsDialog::PathsDialog(SettingsState& settings, UserDialogs& dialogs, ProgramLauncher& launcher,
                         QWidget* parent, std::shared_ptr<const DirectoryProbe> probe)
    : QDialog(parent), settings_(settings), dialogs_(dialogs), launcher_(launcher) {
    setObjectName(QStringLiteral("frmPaths"));
    setWindowTitle(QStringLiteral("Paths"));
    probes_ = new BackgroundProbes(probe ? std::move(probe) : systemDirectoryProbe(), this);
    connect(probes_, &BackgroundProbes::answered, this, &PathsDialog::iconAnswered);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QLatin1String(kTabPanel));
    for (int tab = 0; tab < kTabs; ++tab) {
        auto* list = new QTreeWidget(tabs_);
        list->setObjectName(QLatin1String(kLists[static_cast<std::size_t>(tab)]));
        list->setHeaderLabels({QStringLiteral("Path")});
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setIconSize(QSize(kDriveIconSize, kDriveIconSize));
        lists_[tab] = list;
        tabs_->addTab(list, QLatin1String(kTabInfo[tab].caption));
    }

    const auto makeButton = [this](const char* name, const char* text) {
        auto* button = new QPushButton(QLatin1String(text), this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        return button;
    };
    addButton_ = makeButton(kAddButton, "Add");
    removeButton_ = makeButton(kRemoveButton, "Remove");
    gotoButton_ = makeButton(kGotoButton, "Goto Path");
    okButton_ = makeButton(kOkButton, "OK");

    auto* layout = new QGridLayout(this);
    layout->addWidget(tabs_, 0, 0, 1, 5);
    layout->addWidget(addButton_, 1, 0);
    layout->addWidget(removeButton_, 1, 1);
    layout->addWidget(gotoButton_, 1, 2);
    layout->setColumnStretch(3, 1);
    layout->addWidget(okButton_, 1, 4);
    resize(520, 320);

    connect(tabs_, &QTabWidget::currentChanged, this, &PathsDialog::updateButtons);
    connect(addButton_, &QPushButton::clicked, this, &PathsDialog::add);
    connect(removeButton_, &QPushButton::clicked, this, &PathsDialog::remove);
    connect(gotoButton_, &QPushButton::clicked, this, &PathsDialog::gotoPath);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    for (int tab = 0; tab < kTabs; ++tab)
        fillPathList(tab);
    tabs_->setCurrentIndex(0);
}

std::vector<std::string>& PathsDialog::listOf(int tab) const {
    return settings_.*kTabInfo[static_cast<std::size_t>(tab)].list;
}

int PathsDialog::currentTab() const {
    return std::max(0, tabs_->currentIndex());
}

void PathsDialog::fillPathList(int tab) {
    if (tab < 0 || tab >= kTabs)
        return;
    QTreeWidget* view = lists_[tab];
    const quint64 fill = ++fills_[tab]; // answers for earlier fills are dropped
    view->clear();
    const std::vector<std::string>& list = listOf(tab);
    if (hasFirstEntry(list)) {
        QList<QTreeWidgetItem*> items;
        items.reserve(static_cast<qsizetype>(list.size()));
        for (std::size_t i = 0; i < list.size(); ++i) {
            auto* item = new QTreeWidgetItem(QStringList{toQt(list[i])});
            item->setData(0, kKeyRole, toQt(searchPathKey(kTabInfo[tab].keyPrefix, i)));
            item->setData(0, kIconKeyRole, QStringLiteral("unknown")); // until the answer comes
            item->setIcon(0, iconFor("unknown"));
            items.push_back(item);
        }
        view->addTopLevelItems(items);
        view->setCurrentItem(view->topLevelItem(0));
        for (std::size_t i = 0; i < list.size(); ++i)
            probes_->probe(tab, fill, static_cast<int>(i), list[i]);
    }
    updateButtons();
}

void PathsDialog::iconAnswered(int tab, quint64 fill, int index, bool holdsFiles, int driveKind) {
    if (tab < 0 || tab >= kTabs || fill != fills_[tab])
        return; // the list has been refilled since: the index may name another entry
    QTreeWidgetItem* item = lists_[tab]->topLevelItem(index);
    if (item == nullptr)
        return;
    const std::string_view key =
        driveIconKey(static_cast<platform::DriveKind>(driveKind), holdsFiles);
    item->setData(0, kIconKeyRole, toQt(key));
    item->setIcon(0, iconFor(key));
}

void PathsDialog::updateButtons() {
    const bool filled = lists_[currentTab()]->topLevelItemCount() > 0;
    removeButton_->setEnabled(filled);
    gotoButton_->setEnabled(filled);
}

void PathsDialog::add() {
    const int tab = currentTab();
    const QString picked = dialogs_.pickFolder(this, UserDialogs::FolderKind::SearchPath);
    if (picked.isEmpty())
        return;
    const std::string directory = withTrailingSeparator(toStd(picked));
    if (!storableInSettings(directory)) {
        dialogs_.message(this, QStringLiteral("Paths"),
                         picked + QStringLiteral("\r\ncannot be stored: its name has characters "
                                                 "the settings file cannot hold"),
                         UserDialogs::Icon::Critical, UserDialogs::Buttons::Ok);
        return;
    }
    std::vector<std::string> copy = listOf(tab);
    addSearchPath(copy, directory);
    listOf(tab) = std::move(copy);
    fillPathList(tab);
}

void PathsDialog::remove() {
    const int tab = currentTab();
    QTreeWidget* view = lists_[tab];
    if (view->topLevelItemCount() == 0)
        return;
    const QTreeWidgetItem* item = view->currentItem();
    std::vector<std::string> copy = listOf(tab);
    // A key that names no entry does nothing. (Read without an optional: GCC 12
    // at -O3 reports its value as maybe uninitialised.)
    const std::size_t k =
        item == nullptr
            ? copy.size()
            : searchPathKeyIndex(toStd(item->data(0, kKeyRole).toString()), kTabInfo[tab].keyPrefix)
                  .value_or(copy.size());
    if (k >= copy.size())
        return;
    const UserDialogs::Answer answer =
        dialogs_.message(this, QStringLiteral("Remove path"), QStringLiteral("Are you sure?"),
                         UserDialogs::Icon::None, UserDialogs::Buttons::YesNo);
    if (answer == UserDialogs::Answer::Yes)
        removeSearchPath(copy, k);
    listOf(tab) = std::move(copy);
    fillPathList(tab);
}

void PathsDialog::gotoPath() {
    const QTreeWidgetItem* item = lists_[currentTab()]->currentItem();
    if (item == nullptr || item->text(0).isEmpty())
        return;
    launcher_.openDirectory(item->text(0));
}

} // namespace tolm::ui
