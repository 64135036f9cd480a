#include <QApplication>

#include "platform/files.h"
#include "state/app_state.h"
#include "ui/common/program_launcher.h"
#include "ui/common/user_dialogs.h"
#include "ui/main/catalogue_lock.h"
#include "ui/main/main_window.h"
#include "ui/main/session_end.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    tolm::AppState state;
    state.programDirectory = tolm::platform::programDirectory();
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
    return app.exec();
}
