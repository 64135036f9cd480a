#include <QApplication>
#include <QStandardPaths>
#include <QTimer>

#include "platform/directories.h"
#include "platform/files.h"
#include "settings/extra_settings.h"
#include "state/app_state.h"
#include "state/data_directory.h"
#include "tolm/version.h"
#include "ui/widgets/command_line.h"
#include "ui/widgets/program_launcher.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"
#include "ui/main/catalogue_lock.h"
#include "ui/main/first_start.h"
#include "ui/main/main_window.h"
#include "ui/main/session_end.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolm"));
    QApplication::setApplicationVersion(QLatin1String(tolm::kVersionText));

    const std::string programDirectory = tolm::platform::programDirectory();
    const std::string perUserDirectory =
        tolm::ui::toStd(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    const auto choose = [&](const std::optional<QString>& requested) {
        return tolm::chooseDataDirectory(
            programDirectory, perUserDirectory,
            requested ? std::optional<std::string>(tolm::ui::toStd(*requested)) : std::nullopt);
    };
    const tolm::ui::CommandLine commandLine =
        tolm::ui::parseCommandLine(app, [&](const std::optional<QString>& requested) {
            return tolm::ui::toQt(tolm::describeDataDirectory(choose(requested)));
        });
    const tolm::DataDirectory dataDirectory = choose(commandLine.dataDirectory);
    // Made on first use; if that fails, saving says so when it comes to it.
    if (dataDirectory.reason != tolm::DataDirectory::Reason::BesideProgram)
        (void)tolm::platform::createDirectories(dataDirectory.path);

    tolm::AppState state;
    state.programDirectory = dataDirectory.path;
    state.extra = tolm::loadExtraSettings(state.extraSettingsPath());
    tolm::ui::QtUserDialogs dialogs;
    tolm::ui::QtProgramLauncher launcher;

    tolm::ui::CatalogueLock lock(state.programDirectory);
    if (lock.acquire() == tolm::ui::CatalogueLock::Outcome::HeldElsewhere) {
        dialogs.message(nullptr, QStringLiteral("Tolm"),
                        QStringLiteral("Tolm is already running with this catalogue."),
                        tolm::ui::UserDialogs::Icon::Information,
                        tolm::ui::UserDialogs::Buttons::Ok);
        return 1;
    }

    tolm::ui::SessionEnd sessionEnd(state);
    sessionEnd.watch();

    tolm::ui::MainWindow window(state, dialogs, launcher);
    sessionEnd.attach(window);
    window.show();
    QTimer::singleShot(0, &window, [&] {
        if (tolm::ui::offerProgramsFoundOnPath(state, dialogs, &window,
                                               tolm::platform::programSearchPath()))
            window.refreshRunWithMenu();
        if (!commandLine.files.isEmpty())
            window.addDroppedFiles(commandLine.files);
    });
    return app.exec();
}
