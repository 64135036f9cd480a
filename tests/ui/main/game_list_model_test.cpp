#include <QTest>

#include "main_test_support.h"
#include "ui/main/game_list_model.h"

using tolm::ui::GameListModel;

namespace {

QList<int> Positions(const GameListModel& model) {
    QList<int> positions;
    for (int row = 0; row < model.rowCount(); ++row)
        positions << model.positionAt(row);
    return positions;
}

} // namespace

class GameListModelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sortOrders_data();
    void sortOrders();
    void followsTheCatalogue();
};

void GameListModelTest::sortOrders_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");
    QTest::addColumn<QList<int>>("positions");
    // Case is ignored; equal texts ("ocean", "Ocean") stay in catalogue order.
    QTest::newRow("publisher asc") << 1 << int(Qt::AscendingOrder) << QList<int>{4, 2, 1, 3, 0};
    QTest::newRow("publisher desc") << 1 << int(Qt::DescendingOrder) << QList<int>{0, 1, 3, 2, 4};
    QTest::newRow("year desc, as text")
        << 2 << int(Qt::DescendingOrder) << QList<int>{4, 0, 3, 2, 1};
}

void GameListModelTest::sortOrders() {
    QFETCH(int, column);
    QFETCH(int, order);
    QFETCH(QList<int>, positions);
    tolm::GameCatalogue catalogue = tolm::test::FiveGames();
    GameListModel model(catalogue);
    model.refresh();
    model.sort(column, Qt::SortOrder(order));
    QCOMPARE(Positions(model), positions);
    model.refresh(); // sorts again the same way
    QCOMPARE(Positions(model), positions);
}

void GameListModelTest::followsTheCatalogue() {
    tolm::GameCatalogue catalogue = tolm::test::FiveGames();
    GameListModel model(catalogue);
    model.refresh();
    // Shrunk by someone who has not refreshed yet: the stale rows show nothing.
    catalogue.resize(2);
    QVERIFY(!model.data(model.index(model.rowOf(4), 0)).isValid());
    QVERIFY(!model.data(model.index(model.rowOf(4), 0), GameListModel::KeyRole).isValid());
    catalogue = tolm::test::FiveGames();
    catalogue.erase(catalogue.begin() + 1); // the rest close up
    model.refresh();
    QCOMPARE(model.data(model.index(0, 0), GameListModel::KeyRole).toString(),
             QStringLiteral("game0"));
    QCOMPARE(model.data(model.index(1, 0), GameListModel::KeyRole).toString(),
             QStringLiteral("game2"));
    // A renamed game shows its new name, and the next sort sees it.
    catalogue[2].Name = "aardvark";
    model.gameChanged(2);
    QCOMPARE(model.data(model.index(model.rowOf(2), 0)).toString(), QStringLiteral("aardvark"));
    model.sort(0, Qt::AscendingOrder);
    QCOMPARE(model.positionAt(0), 2);
    // "Remove all" leaves one blank record, listed as one empty row.
    catalogue.assign(1, tolm::GameRecord{});
    model.refresh();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.data(model.index(0, 2)).toString(), QString());
}

QTEST_MAIN(GameListModelTest)
#include "game_list_model_test.moc"
