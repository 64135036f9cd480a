#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "state/app_state.h"
#include "ui/edit/add_game_dialog.h"
#include "ui/edit/edit_test_support.h"
#include "support/scripted_dialogs.h"

using namespace tolm;
using tolm::test::control;
using Dialog = tolm::ui::AddGameDialog;

namespace {

QLineEdit* edit(const Dialog& d, const char* name) {
    return control<QLineEdit>(d, name);
}
QPlainTextEdit* box(const Dialog& d, const char* name) {
    return control<QPlainTextEdit>(d, name);
}
QPushButton* button(const Dialog& d, const char* name) {
    return control<QPushButton>(d, name);
}
// Fills every box the way a user would before picking the file.
void typeEverything(const Dialog& d) {
    edit(d, "txtGameName")->setText(QStringLiteral("Typed"));
    edit(d, "txtYear")->setText(QStringLiteral("1984"));
    edit(d, "txtPublisher")->setText(QStringLiteral("Ocean"));
    box(d, "txtAuthors")->setPlainText(QStringLiteral("Someone"));
    box(d, "txtNotes")->setPlainText(QStringLiteral("Notes"));
    control<QComboBox>(d, "lstType")->setCurrentIndex(42);
}
QStringList contents(const Dialog& d) {
    return {edit(d, "txtGameName")->text(),
            edit(d, "txtYear")->text(),
            edit(d, "txtPublisher")->text(),
            box(d, "txtAuthors")->toPlainText(),
            box(d, "txtNotes")->toPlainText(),
            edit(d, "Text1")->text(),
            QString::number(control<QComboBox>(d, "lstType")->currentIndex())};
}

} // namespace

class AddGameDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensEmptyOnTheFirstGenre() {
        AppState state;
        test::ScriptedDialogs dialogs;
        Dialog d(state, dialogs);
        QCOMPARE(d.windowTitle(), QStringLiteral("Add Game"));
        QCOMPARE(d.objectName(), QStringLiteral("frmAddSingle"));
        QCOMPARE(control<QComboBox>(d, "lstType")->currentText(),
                 QStringLiteral("Arcade - Beat'em Up"));
        QCOMPARE(contents(d), (QStringList{{}, {}, {}, {}, {}, {}, QStringLiteral("0")}));
        QCOMPARE(button(d, "cmdFindRom")->text(), QStringLiteral("Find ROM"));
        QVERIFY(button(d, "cmdOK")->isEnabled());
        QCOMPARE(control<QTabWidget>(d, "SSTab1")->tabText(1), QStringLiteral("Notes"));
    }

    // Find ROM fills the file box and proposes the name (to the last "."),
    // empties four boxes and keeps the genre; the directory joins the ROM
    // paths at once unless it is there in any letter case.
    void findRom_data() {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QStringList>("pathsBefore");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("pathsAfter");
        QTest::newRow("blank in the name")
            << "/roms/Manic Miner.z80" << QStringList() << "Manic Miner.z80"
            << "Manic Miner" << QStringList{"/roms/"};
        QTest::newRow("registered in another case")
            << "/roms/Manic Miner.z80" << QStringList{"/ROMS/"} << "Manic Miner.z80"
            << "Manic Miner" << QStringList{"/ROMS/"};
        QTest::newRow("cut at the last dot")
            << "/r/Tau.Ceti.z80" << QStringList{"/a/"} << "Tau.Ceti.z80"
            << "Tau.Ceti" << QStringList{"/a/", "/r/"};
        QTest::newRow("a dot only in the directory")
            << "/my.games/README" << QStringList() << "README"
            << "README" << QStringList{"/my.games/"};
        QTest::newRow("only an extension") << "/r/.tap" << QStringList() << ".tap"
                                           << "" << QStringList{"/r/"};
        QTest::newRow("short path, once ignored") << "/a.z" << QStringList() << "a.z"
                                                  << "a" << QStringList{"/"};
    }
    void findRom() {
        QFETCH(QString, picked);
        QFETCH(QStringList, pathsBefore);
        QFETCH(QString, file);
        QFETCH(QString, name);
        QFETCH(QStringList, pathsAfter);
        AppState state;
        for (const QString& p : pathsBefore)
            state.settings.romPaths.push_back(ui::toStd(p));
        test::ScriptedDialogs dialogs;
        Dialog d(state, dialogs);
        typeEverything(d);
        dialogs.files.push_back(picked);
        button(d, "cmdFindRom")->click();
        QCOMPARE(dialogs.shown.front().title, QStringLiteral("Locate Rom"));
        QCOMPARE(contents(d), (QStringList{name, {}, {}, {}, {}, file, QStringLiteral("42")}));
        std::vector<std::string> expected;
        for (const QString& p : pathsAfter)
            expected.push_back(ui::toStd(p));
        QCOMPARE(state.settings.romPaths, expected);
        QVERIFY(state.catalogue.empty()); // only OK adds
    }

    // Cancelling the file dialog or a blank name no longer loses what was typed.
    void cancelledPickAndBlankNameKeepTheDialog() {
        AppState state;
        test::ScriptedDialogs dialogs;
        Dialog d(state, dialogs);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        typeEverything(d);
        const QStringList typed = contents(d);
        button(d, "cmdFindRom")->click(); // no scripted file: cancelled
        QVERIFY(d.isVisible());
        QCOMPARE(contents(d), typed);
        QVERIFY(state.settings.romPaths.empty());

        control<QTabWidget>(d, "SSTab1")->setCurrentIndex(1);
        edit(d, "txtGameName")->clear();
        button(d, "cmdOK")->click();
        QVERIFY(d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected)); // not closed
        const auto shown = dialogs.messages();
        QCOMPARE(shown.size(), std::size_t(1));
        QCOMPARE(shown[0].title, QStringLiteral("Unable to add"));
        QCOMPARE(shown[0].text, QStringLiteral("Gamename is blank"));
        QCOMPARE(shown[0].icon, ui::UserDialogs::Icon::Critical);
        QVERIFY(state.catalogue.empty());
        QCOMPARE(contents(d).mid(1), typed.mid(1));
        QCOMPARE(control<QTabWidget>(d, "SSTab1")->currentIndex(), 0);
        QTRY_VERIFY(edit(d, "txtGameName")->hasFocus());

        edit(d, "txtGameName")->setText(QStringLiteral("Now named"));
        button(d, "cmdOK")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(state.catalogue.size(), std::size_t(1));
    }

    void okAddsTheGame_data() {
        QTest::addColumn<bool>("emptied"); // after "remove all": one blank record
        QTest::newRow("unsized catalogue") << false;
        QTest::newRow("blank record reused") << true;
    }
    void okAddsTheGame() {
        QFETCH(bool, emptied);
        AppState state;
        if (emptied)
            state.catalogue.resize(1);
        test::ScriptedDialogs dialogs;
        Dialog d(state, dialogs);
        dialogs.files.push_back(QStringLiteral("/roms/Jet.Set.Willy.tap"));
        button(d, "cmdFindRom")->click();
        edit(d, "txtYear")->setText(QStringLiteral(" 19 84x"));
        edit(d, "txtPublisher")->setText(QStringLiteral("Software Projects"));
        box(d, "txtAuthors")->setPlainText(QStringLiteral("Matthew\nSmith"));
        box(d, "txtNotes")->setPlainText(QStringLiteral("Notes"));
        button(d, "cmdOK")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(state.catalogue.size(), std::size_t(1));
        const GameRecord& g = state.catalogue[0];
        QCOMPARE(g.name, std::string("Jet.Set.Willy"));
        QCOMPARE(g.romFile, std::string("Jet.Set.Willy.tap"));
        QCOMPARE(g.genre, 0);
        QCOMPARE(g.year, 1984);
        QCOMPARE(g.publisher, std::string("Software Projects"));
        QCOMPARE(g.authors, std::string("Matthew\r\nSmith"));
        QCOMPARE(g.notes, std::string("Notes"));
        QVERIFY(g.screenshots.empty() && g.musicFile.empty());
        QCOMPARE(state.settings.romPaths, std::vector<std::string>{"/roms/"});
    }

    void unstorablePickIsRefused() {
        AppState state;
        test::ScriptedDialogs dialogs;
        Dialog d(state, dialogs);
        dialogs.files.push_back(QString::fromUtf8("/\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0/x.tap"));
        button(d, "cmdFindRom")->click();
        QCOMPARE(contents(d), (QStringList{{}, {}, {}, {}, {}, {}, QStringLiteral("0")}));
        QVERIFY(state.settings.romPaths.empty());
        QCOMPARE(dialogs.messages().size(), std::size_t(1));
        QVERIFY(dialogs.messages()[0].text.endsWith(
            QStringLiteral("x.tap cannot be stored in the catalogue: its name has characters "
                           "outside Windows-1252.")));
    }
};

QTEST_MAIN(AddGameDialogTest)
#include "add_game_dialog_test.moc"
