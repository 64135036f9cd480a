#include <QRegularExpression>
#include <QtTest>

#include "ui/common/name_filters.h"
#include "ui/common/user_dialogs.h"
#include "ui/edit/file_filters.h"

using namespace tolm::ui;

namespace {

// The patterns of each Qt filter ("Desc (p1 p2)"), as the dialog reads them.
QList<QStringList> patternsOf(const QString& qtFilters) {
    QList<QStringList> out;
    static const QRegularExpression last(QStringLiteral("\\(([^()]*)\\)$"));
    for (const QString& filter : qtFilters.split(QStringLiteral(";;")))
        out << last.match(filter).captured(1).split(QLatin1Char(' '));
    return out;
}

bool matches(const QStringList& patterns, const QString& name) {
    for (const QString& p : patterns)
        if (QRegularExpression::fromWildcard(p, Qt::CaseSensitive).match(name).hasMatch())
            return true;
    return false;
}

} // namespace

class NameFiltersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void translation_data() {
        QTest::addColumn<QString>("pairs");
        QTest::addColumn<QString>("qt");
        QTest::newRow("one letter case each") << "Z80 (*.Z80)|*.Z80"
                                              << "Z80 (*.Z80) (*.[zZ]80)";
        QTest::newRow("comma-separated list is two patterns")
            << "Jpeg (*.jpg,*.jpeg)|*.jpg,*.jpeg"
            << "Jpeg (*.jpg,*.jpeg) (*.[jJ][pP][gG] *.[jJ][pP][eE][gG])";
        QTest::newRow("semicolons too, repeats once, pairs kept in order")
            << "A|*.a;*.A|All files (*.*)|*.*"
            << "A (*.[aA]);;All files (*.*) (*)";
        QTest::newRow("a lone description is dropped") << "A|*.a|B"
                                                       << "A (*.[aA])";
    }
    void translation() {
        QFETCH(QString, pairs);
        QFETCH(QString, qt);
        QCOMPARE(qtNameFilters(pairs), qt);
    }

    // What each dialog's filters let through, whatever the letter case.
    void dialogFiltersMatch_data() {
        QTest::addColumn<QString>("pairs");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shown");
        const QString rom = romFileFilter(), pic = pictureFileFilter();
        QTest::newRow("games: lower-case z80") << rom << 0 << "game.z80" << true;
        QTest::newRow("games: TZX") << rom << 0 << "GAME.TZX" << true;
        QTest::newRow("games: zx riff") << rom << 0 << "a.zxs" << true;
        QTest::newRow("games: not a picture") << rom << 0 << "a.png" << false;
        QTest::newRow("games, Z80 only: a tape") << rom << 1 << "a.tap" << false;
        QTest::newRow("games, all files: no extension") << rom << 6 << "README" << true;
        QTest::newRow("pictures: png") << pic << 0 << "shot.PNG" << true;
        QTest::newRow("pictures: jpeg") << pic << 0 << "shot.Jpeg" << true;
        QTest::newRow("pictures: not a game") << pic << 0 << "shot.z80" << false;
        QTest::newRow("pictures, Jpeg only: jpg") << pic << 3 << "x.JPG" << true;
        QTest::newRow("music: anything") << musicFileFilter() << 0 << "tune" << true;
    }
    void dialogFiltersMatch() {
        QFETCH(QString, pairs);
        QFETCH(int, filter);
        QFETCH(QString, name);
        QFETCH(bool, shown);
        const auto patterns = patternsOf(qtNameFilters(pairs));
        QVERIFY(filter < patterns.size());
        QCOMPARE(matches(patterns[filter], name), shown);
    }

    void pictureFilterStartsWithAllPictures() {
        QVERIFY(pictureFileFilter().startsWith(QStringLiteral("All pictures (")));
        QVERIFY(romFileFilter().contains(QStringLiteral(
            "Z80 (*.Z80)|*.Z80|ZX Riff (*.ZX*)|*.ZX*|Snapshot (*.SNA)|*.SNA|Tape Images "
            "(*.TAP)|*.TAP|")));
        QVERIFY(pictureFileFilter().contains(QStringLiteral(
            "Windows Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif|Jpeg (*.jpg,*.jpeg)|*.jpg,*.jpeg")));
        // The Spectrum's own screens are pictures too, offered by name and among all.
        const QList<QStringList> patterns = patternsOf(qtNameFilters(pictureFileFilter()));
        QVERIFY(matches(patterns.first(), QStringLiteral("LOADING.SCR")));
        QVERIFY(matches(patterns.last(), QStringLiteral("loading.scr")));
    }
};

QTEST_MAIN(NameFiltersTest)
#include "name_filters_test.moc"
