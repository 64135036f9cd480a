#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QTimer;

namespace tolm::ui {

// The splash window: the borderless title window shown while the program loads. When
// first shown it runs `load` (message boxes it shows are parented to the
// splash), then closes itself `closeDelayMs` later.
class SplashWindow final : public QDialog {
    Q_OBJECT
public:
    SplashWindow(std::function<void(QWidget* splash)> load, int closeDelayMs, QWidget* owner);

public Q_SLOTS:
    // Waits for the loading to finish: closed earlier, the program would go
    // on with default settings and an empty catalogue, and write those over
    // the files at its end. Then it closes without the pause.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void runLoad();

    std::function<void(QWidget*)> load_;
    int closeDelayMs_;
    bool loaded_ = false;
    bool loadFinished_ = false;
    bool closeRequested_ = false;
    QLabel* picture_ = nullptr;
    QLabel* caption_ = nullptr;
    QTimer* closeTimer_ = nullptr;
};

} // namespace tolm::ui
