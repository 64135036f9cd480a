// How fast the Import dialog fills its list for a directory of 1,000 SGD
// data files (listing, sizes, record counts, sorting and the list items),
// beside a bare directory listing of the same directory. Runs offscreen;
// prints the median of several runs.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "state/app_state.h"
#include "timing.h"
#include "ui/widgets/qt_text.h"
#include "ui/widgets/user_dialogs.h"
#include "ui/import/import_dialog.h"

namespace {

using namespace tolm::bench;

constexpr int kFiles = 1000;
constexpr int kRuns = 9;

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    // Names in both cases, some with blanks; sizes from empty to 2,000 records.
    for (int i = 0; i < kFiles; ++i) {
        const QString name = (i % 3 == 0   ? QStringLiteral("GAMES%1.DAT")
                              : i % 3 == 1 ? QStringLiteral("more games %1.dat")
                                           : QStringLiteral("Disk%1.Dat"))
                                 .arg(i);
        QFile file(dir.path() + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.resize(qint64(i % 2000) * 252 + i % 200);
    }
    for (int i = 0; i < 200; ++i) { // other files the list leaves out
        QFile file(dir.path() + QStringLiteral("/notes%1.txt").arg(i));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
    }

    tolm::ui::QtUserDialogs dialogs;
    std::vector<double> fills, listings;
    int items = 0;
    for (int run = 0; run < kRuns; ++run) {
        tolm::AppState state;
        state.sgdDirectory = tolm::ui::toStd(dir.path());
        tolm::ui::ImportDialog dialog(state, dialogs);
        fills.push_back(timeMs([&] { dialog.prepare(); }));
        items = dialog.findChild<QListWidget*>(QStringLiteral("List1"))->count();

        QStringList names;
        listings.push_back(timeMs([&] { names = QDir(dir.path()).entryList(QDir::Files); }));
        if (names.size() != kFiles + 200)
            return 1;
    }
    if (items != kFiles) {
        std::printf("the list shows %d items, not %d\n", items, kFiles);
        return 1;
    }
    const double fill = median(fills);
    const double listing = median(listings);
    std::printf("bare listing of the directory: %.2f ms (fill/listing %.1fx)\n", listing,
                fill / listing);
    std::printf("Import dialog list fill for %d .dat files: %.2f ms (goal 100 ms)\n", kFiles, fill);
    return 0;
}
