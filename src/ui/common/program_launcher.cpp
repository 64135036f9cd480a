#include "ui/common/program_launcher.h"

#include <string>
#include <vector>

#include "platform/process.h"
#include "ui/common/qt_text.h"

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

} // namespace tolm::ui
