#pragma once

// Fixtures for the windows' tests: a scratch program directory, a small
// catalogue, and reaching controls and modal dialogs.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/database.h"
#include "state/app_state.h"
#include "ui/widgets/qt_text.h"

namespace tolm::test {

inline GameRecord makeGame(const std::string& name, const std::string& publisher = {},
                           std::int32_t year = 0) {
    GameRecord g;
    g.name = name;
    g.publisher = publisher;
    g.year = year;
    return g;
}

// Mixed case, equal texts in two cases, years of 0, negative and three digits.
inline GameCatalogue fiveGames() {
    return {makeGame("beta", "Zeta", 1985), makeGame("Alpha", "ocean", 0),
            makeGame("gamma", "Imagine", -5), makeGame("Delta", "Ocean", 1984),
            makeGame("eps", "Bug", 200)};
}

// A scratch directory; "%D" in a text stands for its path.
class Scratch {
public:
    QString path() const { return dir_.path(); }
    QString path(const QString& relative) const { return path() + QLatin1Char('/') + relative; }
    // `relative` as a search path entry: ends with the separator.
    std::string entry(const QString& relative) const { return ui::toStd(path(relative)) + '/'; }
    std::string str() const { return ui::toStd(dir_.path()); }
    QString expand(QString text) const { return text.replace(QStringLiteral("%D"), path()); }
    std::vector<std::string> expand(const QStringList& texts) const {
        std::vector<std::string> out;
        for (const QString& t : texts)
            out.push_back(ui::toStd(expand(t)));
        return out;
    }
    // Creates `relative` (and its directories) holding `bytes`; a name
    // ending in '/' makes just the directory.
    QString write(const QString& relative, const QByteArray& bytes = "x") const {
        const QString full = path(relative);
        QDir().mkpath(QFileInfo(full).absolutePath());
        if (relative.endsWith(QLatin1Char('/')))
            return full;
        QFile file(full);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(bytes);
        return full;
    }
    void writeDatabase(const GameCatalogue& catalogue, std::int32_t version = 2) const {
        const std::string bytes = databaseBytes(catalogue, version);
        write(QStringLiteral("tolm.dat"), QByteArray(bytes.data(), qsizetype(bytes.size())));
    }
    QByteArray read(const QString& relative) const {
        QFile file(path() + QLatin1Char('/') + relative);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir dir_;
};

// The control named `name`; a missing one ends the run with its name.
template <typename T> T* control(const QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1String(name));
    if (found == nullptr)
        qFatal("no control %s", name);
    return found;
}

// Types `text` into a line or multi-line box, as a user replacing its text.
inline void typeInto(QWidget* box, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->setText(text);
    else
        qobject_cast<QPlainTextEdit*>(box)->setPlainText(text);
}

// A 48K snapshot whose screen memory is `screen` (6912 bytes).
inline QByteArray snapshotWith(const QByteArray& screen) {
    QByteArray file(27 + 49152, '\0');
    file[0] = 0x3F;
    file[24] = char(0xFF); // SP
    file[25] = 1;
    return file.replace(27, screen.size(), screen);
}

// The texts of a list's items, top to bottom.
inline QStringList itemTexts(const QListWidget* list) {
    QStringList out;
    for (int row = 0; row < list->count(); ++row)
        out << list->item(row)->text();
    return out;
}

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
