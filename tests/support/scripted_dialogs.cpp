#include "support/scripted_dialogs.h"

#include <utility>

#include "ui/widgets/folder_picker.h"

namespace tolm::test {

namespace {

// The next scripted reply, or `fallback` once the script has run out.
template <typename T> T takeNext(std::deque<T>& queue, T fallback) {
    if (queue.empty())
        return fallback;
    T next = queue.front();
    queue.pop_front();
    return next;
}

} // namespace

ui::UserDialogs::Answer ScriptedDialogs::message(QWidget*, const QString& title,
                                                 const QString& text, Icon icon, Buttons buttons) {
    shown.push_back(
        {.kind = "message", .title = title, .text = text, .icon = icon, .buttons = buttons});
    const Answer fallback = buttons == Buttons::YesNo         ? Answer::No
                            : buttons == Buttons::YesNoCancel ? Answer::Cancel
                                                              : Answer::Ok;
    return takeNext(answers, fallback);
}

std::optional<QString> ScriptedDialogs::inputText(QWidget*, const QString& prompt,
                                                  const QString& title, const QString& preset) {
    shown.push_back({.kind = "input", .title = title, .text = prompt, .preset = preset});
    if (inputs.empty())
        return std::nullopt;
    // Not a copy of the optional: GCC 12 flags that as maybe-uninitialised at -O2.
    const bool answered = inputs.front().has_value();
    const QString text = answered ? *inputs.front() : QString();
    inputs.pop_front();
    return answered ? std::optional<QString>(text) : std::nullopt;
}

QString ScriptedDialogs::openFileName(QWidget*, const QString& title, const QString& filter,
                                      const QString& presetName, const QString& startDirectory) {
    shown.push_back({.kind = "open",
                     .title = title,
                     .filter = filter,
                     .preset = presetName,
                     .directory = startDirectory});
    return takeNext(files, QString());
}

QString ScriptedDialogs::pickFolder(QWidget*, FolderKind kind) {
    shown.push_back({.kind = "folder", .title = ui::FolderPickDialog::captionOf(kind)});
    return takeNext(folders, QString());
}

QString ScriptedDialogs::openProgramFileName(QWidget*, const QString& title) {
    shown.push_back({.kind = "program", .title = title});
    return takeNext(files, QString());
}

QStringList ScriptedDialogs::boxes() const {
    QStringList out;
    for (const auto& box : messages())
        out << box.title + QLatin1Char('|') + box.text;
    return out;
}

std::vector<ScriptedDialogs::Shown> ScriptedDialogs::messages() const {
    std::vector<Shown> out;
    for (const auto& s : shown)
        if (s.kind == QLatin1String("message"))
            out.push_back(s);
    return out;
}

bool RecordingLauncher::start(const QString& program, const QStringList& arguments,
                              QString* error) {
    if (std::exchange(failNext, false)) {
        if (error)
            *error = QStringLiteral("Permission denied");
        return false;
    }
    starts.push_back({program, arguments});
    return true;
}

bool RecordingLauncher::startFollowed(const QString& program, const QStringList& arguments,
                                      QString* error, EndReport ended) {
    if (!start(program, arguments, error))
        return false;
    followed.push_back(std::move(ended));
    return true;
}

void RecordingLauncher::openDirectory(const QString& directory) {
    openedDirectories << directory;
}

} // namespace tolm::test
