#pragma once

#include <QString>
#include <optional>

#include "core/user_message.h"

class QWidget;

namespace tolm::ui {

// Every message box, input box, file-open dialog and folder pick goes through
// here, so that tests can script the answers.
class UserDialogs {
public:
    using Icon = UserMessage::Icon;
    using Buttons = UserMessage::Buttons;
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~UserDialogs() = default;

    virtual Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                           Buttons buttons) = 0;

    // nullopt when cancelled.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& prompt,
                                             const QString& title, const QString& preset) = 0;

    // `filter` is "Description|*.ext|Other|*.a;*.b" pairs. Empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& presetName, const QString& startDirectory) = 0;

    // Which of the program's folder pickers to show.
    enum class FolderKind {
        SearchPath,   // frmFindRomPath: a directory for the paths dialog's lists
        SgdDirectory, // frmfindDir: the directory of the SGD data files
    };
    // The program's own folder picker, starting in the current directory.
    // The directory it had open (a search path ends with the separator);
    // empty when cancelled.
    virtual QString pickFolder(QWidget* parent, FolderKind kind) = 0;

    // Picks a program to start: "Executable (*.exe)" where programs carry that
    // suffix, otherwise "Programs" (executable files) or "All files". Empty
    // when cancelled.
    virtual QString openProgramFileName(QWidget* parent, const QString& title) = 0;

    // Shows a message the core composed.
    Answer show(QWidget* parent, const UserMessage& message);
};

// The real dialogs: QMessageBox, QInputDialog, QFileDialog and FolderPickDialog.
class QtUserDialogs final : public UserDialogs {
public:
    Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                   Buttons buttons) override;
    std::optional<QString> inputText(QWidget* parent, const QString& prompt, const QString& title,
                                     const QString& preset) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& presetName, const QString& startDirectory) override;
    QString pickFolder(QWidget* parent, FolderKind kind) override;
    QString openProgramFileName(QWidget* parent, const QString& title) override;
};

// "Desc|*.a;*.b|Other|*.c" as a Qt name filter list "Desc (*.[aA] *.[bB]);;Other (*.[cC])",
// matching either letter case (name_filters.cpp).
QString qtNameFilters(const QString& pairs);

} // namespace tolm::ui
