#include <QComboBox>
#include <QDialog>
#include <QPushButton>
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

QModelIndex rowNamed(const QTreeView& view, const char* name) {
    const auto matches =
        view.model()->match(view.model()->index(0, 0), Qt::DisplayRole, QLatin1String(name), 1,
                            Qt::MatchExactly | Qt::MatchRecursive);
    return matches.isEmpty() ? QModelIndex() : matches.first();
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
        QCOMPARE(drives->objectName(), QStringLiteral("Drive1"));
        QCOMPARE(picker.directoryList()->objectName(), QStringLiteral("Dir1"));
        QCOMPARE(drives->count(), 3);
        QCOMPARE(drives->itemText(1), toQt(gone));
        // It starts in the current directory, on the drive holding it.
        QCOMPARE(picker.openDirectory(), QDir::currentPath());
        QCOMPARE(drives->currentText(), QStringLiteral("/"));

        // A trailing separator is dropped; the drive holding it is shown.
        picker.setOpenDirectory(toQt(dir.sub("games/")));
        QCOMPARE(picker.openDirectory(), toQt(games));
        QCOMPARE(drives->currentIndex(), 2);
        const QStringList shown = rows(*picker.directoryList()->model());
        QCOMPARE(shown.first(), QStringLiteral("/"));
        // The open directory sits at the end of its chain, its visible children under it.
        const QString depth(shown.size() - 3, QLatin1Char(' '));
        QCOMPARE(shown.mid(shown.size() - 3),
                 (QStringList{depth + "games", depth + " Alpha", depth + " zeta"}));
        QCOMPARE(picker.highlightedDirectory(), picker.openDirectory());
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
        QCOMPARE(dialogs.shown[0].icon, UserDialogs::Icon::Critical);
        QCOMPARE(picker.openDirectory(), toQt(games));
        QCOMPARE(drives->currentIndex(), 1); // shows the chosen drive
        // A readable drive opens at its root.
        drives->setCurrentIndex(0);
        Q_EMIT drives->activated(0);
        QCOMPARE(picker.openDirectory(), QStringLiteral("/"));
        QCOMPARE(opened.count(), 1);
        QCOMPARE(dialogs.shown.size(), std::size_t(1));
    }

    void singleClickHighlightsDoubleClickOpens() {
        test::TempDir dir;
        dir.write("roms/inner/");
        dir.write("roms/other/");
        test::ScriptedDialogs dialogs;
        QDialog owner;
        auto* proceed = new QPushButton(QStringLiteral("Next"), &owner);
        proceed->setDefault(true);
        QSignalSpy proceeded(proceed, &QPushButton::clicked);
        FolderPicker picker(dialogs, &owner);
        QTreeView* view = picker.directoryList();
        view->setGeometry(0, 0, 400, 600);
        owner.resize(400, 600);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        picker.setOpenDirectory(toQt(dir.sub("roms")));
        QSignalSpy opened(&picker, &FolderPicker::directoryOpened);
        QSignalSpy clicked(&picker, &FolderPicker::directoryListClicked);

        view->scrollTo(rowNamed(*view, "inner"));
        const QPoint at = view->visualRect(rowNamed(*view, "inner")).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(opened.count(), 0);
        QCOMPARE(picker.openDirectory(), toQt(dir.sub("roms")));
        QCOMPARE(picker.highlightedDirectory(), toQt(dir.sub("roms/inner")));

        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.first().first().toString(), toQt(dir.sub("roms/inner")));
        QCOMPARE(picker.openDirectory(), toQt(dir.sub("roms/inner")));
        // "other" was a sibling: once "inner" is open it is no longer shown.
        QVERIFY(!rowNamed(*view, "other").isValid());

        // Enter opens the highlighted row too: here the parent, back up one.
        view->setCurrentIndex(rowNamed(*view, "roms"));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(picker.openDirectory(), toQt(dir.sub("roms")));
        // On the open directory itself Enter is left to the dialog.
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(proceeded.count(), 1);
        QCOMPARE(opened.count(), 2);
        QVERIFY(dialogs.shown.empty());
    }
};

QTEST_MAIN(FolderPickerTest)
#include "folder_picker_test.moc"
