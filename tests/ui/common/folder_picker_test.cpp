#include <QComboBox>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/common/folder_picker.h"
#include "ui/common/qt_text.h"

using namespace tolm;
using namespace tolm::ui;

namespace {

// The rows of the tree, depth-first, each as its shown text indented by depth.
QStringList rows(const QAbstractItemModel& model, const QModelIndex& parent = {}, int depth = 0) {
    QStringList out;
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 0, parent);
        out << QString(depth, QLatin1Char(' ')) + index.data().toString()
            << rows(model, index, depth + 1);
    }
    return out;
}

} // namespace

class FolderPickerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drivesAndTheChain() {
        test::TempDir dir;
        for (const char* entry :
             {"games/zeta/", "games/Alpha/", "games/.cache/", "games/manic.z80"})
            dir.write(entry);
        const std::string games = dir.sub("games"), gone = dir.sub("no-such-drive");
        test::ScriptedDialogs dialogs;
        QWidget owner;
        FolderPicker picker(dialogs, &owner, [&] {
            return std::vector<std::string>{"/", gone, games};
        });
        QComboBox* drives = picker.driveList();
        // A trailing separator is dropped; the drive holding it is shown.
        picker.setOpenDirectory(toQt(dir.sub("games/")));
        QCOMPARE(picker.openDirectory(), toQt(games));
        QCOMPARE(drives->currentIndex(), 2);
        const QStringList shown = rows(*picker.directoryList()->model());
        // The open directory sits at the end of its chain, its visible children under it.
        const QString depth(shown.size() - 3, QLatin1Char(' '));
        QCOMPARE(shown.mid(shown.size() - 3),
                 (QStringList{depth + "games", depth + " Alpha", depth + " zeta"}));
        // A directory that has gone opens its nearest readable parent.
        picker.setOpenDirectory(toQt(dir.sub("games/missing/deeper")));
        QCOMPARE(picker.openDirectory(), toQt(games));

        QSignalSpy opened(&picker, &FolderPicker::directoryOpened);
        // An unreadable drive says so and leaves the open directory alone.
        drives->setCurrentIndex(1);
        Q_EMIT drives->activated(1);
        QCOMPARE(dialogs.shown.size(), std::size_t(1));
        QCOMPARE(dialogs.shown[0].title + "|" + dialogs.shown[0].text,
                 QStringLiteral("Drive Error|No such file or directory"));
        QCOMPARE(picker.openDirectory(), toQt(games));
        // A readable drive opens at its root.
        drives->setCurrentIndex(0);
        Q_EMIT drives->activated(0);
        QCOMPARE(picker.openDirectory(), QStringLiteral("/"));
        QCOMPARE(opened.count(), 1);
    }
};

QTEST_MAIN(FolderPickerTest)
#include "folder_picker_test.moc"
