#include "ui/main/game_list_model.h"

#include <algorithm>
#include <numeric>

#include "catalogue/catalogue_ops.h"
#include "ui/common/qt_text.h"

namespace tolm::ui {

GameListModel::GameListModel(const GameCatalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent), catalogue_(catalogue) {}

int GameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GameListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString GameListModel::YearText(std::int32_t year) {
    return year == 0 ? QString() : QString::number(year);
}

QString GameListModel::ColumnText(const GameRecord& record, int column) {
    switch (column) {
    case NameColumn:
        return toQt(record.Name);
    case PublisherColumn:
        return toQt(record.Publisher);
    case YearColumn:
        return YearText(record.Year);
    default:
        return {};
    }
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    const std::int32_t position = positionAt(index.row());
    // The catalogue may have shrunk since the last refresh; such rows show nothing.
    if (position < 0 || static_cast<std::size_t>(position) >= catalogue_.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return ColumnText(catalogue_[position], index.column());
    case KeyRole:
        return toQt(ItemKey(position));
    case PositionRole:
        return position;
    default:
        return {};
    }
}

QVariant GameListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn:
        return QStringLiteral("Name");
    case PublisherColumn:
        return QStringLiteral("Publisher");
    case YearColumn:
        return QStringLiteral("Year");
    default:
        return {};
    }
}

std::int32_t GameListModel::positionAt(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return -1;
    return rows_[static_cast<std::size_t>(row)];
}

int GameListModel::rowOf(std::int32_t position) const {
    const auto it = std::find(rows_.begin(), rows_.end(), position);
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

void GameListModel::refresh() {
    beginResetModel();
    rows_.clear();
    keysReady_.fill(false);
    for (auto& keys : keys_)
        keys.clear();
    if (CatalogueHasEntries(catalogue_)) {
        rows_.resize(catalogue_.size());
        std::iota(rows_.begin(), rows_.end(), 0);
        sortRows();
    }
    endResetModel();
}

void GameListModel::gameChanged(std::int32_t position) {
    if (position < 0 || static_cast<std::size_t>(position) >= catalogue_.size())
        return;
    for (int column = 0; column < ColumnCount; ++column) {
        if (keysReady_[column] && static_cast<std::size_t>(position) < keys_[column].size())
            keys_[column][position] = ColumnText(catalogue_[position], column).toCaseFolded();
    }
    const int row = rowOf(position);
    if (row >= 0)
        Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void GameListModel::ensureKeys(int column) {
    if (keysReady_[column])
        return;
    auto& keys = keys_[column];
    keys.clear();
    keys.reserve(catalogue_.size());
    for (const GameRecord& record : catalogue_)
        keys.push_back(ColumnText(record, column).toCaseFolded());
    keysReady_[column] = true;
}

void GameListModel::sortRows() {
    if (rows_.empty())
        return;
    ensureKeys(sortColumn_);
    const auto& keys = keys_[sortColumn_];
    const auto keyOf = [&keys](std::int32_t position) -> const QString& {
        static const QString empty;
        return static_cast<std::size_t>(position) < keys.size() ? keys[position] : empty;
    };
    // Equal texts go in catalogue order in both directions, so the order
    // never depends on what the list looked like before.
    const bool ascending = sortOrder_ == Qt::AscendingOrder;
    std::sort(rows_.begin(), rows_.end(), [&](std::int32_t a, std::int32_t b) {
        const int order = QString::compare(keyOf(a), keyOf(b), Qt::CaseSensitive);
        if (order != 0)
            return ascending ? order < 0 : order > 0;
        return a < b;
    });
}

void GameListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount)
        return;
    sortColumn_ = column;
    sortOrder_ = order;
    if (rows_.empty())
        return;

    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Selection and current item follow their games to the new rows.
    const QModelIndexList before = persistentIndexList();
    std::vector<std::int32_t> positions;
    positions.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before)
        positions.push_back(positionAt(index.row()));

    sortRows();

    if (before.isEmpty()) {
        Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        return;
    }
    std::vector<int> rowByPosition(catalogue_.size() + 1, -1);
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const std::int32_t position = rows_[row];
        if (position >= 0 && static_cast<std::size_t>(position) < rowByPosition.size())
            rowByPosition[position] = static_cast<int>(row);
    }
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const std::int32_t position = positions[static_cast<std::size_t>(i)];
        const int row = (position >= 0 && static_cast<std::size_t>(position) < rowByPosition.size())
                            ? rowByPosition[position]
                            : -1;
        after.push_back(row < 0 ? QModelIndex() : index(row, before[i].column()));
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace tolm::ui
