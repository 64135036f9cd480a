#include "ui/widgets/show_big_window.h"

#include <QEvent>
#include <QMouseEvent>

namespace tolm::ui {

ShowBigWindow::ShowBigWindow(const QPixmap& picture, QWidget* owner)
    // An owned dialog stays out of the task bar.
    : QDialog(owner != nullptr ? owner->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmShowBig"));
    setModal(true);
    setFixedSize(kPictureSize);

    picture_ = new PictureBox(this);
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setGeometry(QRect(QPoint(0, 0), kPictureSize));
    picture_->setPicture(picture);
    picture_->installEventFilter(this);

    if (QWidget* main = parentWidget(); main != nullptr) {
        const QRect over = main->frameGeometry();
        move(over.x() + (over.width() - width()) / 2, over.y() + (over.height() - height()) / 2);
    }
}

bool ShowBigWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picture_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton &&
            picture_->rect().contains(release->position().toPoint())) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tolm::ui
