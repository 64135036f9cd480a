#include <QSignalSpy>
#include <QTest>

#include "catalogue/game_record.h"
#include "main_test_support.h"
#include "ui/main/game_list_model.h"

using tolm::GameCatalogue;
using tolm::test::Game;
using tolm::ui::GameListModel;

namespace {

// Names of the rows in display order.
QStringList Names(const GameListModel& model) {
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names << model.data(model.index(row, 0)).toString();
    return names;
}

QList<int> Positions(const GameListModel& model) {
    QList<int> positions;
    for (int row = 0; row < model.rowCount(); ++row)
        positions << model.positionAt(row);
    return positions;
}

GameCatalogue FiveGames() {
    return {Game("beta", "Zeta", 1985), Game("Alpha", "ocean", 0), Game("gamma", "Imagine", -5),
            Game("Delta", "Ocean", 1984), Game("eps", "Bug", 200)};
}

} // namespace

class GameListModelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowTexts_data();
    void rowTexts();
    void sortOrders_data();
    void sortOrders();
    void unsizedAndEmptied();
    void sortKeepsSelectionOnItsGames();
    void refreshFollowsTheCatalogue();
    void staleRowsShowNothing();
    void changedGameResorts();
};

void GameListModelTest::rowTexts_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("yearText");
    QTest::newRow("no year") << 0 << QString();
    QTest::newRow("year") << 1984 << QStringLiteral("1984");
    QTest::newRow("negative year") << -5 << QStringLiteral("-5");
    QTest::newRow("one") << 1 << QStringLiteral("1");
}

void GameListModelTest::rowTexts() {
    QFETCH(int, year);
    QFETCH(QString, yearText);
    GameCatalogue catalogue{Game("Skip", "Nobody", 1), Game("Manic Miner", "Bug-Byte", year)};
    GameListModel model(catalogue);
    model.refresh();
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 3);
    const int row = model.rowOf(1);
    QCOMPARE(model.data(model.index(row, 0)).toString(), QStringLiteral("Manic Miner"));
    QCOMPARE(model.data(model.index(row, 1)).toString(), QStringLiteral("Bug-Byte"));
    QCOMPARE(model.data(model.index(row, 2)).toString(), yearText);
    QCOMPARE(model.data(model.index(row, 2), GameListModel::KeyRole).toString(),
             QStringLiteral("game1"));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Year"));
}

void GameListModelTest::sortOrders_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");
    QTest::addColumn<QList<int>>("positions");
    const int asc = Qt::AscendingOrder;
    const int desc = Qt::DescendingOrder;
    // Text compares ignore case; equal texts stay in catalogue order.
    QTest::newRow("name asc") << 0 << asc << QList<int>{1, 0, 3, 4, 2};
    QTest::newRow("name desc") << 0 << desc << QList<int>{2, 4, 3, 0, 1};
    QTest::newRow("publisher asc") << 1 << asc << QList<int>{4, 2, 1, 3, 0};
    QTest::newRow("publisher desc") << 1 << desc << QList<int>{0, 1, 3, 2, 4};
    // Year sorts as text: "" < "-5" < "1984" < "1985" < "200".
    QTest::newRow("year asc") << 2 << asc << QList<int>{1, 2, 3, 0, 4};
    QTest::newRow("year desc") << 2 << desc << QList<int>{4, 0, 3, 2, 1};
}

void GameListModelTest::sortOrders() {
    QFETCH(int, column);
    QFETCH(int, order);
    QFETCH(QList<int>, positions);
    GameCatalogue catalogue = FiveGames();
    GameListModel model(catalogue);
    model.refresh();
    model.sort(column, Qt::SortOrder(order));
    QCOMPARE(Positions(model), positions);
    // A refresh sorts again by the same column and order.
    model.refresh();
    QCOMPARE(Positions(model), positions);
}

void GameListModelTest::unsizedAndEmptied() {
    GameCatalogue catalogue;
    GameListModel model(catalogue);
    model.refresh();
    QCOMPARE(model.rowCount(), 0);

    catalogue.assign(1, tolm::GameRecord{}); // after "remove all"
    model.refresh();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(Names(model), QStringList{QString()});
    QCOMPARE(model.data(model.index(0, 2)).toString(), QString());
}

void GameListModelTest::sortKeepsSelectionOnItsGames() {
    GameCatalogue catalogue = FiveGames();
    GameListModel model(catalogue);
    model.refresh();
    QPersistentModelIndex gamma(model.index(model.rowOf(2), 1));
    QPersistentModelIndex beta(model.index(model.rowOf(0), 0));
    model.sort(2, Qt::DescendingOrder);
    QCOMPARE(model.data(gamma.sibling(gamma.row(), 0)).toString(), QStringLiteral("gamma"));
    QCOMPARE(gamma.column(), 1);
    QCOMPARE(model.data(beta).toString(), QStringLiteral("beta"));
}

void GameListModelTest::refreshFollowsTheCatalogue() {
    GameCatalogue catalogue = FiveGames();
    GameListModel model(catalogue);
    model.refresh();
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    catalogue.erase(catalogue.begin() + 1); // Alpha gone, the rest close up
    model.refresh();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(Names(model), (QStringList{QStringLiteral("beta"), QStringLiteral("Delta"),
                                        QStringLiteral("eps"), QStringLiteral("gamma")}));
    QCOMPARE(model.data(model.index(1, 0), GameListModel::KeyRole).toString(),
             QStringLiteral("game2"));
}

void GameListModelTest::staleRowsShowNothing() {
    GameCatalogue catalogue = FiveGames();
    GameListModel model(catalogue);
    model.refresh();
    catalogue.resize(2); // shrunk by someone who has not refreshed yet
    const int row = model.rowOf(4);
    QVERIFY(row >= 0);
    QVERIFY(!model.data(model.index(row, 0)).isValid());
    QVERIFY(!model.data(model.index(row, 0), GameListModel::KeyRole).isValid());
    QVERIFY(!model.data(model.index(99, 0)).isValid());
}

void GameListModelTest::changedGameResorts() {
    GameCatalogue catalogue = FiveGames();
    GameListModel model(catalogue);
    model.refresh();
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    catalogue[2].Name = "aardvark";
    model.gameChanged(2);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.data(model.index(model.rowOf(2), 0)).toString(), QStringLiteral("aardvark"));
    // The next sort sees the new name.
    model.sort(0, Qt::AscendingOrder);
    QCOMPARE(model.positionAt(0), 2);
}

QTEST_MAIN(GameListModelTest)
#include "game_list_model_test.moc"
