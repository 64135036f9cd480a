#include <QComboBox>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTreeView>
#include <QtTest>

#include "platform/temp_dir.h"
#include "ui/common/folder_picker.h"
#include "ui/common/qt_text.h"
#include "ui/support/scripted_dialogs.h"

using namespace tolm;
using namespace tolm::ui;

namespace {

// The rows of the tree, depth-first, each as its shown text indented by depth.
QStringList rows(const QTreeView& view) {
    QStringList out;
    const auto* model = view.model();
    std::function<void(const QModelIndex&, int)> walk = [&](const QModelIndex& parent, int depth) {
        for (int r = 0; r < model->rowCount(parent); ++r) {
            const QModelIndex index = model->index(r, 0, parent);
            out << QString(depth, QLatin1Char(' ')) + index.data().toString();
            walk(index, depth + 1);
        }
    };
    walk({}, 0);
    return out;
}

QModelIndex rowNamed(const QTreeView& view, const QString& name) {
    const auto matches = view.model()->match(view.model()->index(0, 0), Qt::DisplayRole, name, 1,
                                             Qt::MatchExactly | Qt::MatchRecursive);
    return matches.isEmpty() ? QModelIndex() : matches.first();
}

QStringList driveTexts(const QComboBox& box) {
    QStringList out;
    for (int i = 0; i < box.count(); ++i)
        out << box.itemText(i);
    return out;
}

} // namespace

class FolderPickerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsTheGivenDrivesAndStartsInTheCurrentDirectory() {
        test::ScriptedDialogs dialogs;
        QWidget owner;
        FolderPicker picker(dialogs, &owner, [] {
            return std::vector<std::string>{"/", "/media/ann/USB STICK", "/mnt/backup"};
        });
        QCOMPARE(picker.driveList()->objectName(), QStringLiteral("Drive1"));
        QCOMPARE(picker.directoryList()->objectName(), QStringLiteral("Dir1"));
        QCOMPARE(driveTexts(*picker.driveList()),
                 (QStringList{QStringLiteral("/"), QStringLiteral("/media/ann/USB STICK"),
                              QStringLiteral("/mnt/backup")}));
        QCOMPARE(picker.openDirectory(), QDir::currentPath());
        QCOMPARE(picker.driveList()->currentText(), QStringLiteral("/"));
        QVERIFY(dialogs.shown.empty());
    }

    void showsTheChainAndVisibleSubdirectories() {
        test::TempDir dir;
        dir.write("games/zeta/");
        dir.write("games/Alpha/");
        dir.write("games/.cache/");
        dir.write("games/manic.z80");
        test::ScriptedDialogs dialogs;
        QWidget owner;
        FolderPicker picker(dialogs, &owner);
        // A trailing separator is dropped; the drive holding it is shown.
        picker.setOpenDirectory(ui::toQt(dir.sub("games/")));
        QCOMPARE(picker.openDirectory(), ui::toQt(dir.sub("games")));
        const QStringList shown = rows(*picker.directoryList());
        QCOMPARE(shown.first(), QStringLiteral("/"));
        // The open directory sits at the end of its chain, its children under it.
        const QString depth(shown.size() - 3, QLatin1Char(' '));
        QCOMPARE(shown.mid(shown.size() - 3),
                 (QStringList{depth + QStringLiteral("games"), depth + QStringLiteral(" Alpha"),
                              depth + QStringLiteral(" zeta")}));
        QCOMPARE(picker.highlightedDirectory(), picker.openDirectory());

        // A directory that has gone opens its nearest readable parent.
        picker.setOpenDirectory(ui::toQt(dir.sub("games/missing/deeper")));
        QCOMPARE(picker.openDirectory(), ui::toQt(dir.sub("games")));
    }

    void singleClickHighlightsDoubleClickOpens() {
        test::TempDir dir;
        dir.write("roms/inner/");
        dir.write("roms/other/");
        test::ScriptedDialogs dialogs;
        QWidget owner;
        owner.resize(400, 600);
        FolderPicker picker(dialogs, &owner);
        picker.directoryList()->setGeometry(0, 0, 400, 600);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        picker.setOpenDirectory(ui::toQt(dir.sub("roms")));
        QSignalSpy opened(&picker, &FolderPicker::directoryOpened);
        QSignalSpy clicked(&picker, &FolderPicker::directoryListClicked);

        QTreeView* view = picker.directoryList();
        const QModelIndex inner = rowNamed(*view, QStringLiteral("inner"));
        QVERIFY(inner.isValid());
        view->scrollTo(inner);
        const QPoint at = view->visualRect(inner).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(opened.count(), 0);
        QCOMPARE(picker.openDirectory(), ui::toQt(dir.sub("roms")));
        QCOMPARE(picker.highlightedDirectory(), ui::toQt(dir.sub("roms/inner")));

        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.first().first().toString(), ui::toQt(dir.sub("roms/inner")));
        QCOMPARE(picker.openDirectory(), ui::toQt(dir.sub("roms/inner")));
        // "other" was a sibling: once "inner" is open it is no longer shown.
        QVERIFY(!rowNamed(*view, QStringLiteral("other")).isValid());

        // Enter opens the highlighted row too: here the parent, back up one.
        view->setCurrentIndex(rowNamed(*view, QStringLiteral("roms")));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(picker.openDirectory(), ui::toQt(dir.sub("roms")));
        QCOMPARE(opened.count(), 2);
        QVERIFY(dialogs.shown.empty());
    }

    void unreadableDriveShowsDriveErrorAndStaysPut() {
        test::TempDir dir;
        dir.write("here/");
        const std::string missing = dir.sub("no-such-drive");
        const std::string good = dir.sub("here");
        test::ScriptedDialogs dialogs;
        QWidget owner;
        FolderPicker picker(dialogs, &owner, [&] {
            return std::vector<std::string>{"/", missing, good};
        });
        picker.setOpenDirectory(ui::toQt(good));
        QCOMPARE(picker.driveList()->currentIndex(), 2);
        QSignalSpy opened(&picker, &FolderPicker::directoryOpened);

        picker.driveList()->setCurrentIndex(1);
        Q_EMIT picker.driveList()->activated(1);
        QCOMPARE(dialogs.shown.size(), std::size_t(1));
        const auto& box = dialogs.shown.front();
        QCOMPARE(box.title, QStringLiteral("Drive Error"));
        QCOMPARE(box.text, QStringLiteral("No such file or directory"));
        QCOMPARE(box.icon, UserDialogs::Icon::Critical);
        QCOMPARE(box.buttons, UserDialogs::Buttons::Ok);
        QCOMPARE(picker.openDirectory(), ui::toQt(good));
        QCOMPARE(picker.driveList()->currentIndex(), 1); // shows the chosen drive
        QCOMPARE(opened.count(), 0);

        // A readable drive opens at its root.
        picker.driveList()->setCurrentIndex(0);
        Q_EMIT picker.driveList()->activated(0);
        QCOMPARE(picker.openDirectory(), QStringLiteral("/"));
        QCOMPARE(opened.count(), 1);
        QCOMPARE(dialogs.shown.size(), std::size_t(1));
    }
};

QTEST_MAIN(FolderPickerTest)
#include "folder_picker_test.moc"
