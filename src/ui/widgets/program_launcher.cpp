#include "ui/widgets/program_launcher.h"

#include <QDesktopServices>
#include <QDir>
#include <QMetaObject>
#include <QUrl>
#include <string>
#include <utility>
#include <vector>

#include "platform/process.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {

namespace {

std::vector<std::string> argumentTexts(const QStringList& arguments) {
    std::vector<std::string> texts;
    for (const QString& argument : arguments)
        texts.push_back(toStd(argument));
    return texts;
}

} // namespace

QtProgramLauncher::QtProgramLauncher() = default;
QtProgramLauncher::~QtProgramLauncher() = default;

bool QtProgramLauncher::start(const QString& program, const QStringList& arguments,
                              QString* error) {
    const platform::IoResult started =
        platform::startProgram(toStd(program), argumentTexts(arguments));
    if (!started && error)
        *error = toQt(started.error);
    return static_cast<bool>(started);
}

bool QtProgramLauncher::startFollowed(const QString& program, const QStringList& arguments,
                                      QString* error, EndReport ended) {
    using namespace std::chrono;
    const std::uint64_t id = ++lastWatch_;
    const steady_clock::time_point startedAt = steady_clock::now();
    // The end is timed on the watch's thread, when it comes, and reported
    // on the window's once that is free; the watch is reaped there too.
    platform::WatchedStart started = platform::startWatchedProgram(
        toStd(program), argumentTexts(arguments), [this, id, startedAt, ended] {
            const auto ran = duration_cast<milliseconds>(steady_clock::now() - startedAt);
            QMetaObject::invokeMethod(
                &reports_,
                [this, id, ran, ended] {
                    watches_.erase(id);
                    if (ended)
                        ended(ran);
                },
                Qt::QueuedConnection);
        });
    if (!started.result) {
        if (error)
            *error = toQt(started.result.error);
        return false;
    }
    watches_.emplace(id, std::move(started.watch));
    return true;
}

QString asDirectoryPath(const QString& directory) {
    if (directory.endsWith(QLatin1Char('/')) || directory.endsWith(QDir::separator()))
        return directory;
    return directory + QLatin1Char('/');
}

// The desktop's file browser: xdg-open on Linux, the shell on Windows.
void QtProgramLauncher::openDirectory(const QString& directory) {
    if (directory.isEmpty())
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(asDirectoryPath(directory)));
}

} // namespace tolm::ui
