// How fast the configuration dialogs come up: the paths dialog with 50
// directories in each list, once with every existence test blocked (a dead
// network mount) and once with instant answers; the emulators dialog's fill
// over 1,000 entries.
//
// Runs offscreen. Prints the median of several runs.

#include <QApplication>
#include <QListWidget>
#include <QTreeWidget>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "support/scripted_dialogs.h"
#include "timing.h"
#include "ui/config/directory_probe.h"
#include "ui/config/paths_dialog.h"
#include "ui/config/program_list_dialog.h"

namespace {

using namespace tolm::bench;

constexpr int kRuns = 7;
constexpr int kDirectoriesPerList = 50;
constexpr int kPrograms = 1000;

// Every existence test hangs, as on a network file system that went away.
class DeadMountProbe final : public tolm::ui::DirectoryProbe {
public:
    bool holdsFiles(const std::string&) const override {
        std::unique_lock<std::mutex> lock(mutex_);
        never_.wait(lock, [] { return false; });
        return false;
    }
    tolm::platform::DriveKind driveKind(const std::string&) const override {
        return tolm::platform::DriveKind::Network;
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable never_;
};

class InstantProbe final : public tolm::ui::DirectoryProbe {
public:
    bool holdsFiles(const std::string&) const override { return true; }
    tolm::platform::DriveKind driveKind(const std::string&) const override {
        return tolm::platform::DriveKind::Fixed;
    }
};

// From nothing to a shown dialog whose lists are filled and painted.
double openPathsDialog(tolm::SettingsState& settings,
                       const std::shared_ptr<const tolm::ui::DirectoryProbe>& probe) {
    tolm::test::ScriptedDialogs dialogs;
    tolm::test::RecordingLauncher launcher;
    std::vector<double> samples;
    for (int run = 0; run < kRuns; ++run) {
        const auto started = Clock::now();
        tolm::ui::PathsDialog dialog(settings, dialogs, launcher, nullptr, probe);
        dialog.show();
        dialog.repaint();
        QApplication::processEvents();
        samples.push_back(msSince(started));
        const auto* roms =
            dialog.findChild<QTreeWidget*>(QLatin1String(tolm::ui::PathsDialog::kLists[0]));
        if (roms->topLevelItemCount() != kDirectoriesPerList) {
            std::printf("the dialog listed %d directories\n", roms->topLevelItemCount());
            std::exit(1);
        }
    }
    return median(samples);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    tolm::SettingsState settings;
    for (int i = 0; i < kDirectoriesPerList; ++i) {
        const std::string n = std::to_string(i);
        settings.romPaths.push_back("/mnt/nas/roms/" + n + "/");
        settings.screenshotPaths.push_back("/mnt/nas/shots/" + n + "/");
        settings.musicPaths.push_back("/mnt/nas/music/" + n + "/");
    }
    const double instant = openPathsDialog(settings, std::make_shared<InstantProbe>());
    const double dead = openPathsDialog(settings, std::make_shared<DeadMountProbe>());

    for (int i = 0; i < kPrograms; ++i)
        settings.emulators.push_back(
            {"Emulator " + std::to_string(i), "/usr/bin/emu" + std::to_string(i)});
    settings.defaultEmulator = kPrograms / 2;
    tolm::test::ScriptedDialogs dialogs;
    tolm::ui::ProgramListDialog emulators(tolm::ui::ProgramListKind::Emulators, settings, dialogs);
    emulators.show();
    QApplication::processEvents();
    auto* rows =
        emulators.findChild<QListWidget*>(QLatin1String(tolm::ui::ProgramListDialog::kList));
    const double fill = medianMs(kRuns, [&] {
        emulators.fillList();
        rows->viewport()->repaint();
    });
    if (rows->count() != kPrograms) {
        std::printf("the emulators dialog listed %d rows\n", rows->count());
        return 1;
    }

    std::printf("paths dialog with instant answers: %.1f ms (dead mounts %.2fx of that)\n", instant,
                dead / instant);
    std::printf(
        "paths dialog open, %d directories a list, every test blocked: %.1f ms (goal 100 ms)\n",
        kDirectoriesPerList, dead);
    std::printf("emulators FillList at %d entries: %.1f ms (goal 20 ms)\n", kPrograms, fill);
    // The blocked tests never end; the process does not wait for them.
    std::fflush(stdout);
    return 0;
}
