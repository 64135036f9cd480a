#pragma once

// Fixtures for the main window's tests: a scratch program directory, a small
// catalogue, and a stand-in window that hosts the screenshot strip.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <string>
#include <vector>

#include "catalogue/app_state.h"
#include "catalogue/database.h"
#include "ui/common/qt_text.h"
#include "ui/main/main_layout.h"
#include "ui/main/screenshot_strip.h"

namespace tolm::test {

inline GameRecord Game(const std::string& name, const std::string& publisher = {},
                       std::int32_t year = 0) {
    GameRecord g;
    g.Name = name;
    g.Publisher = publisher;
    g.Year = year;
    return g;
}

// Mixed case, equal texts in two cases, years of 0, negative and three digits.
inline GameCatalogue FiveGames() {
    return {Game("beta", "Zeta", 1985), Game("Alpha", "ocean", 0), Game("gamma", "Imagine", -5),
            Game("Delta", "Ocean", 1984), Game("eps", "Bug", 200)};
}

// A scratch directory; "%D" in a text stands for its path.
class Scratch {
public:
    QString path() const { return dir_.path(); }
    std::string str() const { return ui::toStd(dir_.path()); }
    QString expand(QString text) const { return text.replace(QStringLiteral("%D"), path()); }
    std::vector<std::string> expand(const QStringList& texts) const {
        std::vector<std::string> out;
        for (const QString& t : texts)
            out.push_back(ui::toStd(expand(t)));
        return out;
    }
    // Creates `relative` (and its directories) holding `bytes`.
    QString write(const QString& relative, const QByteArray& bytes = "x") const {
        const QString full = path() + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile file(full);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(bytes);
        return full;
    }
    void writeDatabase(const GameCatalogue& catalogue, std::int32_t version = 2) const {
        const std::string bytes = DatabaseBytes(catalogue, version);
        write(QStringLiteral("tolm.dat"), QByteArray(bytes.data(), qsizetype(bytes.size())));
    }
    QByteArray read(const QString& relative) const {
        QFile file(path() + QLatin1Char('/') + relative);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir dir_;
};

// True when the centre of `picture` is `colour`, within JPEG's losses.
inline bool CentreIs(const QPixmap& picture, const QColor& colour) {
    if (picture.isNull())
        return false;
    const QImage image = picture.toImage();
    const QRgb c = image.pixel(image.width() / 2, image.height() / 2);
    return std::abs(qRed(c) - colour.red()) <= 40 && std::abs(qGreen(c) - colour.green()) <= 40 &&
           std::abs(qBlue(c) - colour.blue()) <= 40;
}

// A list, the fixed-size tabs, a 25-pixel status bar and the strip, laid out
// as the main window lays them out; screenshots live in the scratch directory.
struct StripHost {
    StripHost() {
        list = new QTreeView(&window);
        list->move(8, 0); // the layout keeps the list's left margin
        tabs = new QTabWidget(&window);
        tabs->setFixedSize(587, 113);
        status = new QStatusBar(&window);
        status->setFixedHeight(25);
        strip = new ui::ScreenshotStrip(state, &window);
        strip->hide();
        QObject::connect(strip, &ui::ScreenshotStrip::layoutRequested, [this] { layOut(); });
        state.settings.ScreenshotPaths = {dir.str() + "/"};
        window.resize(1000, 700);
    }
    void layOut(bool minimised = false) {
        ui::LayOutMainWindow({list, tabs, status, strip, window.size(), minimised}, state);
    }
    // Writes a solid picture; the format follows the name's suffix unless given.
    void writePicture(const QString& name, const QColor& colour, const char* format = nullptr) {
        QImage image(320, 240, QImage::Format_RGB32);
        image.fill(colour);
        image.save(dir.path() + QLatin1Char('/') + name, format, 95);
    }
    // A game with `count` screenshots s0.png, s1.png... (files need not exist).
    int addGame(int count) {
        std::string list;
        for (int i = 0; i < count; ++i)
            list += (i > 0 ? ",s" : "s") + std::to_string(i) + ".png";
        return addGame(list);
    }
    int addGame(const std::string& screenshots) {
        GameRecord game = Game("Game");
        game.Screenshots = screenshots;
        state.catalogue.push_back(game);
        return static_cast<int>(state.catalogue.size()) - 1;
    }
    // What the main window does when a game is clicked.
    void select(int game) {
        state.SelectedGame = game;
        strip->loadSS();
    }
    void setView(bool on) {
        state.strip.ShowScreenshots = on;
        if (on)
            strip->loadSS();
        layOut();
    }
    ui::ScreenshotSlot* slot(int index) const { return strip->ssimage(index); }
    QWidget* arrow(int index) const { return strip->actions(index); }

    Scratch dir;
    AppState state;
    QWidget window;
    QTreeView* list = nullptr;
    QTabWidget* tabs = nullptr;
    QStatusBar* status = nullptr;
    ui::ScreenshotStrip* strip = nullptr;
};

// Runs `action`; returns the size of the picture of the modal full-size view
// it opened (closing that view), or an empty size when none opened.
template <typename Action> QSize FullSizeViewOpenedBy(Action action, QPixmap* shown = nullptr) {
    QSize seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* view = QApplication::activeModalWidget()) {
            const QPixmap picture = view->grab();
            seen = picture.size();
            if (shown)
                *shown = picture;
            view->close();
        }
    });
    poll.start(5);
    action();
    return seen;
}

} // namespace tolm::test
