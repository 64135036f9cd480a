// How fast the game dialogs answer over a large catalogue: Properties OK
// (just the edited row and the details, beside rebuilding the whole list),
// listing and adding 20,000 TOSEC-named files in the Add Multiple wizard (beside a plain
// QDir listing), and opening Properties on a game with 50 full-HD JPEG
// screenshots (beside decoding them all at full size).
//
// Runs offscreen. Prints the median of several runs.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTreeView>
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/database.h"
#include "made_catalogue.h"
#include "state/app_state.h"
#include "support/scripted_dialogs.h"
#include "timing.h"
#include "ui/edit/add_roms_wizard.h"
#include "ui/edit/game_properties_dialog.h"
#include "ui/main/game_list_model.h"
#include "ui/main/main_window.h"
#include "ui/widgets/folder_picker.h"
#include "ui/widgets/program_launcher.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"

namespace {

using namespace tolm::bench;

constexpr int kGames = 100000;
constexpr int kFiles = 20000;
constexpr int kScreenshots = 50;
constexpr int kRuns = 7;

template <typename T> T* control(const QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

// A full-HD picture with enough detail that JPEG decoding costs what a real
// screenshot's does.
QImage detailedPicture(int seed) {
    QImage image(1920, 1080, QImage::Format_RGB32);
    QRandomGenerator random(static_cast<quint32>(seed));
    QPainter painter(&image);
    image.fill(Qt::black);
    for (int i = 0; i < 400; ++i) {
        painter.fillRect(
            static_cast<int>(random.bounded(1920)), static_cast<int>(random.bounded(1080)),
            40 + static_cast<int>(random.bounded(200)), 20 + static_cast<int>(random.bounded(120)),
            QColor::fromRgb(random.generate() & 0xFFFFFF));
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tolm::test::ScriptedDialogs dialogs; // none is expected to be asked
    tolm::ui::QtProgramLauncher launcher;
    QTemporaryDir dir;
    const std::string directory = tolm::ui::toStd(dir.path());
    std::printf("generating %d games, %d files and %d pictures...\n", kGames, kFiles, kScreenshots);
    const tolm::GameCatalogue catalogue = makeCatalogue(kGames);
    {
        tolm::AppState writer;
        writer.programDirectory = directory;
        if (!tolm::saveDatabase(catalogue, writer.databasePath())) {
            std::printf("could not write the catalogue\n");
            return 1;
        }
    }
    const QString romDir = dir.path() + QStringLiteral("/roms");
    QDir().mkpath(romDir);
    // Named as the preservation sets name them, so adding parses every name.
    const QString tosecShapes[] = {
        QStringLiteral("/Game %1 (1984)(Ocean Software).tap"),
        QStringLiteral("/Game %1, The v1.2 (198x)(Bug-Byte Software)(Side A)[a2].tzx.zip"),
        QStringLiteral("/Game %1 (1987-05)(Firebird - Hewson)[cr Mr X][128K].z80.gz"),
        QStringLiteral("/Game %1 (1985)(Woodmass, Frank)(GB)(en)[t +2 Trainer].tap")};
    for (int i = 0; i < kFiles; ++i) {
        QFile file(romDir + tosecShapes[i % 4].arg(i, 5, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
    }
    const QString shotDir = dir.path() + QStringLiteral("/shots");
    QDir().mkpath(shotDir);
    std::string shotList;
    for (int i = 0; i < kScreenshots; ++i) {
        const QString name = QStringLiteral("shot%1.jpg").arg(i);
        detailedPicture(i).save(shotDir + QLatin1Char('/') + name, "JPEG", 90);
        shotList += (i ? "," : "") + tolm::ui::toStd(name);
    }

    tolm::AppState state;
    state.programDirectory = directory;
    tolm::ui::MainWindow window(state, dialogs, launcher, 0);
    window.resize(900, 700);
    window.show();
    QApplication::processEvents();
    auto* list = control<QTreeView>(window, "lstGames");
    const auto& model = window.gameListModel();

    // Properties OK: a game in the middle of the list, renamed so that its
    // row moves, then renamed back.
    const int position = kGames / 2;
    const auto selectPosition = [&] {
        const QModelIndex item = model.index(model.rowOf(position), 0);
        list->setCurrentIndex(item);
        window.showDetails(item);
    };
    selectPosition();
    // Timed from the click: the dialog's own opening is measured below.
    std::vector<double> okSamples;
    for (int run = 0; run < kRuns; ++run) {
        tolm::ui::GamePropertiesDialog props(state, dialogs, &window);
        control<QLineEdit>(props, "txtGameName")
            ->setText(run % 2 ? QStringLiteral("Aardvark") : QStringLiteral("Zzyzx"));
        okSamples.push_back(timeMs([&] {
            control<QPushButton>(props, "cmdOK")->click();
            window.gameEdited(state.selectedGame);
            list->viewport()->repaint();
            QApplication::processEvents();
        }));
    }
    const double okMs = median(okSamples);
    // Beside it: rebuilding the whole list and finding the row again.
    const double rebuildMs = medianMs(kRuns, [&] {
        window.refreshGameList();
        selectPosition();
        list->viewport()->repaint();
        QApplication::processEvents();
    });
    if (state.catalogue[position].name != "Zzyzx" && state.catalogue[position].name != "Aardvark") {
        std::printf("the edit did not reach the record\n");
        return 1;
    }
    if (model.positionAt(list->currentIndex().row()) != position) {
        std::printf("the selection left the edited game\n");
        return 1;
    }

    // Opening Properties on a game with 50 full-HD screenshots.
    state.settings.screenshotPaths = {tolm::ui::toStd(shotDir) + '/'};
    state.catalogue[position].screenshots = shotList;
    const double openMs = medianMs(kRuns, [&] {
        tolm::ui::GamePropertiesDialog props(state, dialogs, &window);
        props.show();
        QApplication::processEvents();
    });
    const double decodeAllMs = medianMs(kRuns, [&] {
        for (int i = 0; i < kScreenshots; ++i) {
            QImageReader reader(shotDir + QStringLiteral("/shot%1.jpg").arg(i));
            if (reader.read().isNull())
                std::printf("unreadable picture\n");
        }
    });

    // Add Multiple: listing the directory, then adding everything in it.
    std::vector<double> listSamples, addSamples;
    for (int run = 0; run < kRuns; ++run) {
        state.catalogue.resize(kGames);
        window.refreshGameList();
        tolm::ui::AddRomsWizard wizard(state, dialogs, &window);
        wizard.folderPicker().setOpenDirectory(romDir);
        wizard.show();
        QApplication::processEvents();
        auto* next = control<QPushButton>(wizard, tolm::ui::AddRomsWizard::kNextButton);
        auto* roms = control<QListWidget>(wizard, tolm::ui::AddRomsWizard::kRomList);
        listSamples.push_back(timeMs([&] {
            next->click();
            while (wizard.listing()) // read on a worker
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
            roms->viewport()->repaint();
        }));
        if (roms->count() != kFiles) {
            std::printf("the wizard listed %d files\n", roms->count());
            return 1;
        }
        control<QPushButton>(wizard, tolm::ui::AddRomsWizard::kSelectAllButton)->click();
        addSamples.push_back(timeMs([&] {
            next->click(); // Add ROMs
            window.refreshGameList();
            list->viewport()->repaint();
            QApplication::processEvents();
        }));
        if (model.rowCount() != kGames + kFiles) {
            std::printf("the list shows %d rows after adding\n", model.rowCount());
            return 1;
        }
        if (state.catalogue.back().publisher.empty()) {
            std::printf("the added games have no publisher: their names were not parsed\n");
            return 1;
        }
    }
    const double listMs = median(listSamples), addMs = median(addSamples);
    const double qdirMs = medianMs(kRuns, [&] {
        const QStringList names =
            QDir(romDir).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
        if (names.size() != kFiles)
            std::printf("QDir listed %lld\n", static_cast<long long>(names.size()));
    });

    std::printf("full list rebuild after Properties OK: %.1f ms (updating the row %.1fx faster)\n",
                rebuildMs, rebuildMs / okMs);
    std::printf("decoding all %d screenshots at full size: %.1f ms (opening Properties %.1fx "
                "faster)\n",
                kScreenshots, decodeAllMs, decodeAllMs / openMs);
    std::printf("QDir listing of %d files: %.1f ms (wizard listing and showing them: %.1fx "
                "that)\n",
                kFiles, qdirMs, listMs / qdirMs);
    std::printf("Properties OK at %d games: %.1f ms (goal 20 ms)\n", kGames, okMs);
    std::printf("Add Multiple listing %d files: %.1f ms (goal 200 ms)\n", kFiles, listMs);
    std::printf("Add Multiple adding %d TOSEC-named files to %d games, list refreshed: %.1f ms "
                "(goal 500 ms)\n",
                kFiles, kGames, addMs);
    std::printf("opening Properties with %d full-HD screenshots: %.1f ms (goal 60 ms)\n",
                kScreenshots, openMs);
    for (const auto& box : dialogs.messages())
        std::printf("unexpected box: %s\n", qPrintable(box.text));
    return dialogs.messages().empty() ? 0 : 1;
}
