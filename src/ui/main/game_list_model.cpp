#include "ui/main/game_list_model.h"

#include <QHash>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <algorithm>
#include <ctime>
#include <cmath>
#include <numeric>

#include "catalogue/catalogue_ops.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {
namespace {

std::int64_t secondsNow() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

} // namespace

namespace {

// A five-pointed star, drawn once at the list's icon size.
const QIcon& favouriteStar() {
    static const QIcon star = [] {
        constexpr int kSize = 16;
        QPixmap picture(kSize, kSize);
        picture.fill(Qt::transparent);
        QPolygonF points;
        for (int i = 0; i < 10; ++i) {
            const double radius = i % 2 == 0 ? 7.5 : 3.2;
            const double angle = -M_PI / 2 + i * M_PI / 5;
            points << QPointF(8 + radius * std::cos(angle), 8.5 + radius * std::sin(angle));
        }
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0xB0, 0x80, 0x00), 1));
        painter.setBrush(QColor(0xFF, 0xC8, 0x20));
        painter.drawPolygon(points);
        painter.end();
        return QIcon(picture);
    }();
    return star;
}

} // namespace

GameListModel::GameListModel(const GameCatalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent), catalogue_(catalogue) {}

int GameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GameListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString GameListModel::yearText(std::int32_t year) {
    return year == 0 ? QString() : QString::number(year);
}

QString GameListModel::columnText(const GameRecord& record, int column) {
    switch (column) {
    case NameColumn:
        return toQt(record.name);
    case PublisherColumn:
        return toQt(record.publisher);
    case YearColumn:
        return yearText(record.year);
    default:
        return {};
    }
}

// A screen reader reads a row by its first cell: name, publisher and year.
QString GameListModel::accessibleRowText(const GameRecord& record) {
    QStringList parts;
    for (int column = NameColumn; column < ColumnCount; ++column) {
        const QString text = columnText(record, column);
        if (!text.isEmpty())
            parts << text;
    }
    return parts.join(QStringLiteral(", "));
}

QVariant GameListModel::data(const QModelIndex& index, int role) const {
    const std::int32_t position = positionAt(index.row());
    // The catalogue may have shrunk since the last refresh; such rows show nothing.
    if (isNone(position) || static_cast<std::size_t>(position) >= catalogue_.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return columnText(catalogue_[position], index.column());
    case KeyRole:
        return toQt(itemKey(position));
    case PositionRole:
        return position;
    case Qt::DecorationRole:
        if (index.column() == NameColumn && history_ != nullptr && history_->favourite(position))
            return favouriteStar();
        return {};
    case Qt::AccessibleTextRole:
        if (index.column() != NameColumn)
            return columnText(catalogue_[position], index.column());
        if (history_ != nullptr && history_->favourite(position))
            return QString(accessibleRowText(catalogue_[position]) + QStringLiteral(", favourite"));
        return accessibleRowText(catalogue_[position]);
    default:
        return {};
    }
}

void GameListModel::favouritesChanged(const std::vector<std::int32_t>& positions) {
    for (const std::int32_t position : positions) {
        const int row = rowOf(position);
        if (row >= 0)
            Q_EMIT dataChanged(index(row, NameColumn), index(row, NameColumn),
                               {Qt::DecorationRole, Qt::AccessibleTextRole});
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
    // Asked once per game when many are selected (Check Files' "Select in
    // List"): one pass makes the answer for every position.
    if (rowIndex_.empty() && !rows_.empty()) {
        std::int32_t largest = 0;
        for (const std::int32_t shown : rows_)
            largest = std::max(largest, shown);
        rowIndex_.assign(static_cast<std::size_t>(largest) + 1, -1);
        for (std::size_t row = 0; row < rows_.size(); ++row)
            if (rows_[row] >= 0)
                rowIndex_[static_cast<std::size_t>(rows_[row])] = static_cast<int>(row);
    }
    if (position < 0 || static_cast<std::size_t>(position) >= rowIndex_.size())
        return -1;
    return rowIndex_[static_cast<std::size_t>(position)];
}

void GameListModel::refresh() {
    beginResetModel();
    sortedRows_.clear();
    ranksReady_.fill(false);
    filterIndexReady_ = false;
    for (auto& ranks : ranks_)
        ranks.clear();
    for (auto& texts : rankTexts_)
        texts.clear();
    if (catalogueHasEntries(catalogue_)) {
        sortedRows_.resize(catalogue_.size());
        std::iota(sortedRows_.begin(), sortedRows_.end(), 0);
        sortRows();
    }
    applyFilter();
    endResetModel();
    Q_EMIT catalogueChanged();
}

void GameListModel::setFilterText(const QString& typed) {
    GameFilter filter = parseFilter(toStd(typed));
    if (filter == filter_)
        return;
    beginResetModel();
    filter_ = std::move(filter);
    applyFilter();
    endResetModel();
}

QString GameListModel::filterError() const {
    return toQt(filter_.error);
}

void GameListModel::setFacts(std::vector<GameFacts> facts) {
    facts_ = std::move(facts);
    if (!filter_.terms.empty())
        replaceRows(filteredRows());
}

FacetCounts GameListModel::facetCounts() const {
    static const GameCatalogue none;
    return countFacets(catalogueHasEntries(catalogue_) ? catalogue_ : none, facts_, secondsNow());
}

void GameListModel::applyFilter() {
    rows_ = filteredRows();
    rowIndex_.clear();
}

std::vector<std::int32_t> GameListModel::filteredRows() {
    if (filter_.empty())
        return sortedRows_;
    if (!filter_.error.empty() || sortedRows_.empty())
        return {};
    std::vector<char> shown;
    if (filter_.words.empty()) {
        shown.assign(catalogue_.size(), 1);
    } else {
        if (!filterIndexReady_) {
            filterIndex_.rebuild(catalogue_);
            filterIndexReady_ = true;
        }
        filterIndex_.matchAll(filter_.words, shown);
    }
    applyTerms(filter_.terms, catalogue_, facts_, secondsNow(), shown);
    std::vector<std::int32_t> rows;
    for (const std::int32_t position : sortedRows_)
        if (position >= 0 && static_cast<std::size_t>(position) < shown.size() &&
            shown[static_cast<std::size_t>(position)])
            rows.push_back(position);
    return rows;
}

void GameListModel::gameChanged(std::int32_t position) {
    if (isNone(position) || static_cast<std::size_t>(position) >= catalogue_.size())
        return;
    ranksReady_.fill(false); // ranked again at the next sort
    // Folded again at the next keystroke; the row stays shown until then,
    // so a game does not vanish while it is being edited.
    filterIndexReady_ = false;
    const int row = rowOf(position);
    if (row >= 0)
        Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
    Q_EMIT catalogueChanged();
}

int GameListModel::gameEdited(std::int32_t position) {
    if (position < 0 || static_cast<std::size_t>(position) >= catalogue_.size())
        return -1;
    const int row = rowOf(position);
    if (row < 0)
        return -1;
    // The ranks are stale now; the next full sort ranks again. The filter's
    // texts likewise: folded again at the next keystroke, while the row stays
    // shown until then, so a game does not vanish while it is being edited.
    ranksReady_.fill(false);
    filterIndexReady_ = false;

    // The rows keep their order without this one; find its place among them
    // as sortRows would: case-folded text, then position, in the sort order.
    const QString text = columnText(catalogue_[position], sortColumn_).toCaseFolded();
    const bool ascending = sortOrder_ == Qt::AscendingOrder;
    const auto before = [&](std::int32_t other) {
        // Whether `other` sorts before the edited record.
        const int order = QString::compare(
            columnText(catalogue_[other], sortColumn_).toCaseFolded(), text, Qt::CaseSensitive);
        if (order != 0)
            return ascending ? order < 0 : order > 0;
        return other < position;
    };
    // The full order too, so that the rows a filter shows or gives back
    // later are in place.
    const auto sortedAt = std::find(sortedRows_.begin(), sortedRows_.end(), position);
    if (sortedAt != sortedRows_.end()) {
        sortedRows_.erase(sortedAt);
        sortedRows_.insert(std::partition_point(sortedRows_.begin(), sortedRows_.end(), before),
                           position);
    }
    std::vector<std::int32_t> others = rows_;
    others.erase(others.begin() + row);
    const auto place = std::partition_point(others.begin(), others.end(), before);
    const int target = static_cast<int>(place - others.begin());

    if (target != row) {
        // beginMoveRows takes the destination before the row is taken out.
        const int destination = target > row ? target + 1 : target;
        beginMoveRows(QModelIndex(), row, row, QModelIndex(), destination);
        rows_.erase(rows_.begin() + row);
        rows_.insert(rows_.begin() + target, position);
        rowIndex_.clear();
        endMoveRows();
    }
    Q_EMIT dataChanged(index(target, 0), index(target, ColumnCount - 1));
    Q_EMIT catalogueChanged();
    return target;
}

namespace {

// The first eight UTF-16 units of a text packed so that comparing the two
// words orders texts as comparing their units does (a shorter text is padded
// with zeros, which sort first). Most comparisons end here.
struct PrefixedText {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    std::uint32_t id = 0;
};

PrefixedText prefix(const QString& text, std::uint32_t id) {
    PrefixedText p;
    p.id = id;
    const qsizetype n = std::min<qsizetype>(text.size(), 8);
    for (qsizetype i = 0; i < n; ++i) {
        const std::uint64_t unit = text.at(i).unicode();
        if (i < 4)
            p.high |= unit << (16 * (3 - i));
        else
            p.low |= unit << (16 * (7 - i));
    }
    return p;
}

} // namespace

void GameListModel::ensureRanks(int column) {
    if (ranksReady_[column])
        return;
    // Distinct texts first: a column such as Publisher or Year repeats a few
    // values many times, and only the distinct ones need comparing.
    const std::size_t count = catalogue_.size();
    QHash<QString, std::uint32_t> ids;
    ids.reserve(static_cast<qsizetype>(count));
    std::vector<QString> distinct;
    std::vector<std::uint32_t> idOf(count);
    for (std::size_t position = 0; position < count; ++position) {
        QString key = columnText(catalogue_[position], column).toCaseFolded();
        const auto next = static_cast<std::uint32_t>(distinct.size());
        const auto it = ids.constFind(key);
        if (it != ids.constEnd()) {
            idOf[position] = it.value();
        } else {
            ids.insert(key, next);
            distinct.push_back(std::move(key));
            idOf[position] = next;
        }
    }

    std::vector<PrefixedText> order;
    order.reserve(distinct.size());
    for (std::uint32_t id = 0; id < distinct.size(); ++id)
        order.push_back(prefix(distinct[id], id));
    std::sort(order.begin(), order.end(), [&](const PrefixedText& a, const PrefixedText& b) {
        if (a.high != b.high)
            return a.high < b.high;
        if (a.low != b.low)
            return a.low < b.low;
        return QString::compare(distinct[a.id], distinct[b.id], Qt::CaseSensitive) < 0;
    });
    std::vector<std::uint32_t> rankOf(distinct.size());
    auto& texts = rankTexts_[column];
    texts.resize(order.size());
    for (std::uint32_t rank = 0; rank < order.size(); ++rank) {
        rankOf[order[rank].id] = rank;
        texts[rank] = std::move(distinct[order[rank].id]);
    }

    auto& ranks = ranks_[column];
    ranks.resize(count);
    for (std::size_t position = 0; position < count; ++position)
        ranks[position] = rankOf[idOf[position]];
    ranksReady_[column] = true;
}

void GameListModel::sortRows() {
    if (sortedRows_.empty())
        return;
    ensureRanks(sortColumn_);
    const auto& ranks = ranks_[sortColumn_];
    const bool ascending = sortOrder_ == Qt::AscendingOrder;
    // Rank in the high half, position in the low half: equal texts go in
    // catalogue order in both directions, so the order never depends on what
    // the list looked like before.
    std::vector<std::uint64_t> keyed;
    keyed.reserve(sortedRows_.size());
    for (const std::int32_t position : sortedRows_) {
        const std::uint64_t rank = static_cast<std::size_t>(position) < ranks.size()
                                       ? ranks[static_cast<std::size_t>(position)]
                                       : 0;
        const std::uint64_t ordered = ascending ? rank : 0xFFFFFFFFu - rank;
        keyed.push_back((ordered << 32) | static_cast<std::uint32_t>(position));
    }
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t row = 0; row < keyed.size(); ++row)
        sortedRows_[row] = static_cast<std::int32_t>(keyed[row] & 0xFFFFFFFFu);
}

void GameListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount)
        return;
    sortColumn_ = column;
    sortOrder_ = order;
    if (sortedRows_.empty())
        return;

    sortRows();
    std::vector<std::int32_t> rows;
    // The filter keeps its rows' new order without matching again.
    if (isFiltered()) {
        std::vector<char> shown(catalogue_.size() + 1, 0);
        for (const std::int32_t position : rows_)
            if (position >= 0 && static_cast<std::size_t>(position) < shown.size())
                shown[static_cast<std::size_t>(position)] = 1;
        for (const std::int32_t position : sortedRows_)
            if (position >= 0 && static_cast<std::size_t>(position) < shown.size() &&
                shown[static_cast<std::size_t>(position)])
                rows.push_back(position);
    } else {
        rows = sortedRows_;
    }
    replaceRows(std::move(rows));
}

void GameListModel::replaceRows(std::vector<std::int32_t> rows,
                                const std::vector<std::int32_t>* positionNow) {
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Selection and current item follow their games to the new rows.
    const QModelIndexList before = persistentIndexList();
    std::vector<std::int32_t> positions;
    positions.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before) {
        std::int32_t position = positionAt(index.row());
        if (positionNow != nullptr && position >= 0)
            position = static_cast<std::size_t>(position) < positionNow->size()
                           ? (*positionNow)[static_cast<std::size_t>(position)]
                           : -1;
        positions.push_back(position);
    }
    rows_ = std::move(rows);
    rowIndex_.clear();

    if (before.isEmpty()) {
        Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        return;
    }
    std::vector<int> rowByPosition(catalogue_.size() + 1, -1);
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const std::int32_t position = rows_[row];
        if (!isNone(position) && static_cast<std::size_t>(position) < rowByPosition.size())
            rowByPosition[position] = static_cast<int>(row);
    }
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const std::int32_t position = positions[static_cast<std::size_t>(i)];
        const int row =
            (!isNone(position) && static_cast<std::size_t>(position) < rowByPosition.size())
                ? rowByPosition[position]
                : -1;
        after.push_back(row < 0 ? QModelIndex() : index(row, before[i].column()));
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void GameListModel::gamesRemoved(const std::vector<std::int32_t>& positions) {
    const std::size_t before = sortedRows_.size();
    std::vector<char> removed(before, 0);
    for (const std::int32_t position : positions)
        if (position >= 0 && static_cast<std::size_t>(position) < before)
            removed[static_cast<std::size_t>(position)] = 1;
    // Later games moved up by the removed ones before them.
    std::vector<std::int32_t> positionNow(before, -1);
    std::int32_t next = 0;
    for (std::size_t position = 0; position < before; ++position)
        if (!removed[position])
            positionNow[position] = next++;
    if (before == 0 || !catalogueHasEntries(catalogue_) ||
        static_cast<std::size_t>(next) != catalogue_.size()) {
        refresh(); // not the removal this list knows of
        return;
    }
    std::vector<std::int32_t> sorted;
    sorted.reserve(catalogue_.size());
    for (const std::int32_t position : sortedRows_)
        if (positionNow[static_cast<std::size_t>(position)] >= 0)
            sorted.push_back(positionNow[static_cast<std::size_t>(position)]);
    sortedRows_ = std::move(sorted);
    // The ranks keep their order; the removed games' texts stay ranked, unused.
    for (int column = 0; column < ColumnCount; ++column) {
        if (!ranksReady_[column] || ranks_[column].size() != before) {
            ranksReady_[column] = false;
            continue;
        }
        std::vector<std::uint32_t> ranks(catalogue_.size());
        for (std::size_t position = 0; position < before; ++position)
            if (positionNow[position] >= 0)
                ranks[static_cast<std::size_t>(positionNow[position])] = ranks_[column][position];
        ranks_[column] = std::move(ranks);
    }
    filterIndexReady_ = false;
    // The facts move up with their games until they are found again.
    std::vector<GameFacts> facts(catalogue_.size());
    for (std::size_t position = 0; position < std::min(before, facts_.size()); ++position)
        if (positionNow[position] >= 0)
            facts[static_cast<std::size_t>(positionNow[position])] = facts_[position];
    facts_ = std::move(facts);
    replaceRows(filteredRows(), &positionNow);
    Q_EMIT catalogueChanged();
}

struct GameListModel::AppendPlan {
    std::size_t count = 0; // catalogue size it was made for
    int column = 0;
    Qt::SortOrder order = Qt::AscendingOrder;
    std::vector<std::int32_t> sortedRows;
    std::vector<std::uint32_t> ranks;
    std::vector<QString> rankTexts;
};

void GameListModel::gamesAppended(std::size_t first, std::shared_ptr<AppendPlan> plan) {
    if (first >= catalogue_.size())
        return; // nothing new
    if (!plan)
        plan = planAppend(first);
    // Made for another catalogue or order, or none could be made: rebuilt.
    if (!plan || plan->count != catalogue_.size() || plan->column != sortColumn_ ||
        plan->order != sortOrder_ || sortedRows_.size() != first) {
        refresh();
        return;
    }
    AppendPlan& taken = *plan;
    ranks_[sortColumn_] = std::move(taken.ranks);
    rankTexts_[sortColumn_] = std::move(taken.rankTexts);
    sortedRows_ = std::move(taken.sortedRows);
    // The filter's texts are folded again when a filter needs them; the
    // other columns are ranked again at their next sort.
    filterIndexReady_ = false;
    for (int column = 0; column < ColumnCount; ++column)
        if (column != sortColumn_)
            ranksReady_[column] = false;
    replaceRows(filteredRows());
    Q_EMIT catalogueChanged();
}

std::shared_ptr<GameListModel::AppendPlan> GameListModel::planAppend(std::size_t first) const {
    const std::size_t count = catalogue_.size();
    const int column = sortColumn_;
    if (first == 0 || first > count || sortedRows_.size() != first || !ranksReady_[column] ||
        ranks_[column].size() != first)
        return nullptr;
    const std::vector<QString>& texts = rankTexts_[column];
    const std::vector<std::uint32_t>& ranks = ranks_[column];
    const bool ascending = sortOrder_ == Qt::AscendingOrder;
    const auto less = [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseSensitive) < 0;
    };

    // A new text's key among the old ranks: 2r + 1 when it equals rank r's
    // text (after the old rows of that rank, whose positions are smaller),
    // 2r when it falls just before it. The old rows' keys are 2 rank + 1.
    struct Added {
        std::uint64_t key;
        QString text;
        std::int32_t position;
    };
    std::vector<Added> added;
    added.reserve(count - first);
    for (std::size_t position = first; position < count; ++position) {
        QString text = columnText(catalogue_[position], column).toCaseFolded();
        const auto at = std::lower_bound(texts.begin(), texts.end(), text, less);
        const std::uint64_t rank = static_cast<std::uint64_t>(at - texts.begin());
        const bool equal = at != texts.end() && *at == text;
        added.push_back(
            {2 * rank + (equal ? 1 : 0), std::move(text), static_cast<std::int32_t>(position)});
    }
    std::sort(added.begin(), added.end(), [&](const Added& a, const Added& b) {
        if (a.key != b.key)
            return ascending ? a.key < b.key : a.key > b.key;
        const int order = QString::compare(a.text, b.text, Qt::CaseSensitive);
        if (order != 0)
            return ascending ? order < 0 : order > 0;
        return a.position < b.position;
    });

    std::vector<std::int32_t> merged;
    merged.reserve(count);
    std::size_t next = 0;
    for (const std::int32_t position : sortedRows_) {
        const std::uint64_t key = 2 * std::uint64_t{ranks[static_cast<std::size_t>(position)]} + 1;
        // On equal keys the old row goes first: its position is smaller.
        while (next < added.size() && (ascending ? added[next].key < key : added[next].key > key))
            merged.push_back(added[next++].position);
        merged.push_back(position);
    }
    for (; next < added.size(); ++next)
        merged.push_back(added[next].position);

    // Rank everything again, from the merged order read in ascending text.
    std::vector<std::uint32_t> slotOf(count - first);
    for (std::size_t i = 0; i < added.size(); ++i)
        slotOf[static_cast<std::size_t>(added[i].position) - first] = static_cast<std::uint32_t>(i);
    std::vector<std::uint32_t> newRanks(count);
    std::vector<QString> newTexts;
    newTexts.reserve(texts.size() + added.size());
    const auto isNew = [first](std::int32_t position) {
        return static_cast<std::size_t>(position) >= first;
    };
    std::int32_t previous = -1;
    const auto sameText = [&](std::int32_t a, std::int32_t b) {
        const auto index = [](std::int32_t p) { return static_cast<std::size_t>(p); };
        if (!isNew(a) && !isNew(b))
            return ranks[index(a)] == ranks[index(b)];
        if (isNew(a) && isNew(b))
            return added[slotOf[index(a) - first]].text == added[slotOf[index(b) - first]].text;
        const std::int32_t old = isNew(a) ? b : a;
        const std::int32_t young = isNew(a) ? a : b;
        return added[slotOf[index(young) - first]].key == 2 * std::uint64_t{ranks[index(old)]} + 1;
    };
    const auto visit = [&](std::int32_t position) {
        if (previous < 0 || !sameText(previous, position)) {
            const auto p = static_cast<std::size_t>(position);
            newTexts.push_back(isNew(position) ? added[slotOf[p - first]].text : texts[ranks[p]]);
        }
        newRanks[static_cast<std::size_t>(position)] =
            static_cast<std::uint32_t>(newTexts.size() - 1);
        previous = position;
    };
    if (ascending)
        std::for_each(merged.begin(), merged.end(), visit);
    else
        std::for_each(merged.rbegin(), merged.rend(), visit);

    auto plan = std::make_shared<AppendPlan>();
    plan->count = count;
    plan->column = column;
    plan->order = sortOrder_;
    plan->sortedRows = std::move(merged);
    plan->ranks = std::move(newRanks);
    plan->rankTexts = std::move(newTexts);
    return plan;
}

} // namespace tolm::ui
