#include "ui/main/session_end.h"

#include <QApplication>
#include <QDialog>
#include <QSessionManager>
#include <QTimer>
#include <utility>

#include "platform/termination_requests.h"
#include "state/app_state.h"
#include "ui/main/main_window.h"

namespace tolm::ui {

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

bool SessionEnd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && window_ == nullptr) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        // Queued: the dialog's own event loop is not running yet.
        if (dialog != nullptr && dialog->isModal())
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void SessionEnd::attach(MainWindow& window) {
    window_ = &window;
    QCoreApplication::instance()->removeEventFilter(this);
    // The end came during start-up: the splash cut its pause short, and
    // the files are written now that there is a window to write them.
    if (state_.sessionEnding)
        QTimer::singleShot(0, this, &SessionEnd::finish);
}

void SessionEnd::endSession() {
    if (state_.sessionEnding)
        return;
    state_.sessionEnding = true;
    Q_EMIT ending();
    if (window_ == nullptr)
        QCoreApplication::instance()->installEventFilter(this);
    cancelOpenDialogs();
    QTimer::singleShot(0, this, &SessionEnd::finish);
}

// Runs once the cancelled dialogs' event loops have returned, so that no
// dialog code runs after the files are written. Until the main window exists
// the start-up is still loading (the splash closes as soon as it has the
// files); attach() carries on from there. Work a command runs in the
// background stops between records at the end's request, and what it did is
// applied first: jobsFinished() brings the end back here.
void SessionEnd::finish() {
    if (window_ == nullptr)
        return;
    if (window_->jobRunning()) {
        if (!std::exchange(waitingForJobs_, true))
            connect(window_, &MainWindow::jobsFinished, this, &SessionEnd::finish,
                    Qt::QueuedConnection);
        cancelOpenDialogs();
        return;
    }
    cancelOpenDialogs(); // anything opened since the end began
    const bool saved = window_->closeForSessionEnd();
    // exit() rather than quit(): quit() would close the windows again,
    // through the close that asks questions.
    QCoreApplication::exit(saved ? 0 : 1);
}

} // namespace tolm::ui
