#include "ui/widgets/program_launcher.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <string>
#include <vector>

#include "platform/process.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {

bool QtProgramLauncher::start(const QString& program, const QStringList& arguments,
                              QString* error) {
    std::vector<std::string> argumentTexts;
    for (const QString& argument : arguments)
        argumentTexts.push_back(toStd(argument));
    const platform::IoResult started = platform::startProgram(toStd(program), argumentTexts);
    if (!started && error)
        *error = toQt(started.error);
    return static_cast<bool>(started);
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
