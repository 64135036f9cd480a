#include "ui/common/program_launcher.h"

#include <QProcess>

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

} // namespace tolm::ui
