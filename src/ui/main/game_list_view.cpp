#include "ui/main/game_list_view.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <algorithm>

#include "settings/extra_settings.h"
#include "ui/main/game_list_model.h"

namespace tolm::ui {
namespace {

// The local files a drag carries; empty when it carries anything else.
QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        files.append(url.toLocalFile());
    }
    return files;
}

bool isEnter(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

} // namespace

GameListView::GameListView(GameListModel& model, QWidget* parent)
    : QTreeView(parent), model_(model) {
    setObjectName(QStringLiteral("lstGames"));
    setAccessibleName(QStringLiteral("Games"));
    move(8, 0); // its left and top edges stay put; the window's layout sizes it
    setModel(&model_);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The view's own header sorting toggles per column; the list's rule is
    // "same column reverses, new column keeps the order", so clicks come here.
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(true);
    showSortIndicator();
    header()->setStretchLastSection(true);
    header()->resizeSection(GameListModel::NameColumn, 300);
    header()->resizeSection(GameListModel::PublisherColumn, 180);
    connect(header(), &QHeaderView::sectionClicked, this, &GameListView::sortClicked);
    viewport()->installEventFilter(this);
    installEventFilter(this);
    viewport()->setAcceptDrops(true);

    // The details follow the current row once it is selected, whatever
    // selected it: a left or right click, or the keyboard. A press makes a row
    // current before it selects it; the keyboard selects first.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &GameListView::followCurrentRow);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &GameListView::followCurrentRow);
    // A click on the row already shown shows it afresh (a file may have
    // appeared since); a click that selected a new row has shown it already.
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (!detailsShownSincePress_)
            Q_EMIT showRequested(index);
    });
}

void GameListView::showSortIndicator() {
    header()->setSortIndicator(model_.sortColumn(), model_.sortOrder());
}

void GameListView::refresh() {
    model_.refresh();
    showSortIndicator();
}

void GameListView::sortClicked(int column) {
    Qt::SortOrder order = model_.sortOrder();
    if (column == model_.sortColumn())
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    model_.sort(column, order);
    // The header flipped its own indicator already; show the list's rule.
    showSortIndicator();
}

void GameListView::restoreLayout(const ExtraSettings& extra) {
    for (std::size_t column = 0; column < extra.columnWidths.size(); ++column)
        header()->resizeSection(static_cast<int>(column), extra.columnWidths[column]);
    if (extra.sortColumn >= 0) {
        model_.sort(extra.sortColumn,
                    extra.sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
        showSortIndicator();
    }
}

void GameListView::saveLayout(ExtraSettings& extra, const std::string& path) const {
    extra.columnWidths.clear();
    for (int column = 0; column < GameListModel::ColumnCount; ++column)
        extra.columnWidths.push_back(header()->sectionSize(column));
    extra.sortColumn = model_.sortColumn();
    extra.sortDescending = model_.sortOrder() == Qt::DescendingOrder;
    // A preference, not data: a directory that refuses it refuses tolm.ini
    // too, and that failure is reported.
    (void)saveExtraSettings(extra, path);
}

std::vector<std::int32_t> GameListView::selectedPositions() const {
    std::vector<std::int32_t> positions;
    const int rows = model_.rowCount();
    for (int row = 0; row < rows; ++row) {
        if (selectionModel()->isRowSelected(row, QModelIndex()))
            positions.push_back(model_.positionAt(row));
    }
    return positions;
}

QModelIndex GameListView::selectPositions(const std::vector<std::int32_t>& positions) {
    std::vector<int> rows;
    rows.reserve(positions.size());
    for (const std::int32_t position : positions) {
        const int row = model_.rowOf(position);
        if (row >= 0)
            rows.push_back(row);
    }
    if (rows.empty())
        return {};
    // One range per run of adjacent rows: a range per game would hold the
    // window for seconds when a check finds thousands.
    std::sort(rows.begin(), rows.end());
    QItemSelection selection;
    for (std::size_t run = 0; run < rows.size();) {
        std::size_t end = run + 1;
        while (end < rows.size() && rows[end] <= rows[end - 1] + 1)
            ++end;
        selection.select(model_.index(rows[run], 0),
                         model_.index(rows[end - 1], GameListModel::ColumnCount - 1));
        run = end;
    }
    const QModelIndex first = model_.index(rows.front(), 0);
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    scrollTo(first);
    return first;
}

void GameListView::selectPosition(std::int32_t position) {
    const QModelIndex index = model_.index(model_.rowOf(position), 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

bool GameListView::showsEmptyHint() const {
    if (model_.isFiltered())
        return false;
    const int rows = model_.rowCount();
    return rows == 0 ||
           (rows == 1 &&
            model_.data(model_.index(0, GameListModel::NameColumn)).toString().isEmpty());
}

void GameListView::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    if (!showsEmptyHint())
        return;
    // Over the rows, not one of them: selection, keys and drops stay the list's.
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int margin = fontMetrics().averageCharWidth() * 4;
    painter.drawText(viewport()->rect().adjusted(margin, 0, -margin, 0),
                     Qt::AlignCenter | Qt::TextWordWrap, QString::fromLatin1(kEmptyHint));
}

void GameListView::markShown(const QModelIndex& index) {
    detailsShownSincePress_ = true;
    shownRow_ = index.siblingAtColumn(0);
}

void GameListView::followCurrentRow() {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isSelected(current))
        return;
    if (current.siblingAtColumn(0) == shownRow_)
        return; // shown already (a refresh of the list forgets the row)
    Q_EMIT showRequested(current);
}

bool GameListView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this && event->type() == QEvent::KeyPress &&
        isEnter(*static_cast<QKeyEvent*>(event))) {
        Q_EMIT runRequested(); // as a double click
        return true;
    }
    if (watched != viewport())
        return QTreeView::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (localFiles(drag->mimeData()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = localFiles(drop->mimeData());
        if (files.isEmpty())
            break;
        drop->acceptProposedAction();
        Q_EMIT filesDropped(files);
        return true;
    }
    case QEvent::MouseButtonPress:
        detailsShownSincePress_ = false;
        break;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // Anywhere over the list, empty space included.
        if (mouse->button() == Qt::RightButton)
            Q_EMIT popupRequested(mouse->globalPosition().toPoint());
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            Q_EMIT runRequested();
        break;
    default:
        break;
    }
    return QTreeView::eventFilter(watched, event);
}

} // namespace tolm::ui
