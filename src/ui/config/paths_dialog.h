#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
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

// What the paths dialog needs from outside: the boxes, the file browser, the
// questions about directories and the folder picker.
struct PathsDialogServices {
    UserDialogs& dialogs;
    ProgramLauncher& launcher;
    std::shared_ptr<const DirectoryProbe> probe;
    // Shows the folder picker over the given window; empty when cancelled.
    std::function<QString(QWidget*)> pickFolder;
};

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

    PathsDialog(SettingsState& settings, PathsDialogServices services, QWidget* parent = nullptr);

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
    PathsDialogServices services_;
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
