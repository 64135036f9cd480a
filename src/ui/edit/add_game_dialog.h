#pragma once

#include <QDialog>

#include "state/app_state.h"
#include "ui/edit/game_details_form.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace tolm::ui {

class UserDialogs;

// frmAddSingle: enters one new game. Find ROM picks its file, registers the
// file's directory at once and proposes the name (and, from a TOSEC name, the
// year and publisher); OK adds the game (the caller refreshes the list).
class AddGameDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kRomBox = "Text1";

    AddGameDialog(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

    // OK: adds the game and closes, or says what is wrong (a blank name, text
    // the catalogue cannot store) and stays open.
    void accept() override;

private:
    void buildWidgets();
    void findRom();

    AppState& state_;
    UserDialogs& dialogs_;

    QTabWidget* tabs_ = nullptr;
    GameDetailsForm details_;
    QPlainTextEdit* notesEdit_ = nullptr;
    QLineEdit* romEdit_ = nullptr;
    QPushButton* findRomButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace tolm::ui
