#include "ui/main/duplicates_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "state/app_state.h"
#include "ui/main/check_files_window.h"
#include "ui/widgets/background_job.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {
namespace {

constexpr int kPositionRole = Qt::UserRole;

QString kindText(const DuplicateGroup& group) {
    const QString kind = group.kind == DuplicateGroup::Kind::SameFile ? QStringLiteral("Same file")
                                                                      : QStringLiteral("Same game");
    return kind + QStringLiteral(" (%1 games)").arg(group.games.size());
}

} // namespace

DuplicatesWindow::DuplicatesWindow(const DuplicatesResult& result, const GameCatalogue& catalogue,
                                   QWidget* owner)
    : QDialog(owner) {
    setObjectName(QStringLiteral("frmDuplicates"));
    setWindowTitle(QStringLiteral("Find Duplicates"));
    resize(640, 420);

    summaryLabel_ = new QLabel(toQt(duplicatesSummary(result)), this);
    summaryLabel_->setObjectName(QStringLiteral("lblSummary"));

    groupList_ = new QTreeWidget(this);
    groupList_->setObjectName(QStringLiteral("lstDuplicates"));
    groupList_->setHeaderLabels({QStringLiteral("Kind / Name"), QStringLiteral("ROM file")});
    groupList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    groupList_->setUniformRowHeights(true);
    QList<QTreeWidgetItem*> groups;
    for (const DuplicateGroup& group : result.groups) {
        auto* groupItem = new QTreeWidgetItem({kindText(group)});
        for (const std::int32_t position : group.games) {
            if (position < 0 || static_cast<std::size_t>(position) >= catalogue.size())
                continue;
            const GameRecord& game = catalogue[static_cast<std::size_t>(position)];
            auto* gameItem = new QTreeWidgetItem(groupItem, {toQt(game.name), toQt(game.romFile)});
            gameItem->setData(0, kPositionRole, position);
        }
        groups.append(groupItem);
    }
    groupList_->addTopLevelItems(groups);
    groupList_->expandAll();
    groupList_->header()->resizeSection(0, 300);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel_);
    layout->addWidget(groupList_, 1);
    layout->addWidget(selectInListButtons(*this, !groups.isEmpty(), [this] { selectInList(); }));
}

void DuplicatesWindow::selectInList() {
    const QList<QTreeWidgetItem*> chosen = groupList_->selectedItems();
    const auto take = [this](const QTreeWidgetItem& game) {
        toSelect_.push_back(game.data(0, kPositionRole).toInt());
    };
    const auto takeGroup = [&take](const QTreeWidgetItem& group) {
        for (int i = 0; i < group.childCount(); ++i)
            take(*group.child(i));
    };
    toSelect_.clear();
    if (chosen.isEmpty()) {
        for (int i = 0; i < groupList_->topLevelItemCount(); ++i)
            takeGroup(*groupList_->topLevelItem(i));
    }
    for (const QTreeWidgetItem* item : chosen) {
        if (item->parent() == nullptr)
            takeGroup(*item);
        else
            take(*item);
    }
    // A game may stand in a group of each kind.
    std::sort(toSelect_.begin(), toSelect_.end());
    toSelect_.erase(std::unique(toSelect_.begin(), toSelect_.end()), toSelect_.end());
    accept();
}

DuplicatesResult findDuplicatesWithProgress(const AppState& state, QWidget* owner) {
    // The search paths are copied: the worker reads nothing the window may change.
    const SettingsState settings = state.settings;
    DuplicatesResult result;
    const bool completed =
        runOverCatalogue(owner, QStringLiteral("Find Duplicates"),
                         QStringLiteral("Looking for duplicates..."), state, [&](JobProgress& job) {
                             result = findDuplicates(state.catalogue, settings, job.reporter());
                         });
    result.cancelled = result.cancelled || !completed;
    return result;
}

} // namespace tolm::ui
