#include "ui/main/session_end.h"

#include <QApplication>
#include <QDialog>
#include <QSessionManager>
#include <QTimer>

#include "platform/termination_requests.h"
#include "state/app_state.h"
#include "ui/main/main_window.h"

namespace tolm::ui {
namespace {

// How often the end waits for dialogs that reopen once cancelled before it
// closes regardless.
constexpr int kMaxFinishAttempts = 50;

} // namespace

void cancelOpenDialogs() {
    // Each cancelled dialog may uncover another (a box over a dialog); the
    // bound keeps a dialog that refuses to close from holding the end up.
    QWidget* previous = nullptr;
    for (int i = 0; i < 32; ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == previous)
            return;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        previous = modal;
    }
}

SessionEnd::SessionEnd(AppState& state, QObject* parent) : QObject(parent), state_(state) {}

SessionEnd::~SessionEnd() {
    if (watching_)
        platform::stopWatchingTerminationRequests();
}

void SessionEnd::watch() {
    // The request comes on a thread of its own: queue it to this one.
    platform::watchTerminationRequests(
        [this] { QMetaObject::invokeMethod(this, &SessionEnd::endSession, Qt::QueuedConnection); });
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(
            app, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { endSession(); }, Qt::DirectConnection);
    }
}

void SessionEnd::attach(MainWindow& window) {
    window_ = &window;
}

void SessionEnd::endSession() {
    if (state_.sessionEnding)
        return;
    state_.sessionEnding = true;
    Q_EMIT ending();
    cancelOpenDialogs();
    QTimer::singleShot(0, this, &SessionEnd::finish);
}

// Runs once the cancelled dialogs' event loops have returned, so that no
// dialog code runs after the files are written.
// Until the main window exists the start-up is still loading (the splash
// waits for the files, then closes itself), and a box it shows meanwhile is
// cancelled as it comes.
void SessionEnd::finish() {
    const bool dialogOpen = QApplication::activeModalWidget() != nullptr;
    if (window_ == nullptr || (dialogOpen && ++finishAttempts_ < kMaxFinishAttempts)) {
        cancelOpenDialogs();
        QTimer::singleShot(20, this, &SessionEnd::finish);
        return;
    }
    const bool saved = window_->closeForSessionEnd();
    // exit() rather than quit(): quit() would close the windows again,
    // through the close that asks questions.
    QCoreApplication::exit(saved ? 0 : 1);
}

} // namespace tolm::ui
