#pragma once

#include <QDialog>
#include <cstddef>
#include <optional>
#include <string>

#include "settings/settings.h"

class QListWidget;
class QPushButton;

namespace tolm::ui {

class UserDialogs;

// Which of the two program lists a dialog edits.
enum class ProgramListKind { Emulators, MusicPlayers };

// frmEmulators and frmMusicPlayers: the registered emulators or music
// players, with adding, removing and choosing the default. Every change goes
// into the settings at once; there is nothing to cancel. Each row carries the
// index of the entry it shows (rows skip half-filled entries).
class ProgramListDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kEntryRole = Qt::UserRole;
    static constexpr const char* kList = "lstEmus";
    static constexpr const char* kAddButton = "cmdAdd";
    static constexpr const char* kRemoveButton = "cmdRemove";
    // The two dialogs name Set Default and Close differently.
    static constexpr const char* kEmulatorsSetDefaultButton = "cmdDefult";
    static constexpr const char* kEmulatorsCloseButton = "Command1";
    static constexpr const char* kPlayersSetDefaultButton = "Command1";
    static constexpr const char* kPlayersCloseButton = "cmdClose";

    ProgramListDialog(ProgramListKind kind, SettingsState& settings, UserDialogs& dialogs,
                      QWidget* parent = nullptr);

    // Refills the list from the settings, marking and selecting the default.
    void fillList();
    // Registers the program at `path`, asking for its name.
    void addEntry(const std::string& path);
    // Asks, then removes entry `entry`.
    void removeEntry(std::size_t entry);

private:
    struct Differences;
    static const Differences& differencesFor(ProgramListKind kind);

    std::vector<ProgramEntry>& list() const;
    std::int32_t& defaultIndex() const;
    // The entry of the selected row, if a row is selected.
    std::optional<std::size_t> selectedEntry() const;
    void rowSelected();
    void add();
    void remove();
    void setDefault();

    const Differences& differ_;
    SettingsState& settings_;
    UserDialogs& dialogs_;
    QListWidget* programList_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* setDefaultButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

} // namespace tolm::ui
