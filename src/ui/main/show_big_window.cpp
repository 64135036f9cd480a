#include "ui/main/show_big_window.h"

#include <QEvent>
#include <QMouseEvent>

namespace tolm::ui {

ShowBigWindow::ShowBigWindow(const QPixmap& picture, QWidget* owner)
    // An owned dialog stays out of the task bar.
    : QDialog(owner != nullptr ? owner->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmShowBig"));
    setModal(true);
    setFixedSize(kPictureSize);

    Image1 = new PictureBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(QRect(QPoint(0, 0), kPictureSize));
    Image1->setPicture(picture);
    Image1->installEventFilter(this);

    if (QWidget* main = parentWidget(); main != nullptr) {
        const QRect over = main->frameGeometry();
        move(over.x() + (over.width() - width()) / 2, over.y() + (over.height() - height()) / 2);
    }
}

bool ShowBigWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton &&
            Image1->rect().contains(release->position().toPoint())) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tolm::ui
