#include "ui/support/scripted_dialogs.h"

namespace tolm::test {

ui::UserDialogs::Answer ScriptedDialogs::message(QWidget*, const QString& title,
                                                 const QString& text, Icon icon,
                                                 Buttons buttons) {
    shown.push_back({QStringLiteral("message"), title, text, icon, buttons, {}, {}});
    if (!answers.empty()) {
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

std::optional<QString> ScriptedDialogs::inputText(QWidget*, const QString& prompt,
                                                  const QString& title, const QString& preset) {
    shown.push_back({QStringLiteral("input"), title, prompt, Icon::None, Buttons::Ok, {}, preset});
    if (inputs.empty())
        return std::nullopt;
    const bool answered = inputs.front().has_value();
    const QString text = answered ? *inputs.front() : QString();
    inputs.pop_front();
    if (!answered)
        return std::nullopt;
    return text;
}

QString ScriptedDialogs::openFileName(QWidget*, const QString& title, const QString& filter,
                                      const QString& presetName, const QString&) {
    shown.push_back({QStringLiteral("open"), title, {}, Icon::None, Buttons::Ok, filter, presetName});
    if (files.empty())
        return {};
    QString f = files.front();
    files.pop_front();
    return f;
}

QString ScriptedDialogs::existingDirectory(QWidget*, const QString& title, const QString& start) {
    shown.push_back({QStringLiteral("folder"), title, {}, Icon::None, Buttons::Ok, {}, start});
    if (folders.empty())
        return {};
    QString f = folders.front();
    folders.pop_front();
    return f;
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
    if (failNext) {
        failNext = false;
        if (error)
            *error = QStringLiteral("Permission denied");
        return false;
    }
    starts.push_back({program, arguments});
    return true;
}

} // namespace tolm::test
