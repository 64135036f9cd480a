#include "ui/main/splash_window.h"

#include <QLabel>
#include <QPixmap>
#include <QShowEvent>
#include <QTimer>

#include "tolm/version.h"
#include "ui/widgets/artwork.h"

namespace tolm::ui {

SplashWindow::SplashWindow(std::function<void(QWidget* splash)> load, int closeDelayMs,
                           QWidget* owner)
    // A splash-screen window is borderless and stays out of the task bar.
    : QDialog(owner, Qt::SplashScreen | Qt::FramelessWindowHint), load_(std::move(load)),
      closeDelayMs_(closeDelayMs) {
    setObjectName(QStringLiteral("frmSplash"));

    const QImage picture = titlePicture();
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("Picture1"));
    picture_->setPixmap(QPixmap::fromImage(picture));
    picture_->setGeometry(0, 0, picture.width(), picture.height());

    // The caption lies on a dark strip near the bottom, clear of the banner.
    caption_ = new QLabel(QStringLiteral("Tolm ") + QLatin1String(kVersionText), this);
    caption_->setObjectName(QStringLiteral("Label1"));
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setStyleSheet(
        QStringLiteral("QLabel { color: #f0f0f0; background-color: rgba(0, 0, 0, 170); }"));
    caption_->setGeometry(0, picture.height() - 28, picture.width(), 22);

    closeTimer_ = new QTimer(this);
    closeTimer_->setObjectName(QStringLiteral("Timer1"));
    closeTimer_->setSingleShot(true);
    connect(closeTimer_, &QTimer::timeout, this, &QDialog::accept);

    setFixedSize(picture.size());
}

void SplashWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (loaded_) {
        return;
    }
    loaded_ = true;
    // The show event comes before the window is on screen, and showing a
    // window can deliver posted events on the spot, so loading waits for the
    // event loop: one pass to put the splash on screen and paint it (it can
    // own message boxes then), the next to load. The timers are queued
    // calls on us, so they die with us.
    QTimer::singleShot(0, this, [this] { QTimer::singleShot(0, this, &SplashWindow::runLoad); });
}

void SplashWindow::runLoad() {
    if (load_) {
        load_(this);
    }
    loadFinished_ = true;
    if (closeRequested_) {
        QDialog::reject();
        return;
    }
    closeTimer_->start(qMax(0, closeDelayMs_));
}

void SplashWindow::reject() {
    if (loadFinished_)
        QDialog::reject();
    else
        closeRequested_ = true; // at once when loaded, without the pause
}

} // namespace tolm::ui
