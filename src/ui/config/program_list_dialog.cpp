#include "ui/config/program_list_dialog.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

#include "platform/programs.h"
#include "settings/program_list.h"
#include "settings/search_path_list.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::ui {

// Everything in which the music players' dialog differs from the emulators'.
struct ProgramListDialog::Differences {
    const char* caption;
    const char* setDefaultName; // the buttons' objectNames
    const char* closeName;
    bool buttonsFollowSelection; // Remove and Set Default enabled by a row click
    const char* fileTitle;
    const char* namePrompt;
    const char* nameTitle;
    bool emptyNameTakesFileName; // otherwise an empty name adds nothing
    const char* removeTitle;
    std::vector<ProgramEntry> SettingsState::*list;
    std::int32_t SettingsState::*defaultIndex;
};

const ProgramListDialog::Differences& ProgramListDialog::differencesFor(ProgramListKind kind) {
    static const Differences emulators{"Emulators",
                                       kEmulatorsSetDefaultButton,
                                       kEmulatorsCloseButton,
                                       true,
                                       "Select an Emulator",
                                       "Please enter the name for this Emulator",
                                       "Name that Emulator",
                                       true,
                                       "Remove emulator",
                                       &SettingsState::emulators,
                                       &SettingsState::defaultEmulator};
    static const Differences musicPlayers{"Music Players",
                                          kPlayersSetDefaultButton,
                                          kPlayersCloseButton,
                                          false,
                                          "Select an Music Player",
                                          "Please enter the name for this Music player",
                                          "Name that Music player",
                                          false,
                                          "Remove Music player",
                                          &SettingsState::musicPlayers,
                                          &SettingsState::defaultMusicPlayer};
    return kind == ProgramListKind::Emulators ? emulators : musicPlayers;
}

ProgramListDialog::ProgramListDialog(ProgramListKind kind, SettingsState& settings,
                                     UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), differ_(differencesFor(kind)), settings_(settings), dialogs_(dialogs) {
    setObjectName(
        QLatin1String(kind == ProgramListKind::Emulators ? "frmEmulators" : "frmMusicPlayers"));
    setWindowTitle(QLatin1String(differ_.caption));

    programList_ = new QListWidget(this);
    programList_->setObjectName(QLatin1String(kList));
    programList_->setSelectionMode(QAbstractItemView::SingleSelection);
    programList_->setMinimumSize(260, 160);

    const auto makeButton = [this](const char* name, const char* text) {
        auto* button = new QPushButton(QLatin1String(text), this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        return button;
    };
    addButton_ = makeButton(kAddButton, "Add");
    removeButton_ = makeButton(kRemoveButton, "Remove");
    setDefaultButton_ = makeButton(differ_.setDefaultName, "Set Default");
    closeButton_ = makeButton(differ_.closeName, "Close");
    removeButton_->setEnabled(!differ_.buttonsFollowSelection);
    setDefaultButton_->setEnabled(!differ_.buttonsFollowSelection);

    auto* layout = new QGridLayout(this);
    layout->addWidget(programList_, 0, 0, 5, 1);
    layout->addWidget(addButton_, 0, 1);
    layout->addWidget(removeButton_, 1, 1);
    layout->addWidget(setDefaultButton_, 2, 1);
    layout->setRowStretch(3, 1);
    layout->addWidget(closeButton_, 4, 1);

    connect(programList_, &QListWidget::itemSelectionChanged, this,
            &ProgramListDialog::rowSelected);
    connect(addButton_, &QPushButton::clicked, this, &ProgramListDialog::add);
    connect(removeButton_, &QPushButton::clicked, this, &ProgramListDialog::remove);
    connect(setDefaultButton_, &QPushButton::clicked, this, &ProgramListDialog::setDefault);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    fillList();
}

std::vector<ProgramEntry>& ProgramListDialog::list() const {
    return settings_.*differ_.list;
}

std::int32_t& ProgramListDialog::defaultIndex() const {
    return settings_.*differ_.defaultIndex;
}

void ProgramListDialog::fillList() {
    const ProgramRows rows = programRows(list(), defaultIndex());
    const QSignalBlocker quiet(programList_);
    programList_->clear();
    programList_->setUpdatesEnabled(false);
    for (const ProgramRow& row : rows.rows) {
        // Filled before it joins the list, so the list hears of it once.
        auto* item = new QListWidgetItem(toQt(row.text));
        item->setData(kEntryRole, QVariant::fromValue(static_cast<qulonglong>(row.entry)));
        programList_->addItem(item);
    }
    programList_->setUpdatesEnabled(true);
    if (rows.defaultRow) {
        programList_->setCurrentRow(static_cast<int>(*rows.defaultRow));
        rowSelected(); // selecting the default's row counts as a click on it
    }
}

std::optional<std::size_t> ProgramListDialog::selectedEntry() const {
    const QList<QListWidgetItem*> selected = programList_->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return static_cast<std::size_t>(selected.constFirst()->data(kEntryRole).toULongLong());
}

void ProgramListDialog::rowSelected() {
    const std::optional<std::size_t> entry = selectedEntry();
    if (!differ_.buttonsFollowSelection || !entry)
        return;
    removeButton_->setEnabled(true);
    setDefaultButton_->setEnabled(defaultIndex() < 0 ||
                                  static_cast<std::size_t>(defaultIndex()) != *entry);
}

void ProgramListDialog::add() {
    const QString path = dialogs_.openProgramFileName(this, QLatin1String(differ_.fileTitle));
    if (path.size() < 6) // cancelled (or a name too short to be a program path)
        return;
    const auto refuse = [&](const QString& why) {
        dialogs_.message(this, QLatin1String(differ_.fileTitle),
                         path + QStringLiteral("\r\n") + why, UserDialogs::Icon::Critical,
                         UserDialogs::Buttons::Ok);
    };
    const std::string stored = toStd(path);
    if (!platform::isRunnableProgram(stored)) {
        refuse(QStringLiteral("is not a program that can be started"));
        return;
    }
    if (!storableInSettings(stored)) {
        refuse(QStringLiteral("cannot be stored: its name has characters the settings file "
                              "cannot hold"));
        return;
    }
    addEntry(stored);
}

void ProgramListDialog::addEntry(const std::string& path) {
    const std::string proposed = proposedProgramName(path);
    const std::optional<QString> answer = dialogs_.inputText(
        this, QLatin1String(differ_.namePrompt), QLatin1String(differ_.nameTitle), toQt(proposed));
    std::string name = answer ? toStd(*answer) : std::string();
    if (name.empty()) {
        if (!differ_.emptyNameTakesFileName)
            return;
        name = proposed;
    }
    if (!storableInSettings(name)) {
        dialogs_.message(this, QLatin1String(differ_.nameTitle),
                         QStringLiteral("The name cannot be stored: it has characters the "
                                        "settings file cannot hold"),
                         UserDialogs::Icon::Critical, UserDialogs::Buttons::Ok);
        return;
    }
    addProgram(list(), ProgramEntry{name, path});
    fillList();
}

void ProgramListDialog::remove() {
    if (const std::optional<std::size_t> entry = selectedEntry())
        removeEntry(*entry);
}

void ProgramListDialog::removeEntry(std::size_t entry) {
    if (entry >= list().size())
        return;
    const UserDialogs::Answer answer =
        dialogs_.message(this, QLatin1String(differ_.removeTitle), QStringLiteral("Are you sure?"),
                         UserDialogs::Icon::None, UserDialogs::Buttons::YesNo);
    if (answer == UserDialogs::Answer::Yes)
        removeProgram(list(), defaultIndex(), entry);
    fillList();
}

void ProgramListDialog::setDefault() {
    const std::optional<std::size_t> entry = selectedEntry();
    // No selection clears the default (the fill finds no row for -1).
    defaultIndex() = entry ? static_cast<std::int32_t>(*entry) : -1;
    fillList();
}

} // namespace tolm::ui
