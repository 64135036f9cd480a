#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "ui/widgets/program_launcher.h"
#include "ui/widgets/user_dialogs.h"

namespace tolm::test {

// Records every box shown and answers from a queue. A message box with no
// queued answer gets Ok (No for Yes/No, Cancel for Yes/No/Cancel), so an
// unexpected box never blocks and never acts.
class ScriptedDialogs final : public ui::UserDialogs {
public:
    struct Shown {
        QString kind; // "message", "input", "open", "folder", "program"
        QString title;
        QString text = {}; // message text or input prompt
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        QString filter = {};
        QString preset = {};
        QString directory = {}; // the starting directory of a file dialog
    };

    std::vector<Shown> shown;
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> inputs;
    std::deque<QString> files;
    std::deque<QString> folders; // the folder pickers' answers; empty: cancelled

    Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                   Buttons buttons) override;
    std::optional<QString> inputText(QWidget* parent, const QString& prompt, const QString& title,
                                     const QString& preset) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                         const QString& presetName, const QString& startDirectory) override;
    // Kind "folder", titled with the picker's caption.
    QString pickFolder(QWidget* parent, FolderKind kind) override;
    // Kind "program"; answered from `files`.
    QString openProgramFileName(QWidget* parent, const QString& title) override;

    // Messages only, in order.
    std::vector<Shown> messages() const;
    // The messages as "title|text".
    QStringList boxes() const;
};

// Records the argument vector of every start instead of starting anything.
class RecordingLauncher final : public ui::ProgramLauncher {
public:
    struct Start {
        QString program;
        QStringList arguments;
    };
    std::vector<Start> starts;
    bool failNext = false; // the next start fails, as an unrunnable file would
    QStringList openedDirectories;

    std::vector<EndReport> followed; // each followed start's end, for the test to report

    bool start(const QString& program, const QStringList& arguments, QString* error) override;
    bool startFollowed(const QString& program, const QStringList& arguments, QString* error,
                       EndReport ended) override;
    void openDirectory(const QString& directory) override;
};

} // namespace tolm::test
