#include "ui/main/splash_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QShowEvent>
#include <QTimer>

#include "tolm/version.h"
#include "ui/main/artwork.h"

namespace tolm::ui {

SplashWindow::SplashWindow(std::function<void(QWidget* splash)> load, int closeDelayMs,
                           QWidget* owner)
    // A splash-screen window is borderless and stays out of the task bar.
    : QDialog(owner, Qt::SplashScreen | Qt::FramelessWindowHint), load_(std::move(load)),
      closeDelayMs_(closeDelayMs) {
    setObjectName(QStringLiteral("frmSplash"));

    const QImage picture = titlePicture();
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(QPixmap::fromImage(picture));
    Picture1->setGeometry(0, 0, picture.width(), picture.height());

    // The caption lies on a dark strip near the bottom, clear of the banner.
    Label1 = new QLabel(QStringLiteral("Tolm ") + QLatin1String(kVersionText), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(
        QStringLiteral("QLabel { color: #f0f0f0; background-color: rgba(0, 0, 0, 170); }"));
    Label1->setGeometry(0, picture.height() - 28, picture.width(), 22);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &QDialog::accept);

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
    Timer1->start(qMax(0, closeDelayMs_));
}

void SplashWindow::reject() {
    if (loadFinished_)
        QDialog::reject();
}

} // namespace tolm::ui
