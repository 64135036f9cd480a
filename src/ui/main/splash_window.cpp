#include "ui/main/splash_window.h"

#include <QCoreApplication>
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
    // window can deliver posted events on the spot, so loading waits for a
    // timer the event loop fires: the splash is visible (and can own message
    // boxes) by then. The timer is our child, so it dies with us.
    auto* start = new QTimer(this);
    start->setSingleShot(true);
    connect(start, &QTimer::timeout, this, [this, start] {
        start->deleteLater();
        runLoad();
    });
    start->start(0);
}

void SplashWindow::runLoad() {
    QCoreApplication::processEvents(); // let the splash paint
    if (load_) {
        load_(this);
    }
    QCoreApplication::processEvents();
    loadFinished_ = true;
    closeTimer_->start(qMax(0, closeDelayMs_));
}

void SplashWindow::reject() {
    if (loadFinished_)
        QDialog::reject();
}

} // namespace tolm::ui
