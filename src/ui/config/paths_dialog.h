#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "settings/settings.h"

class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace tolm::ui {

class BackgroundProbes;
class DirectoryProbe;
class ProgramLauncher;
class UserDialogs;

// frmPaths: the three search-path lists (game files, screenshots, music), one
// tab each, every directory with an icon for its drive. Changes go into the
// settings at once. The icons are worked out on threads of the dialog's own,
// so a dead network mount never holds the dialog up.
class PathsDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTabs = 3;
    static constexpr int kKeyRole = Qt::UserRole;         // an item's key ("rom0")
    static constexpr int kIconKeyRole = Qt::UserRole + 1; // its icon's key ("fixedx")
    static constexpr const char* kTabPanel = "SSTab1";
    static constexpr std::array<const char*, kTabs> kLists{"lstRoms", "lstSS", "lstMusic"};
    static constexpr const char* kAddButton = "Command1";
    static constexpr const char* kRemoveButton = "Command3";
    static constexpr const char* kGotoButton = "Command4";
    static constexpr const char* kOkButton = "cmdOK";

    // The folder picker and the boxes come from `dialogs`, the file browser
    // from `launcher`; `probe` answers the questions about directories (the
    // system's unless given).
    PathsDialog(SettingsState& settings, UserDialogs& dialogs, ProgramLauncher& launcher,
                QWidget* parent = nullptr, std::shared_ptr<const DirectoryProbe> probe = {});

    // Refills tab `tab`'s list from the settings, then the buttons.
    void fillPathList(int tab);

private:
    std::vector<std::string>& listOf(int tab) const;
    int currentTab() const;
    void updateButtons();
    void add();
    void remove();
    void gotoPath();
    void iconAnswered(int tab, quint64 fill, int index, bool holdsFiles, int driveKind);

    SettingsState& settings_;
    UserDialogs& dialogs_;
    ProgramLauncher& launcher_;
    BackgroundProbes* probes_ = nullptr;
    std::array<quint64, kTabs> fills_{}; // which fill of each tab an answer belongs to
    QTabWidget* tabs_ = nullptr;
    std::array<QTreeWidget*, kTabs> lists_{};
    QPushButton* addButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* gotoButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace tolm::ui
