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
    // What each dialog's filters let through, whatever the letter case.
    void dialogFiltersMatch_data() {
        QTest::addColumn<QString>("pairs");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shown");
        const QString rom = romFileFilter(), pic = pictureFileFilter();
        QTest::newRow("games: lower-case z80") << rom << 0 << "game.z80" << true;
        QTest::newRow("games, all files: no extension") << rom << 6 << "README" << true;
        QTest::newRow("games: not a picture") << rom << 0 << "a.png" << false;
        // The Spectrum's own screens are pictures too, offered among all and by name (last).
        QTest::newRow("pictures: a screen") << pic << 0 << "LOADING.SCR" << true;
        QTest::newRow("pictures, screens only: scr") << pic << -1 << "loading.scr" << true;
    }
    void dialogFiltersMatch() {
        QFETCH(QString, pairs);
        QFETCH(int, filter);
        QFETCH(QString, name);
        QFETCH(bool, shown);
        const auto patterns = patternsOf(qtNameFilters(pairs));
        QVERIFY(filter < patterns.size());
        QCOMPARE(matches(filter < 0 ? patterns.last() : patterns[filter], name), shown);
    }
};

QTEST_MAIN(NameFiltersTest)
#include "name_filters_test.moc"
