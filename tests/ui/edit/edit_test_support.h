#pragma once

// Shared by the game dialogs' tests: finding controls by name, a scratch
// directory, and acting on a modal dialog once it is up.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>
#include <string>

#include "ui/common/qt_text.h"

namespace tolm::test {

template <typename T> T* control(const QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1String(name));
    if (found == nullptr)
        qFatal("no control %s", name);
    return found;
}

// Files and directories under a scratch directory, written with '/'.
class Files {
public:
    QString path(const QString& relative = {}) const {
        return relative.isEmpty() ? dir_.path() : dir_.path() + QLatin1Char('/') + relative;
    }
    std::string str(const QString& relative = {}) const { return ui::toStd(path(relative)); }
    // A directory entry of a search path: ends with the separator.
    std::string entry(const QString& relative) const { return str(relative) + '/'; }
    // A name ending in '/' makes just the directory.
    QString write(const QString& relative, const QByteArray& bytes = "x") const {
        const QString full = path(relative);
        if (relative.endsWith(QLatin1Char('/'))) {
            QDir().mkpath(full);
            return full;
        }
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile file(full);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return full;
    }

private:
    QTemporaryDir dir_;
};

// Runs `act` on the modal dialog of type T as soon as it is shown (the
// command that opens it waits in the dialog's own event loop).
template <typename T> void whenModal(std::function<void(T&)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(*dialog);
    });
    poll->start();
}

} // namespace tolm::test
