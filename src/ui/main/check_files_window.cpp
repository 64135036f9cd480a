#include "ui/main/check_files_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "catalogue/catalogue_ops.h"
#include "state/app_state.h"
#include "ui/widgets/background_job.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {

CheckFilesWindow::CheckFilesWindow(const FileCheckResult& result, const GameCatalogue& catalogue,
                                   QWidget* owner)
    : QDialog(owner) {
    setObjectName(QStringLiteral("frmCheckFiles"));
    setWindowTitle(QStringLiteral("Check Files"));
    resize(640, 420);

    summaryLabel_ = new QLabel(this);
    summaryLabel_->setObjectName(QStringLiteral("lblSummary"));
    QString summary = toQt(fileCheckSummary(result));
    if (result.cancelled)
        summary += QStringLiteral(" (check stopped early)");
    summaryLabel_->setText(summary);

    missingList_ = new QTreeWidget(this);
    missingList_->setObjectName(QStringLiteral("lstMissing"));
    missingList_->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("ROM"),
                                   QStringLiteral("Music file"), QStringLiteral("Screenshots")});
    missingList_->setRootIsDecorated(false);
    missingList_->setUniformRowHeights(true);
    missingList_->setSelectionMode(QAbstractItemView::NoSelection);
    QList<QTreeWidgetItem*> items;
    for (const GameMissingFiles& game : result.games) {
        if (game.game < 0 || static_cast<std::size_t>(game.game) >= catalogue.size())
            continue;
        const GameRecord& record = catalogue[static_cast<std::size_t>(game.game)];
        QStringList shots;
        for (const std::string& name : game.missingScreenshots)
            shots << toQt(name);
        auto* item = new QTreeWidgetItem({toQt(record.name),
                                          game.romMissing ? toQt(record.romFile) : QString(),
                                          game.musicMissing ? toQt(record.musicFile) : QString(),
                                          shots.join(QStringLiteral(", "))});
        items << item;
        listed_.push_back(game.game);
    }
    missingList_->addTopLevelItems(items);
    missingList_->header()->resizeSection(0, 220);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* select =
        buttons->addButton(QStringLiteral("Select in List"), QDialogButtonBox::AcceptRole);
    select->setObjectName(QStringLiteral("cmdSelect"));
    select->setEnabled(!listed_.empty());
    QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(select, &QPushButton::clicked, this, [this] {
        toSelect_ = listed_;
        accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel_);
    layout->addWidget(missingList_, 1);
    layout->addWidget(buttons);
}

FileCheckResult checkFilesWithProgress(const AppState& state, QWidget* owner) {
    // The search paths are copied: the worker reads nothing the window may change.
    const SettingsState settings = state.settings;
    for (;;) {
        const std::uint64_t checked = catalogueFingerprint(state.catalogue);
        FileCheckResult result;
        const bool completed = runWithProgress(
            owner, QStringLiteral("Check Files"), QStringLiteral("Checking files..."),
            [&result, &catalogue = state.catalogue, &settings](JobProgress& job) {
                result =
                    checkFiles(catalogue, settings, [&job](std::size_t done, std::size_t total) {
                        job.report(done, total);
                        return !job.stopRequested();
                    });
            },
            [&state] { return state.sessionEnding; });
        if (!completed || catalogueFingerprint(state.catalogue) == checked)
            return result;
    }
}

} // namespace tolm::ui
