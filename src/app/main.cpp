#include <QApplication>

#include "platform/files.h"
#include "state/app_state.h"
#include "ui/common/program_launcher.h"
#include "ui/common/user_dialogs.h"
#include "ui/main/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    tolm::AppState state;
    state.programDirectory = tolm::platform::programDirectory();
    tolm::ui::QtUserDialogs dialogs;
    tolm::ui::QtProgramLauncher launcher;

    tolm::ui::MainWindow window(state, dialogs, launcher);
    window.show();
    return app.exec();
}
