#pragma once

#include <QObject>

namespace tolm {
struct AppState;
}

namespace tolm::ui {

class MainWindow;

// The end of the program when nobody is there to close it: the desktop
// session ending, or SIGTERM, SIGHUP or SIGINT. Any open dialog is closed as
// if cancelled, the main window writes both files without asking (failures
// go to the terminal) and the program ends.
class SessionEnd final : public QObject {
    Q_OBJECT
public:
    explicit SessionEnd(AppState& state, QObject* parent = nullptr);
    ~SessionEnd() override;

    // Listens to the system's requests and to the session manager.
    void watch();

    // The window to close, once start-up has made it; a request that came
    // earlier is carried out then.
    void attach(MainWindow& window);

public Q_SLOTS:
    // Starts the end. Further requests while it runs are ignored.
    void endSession();

Q_SIGNALS:
    // Emitted once, when the end starts, for long operations to stop at
    // their next safe point (AppState::sessionEnding says the same).
    void ending();

protected:
    // During start-up, after the end began: each box the loading still shows
    // is cancelled as it comes.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish();

    AppState& state_;
    MainWindow* window_ = nullptr;
    bool watching_ = false;
    bool waitingForJobs_ = false;
};

// Closes every open modal dialog as if the user had cancelled it.
void cancelOpenDialogs();

} // namespace tolm::ui
