#include "ui/common/program_launcher.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QUrl>

namespace tolm::ui {

bool QtProgramLauncher::start(const QString& program, const QStringList& arguments,
                              QString* error) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (process.startDetached())
        return true;
    if (error)
        *error = process.errorString();
    return false;
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
