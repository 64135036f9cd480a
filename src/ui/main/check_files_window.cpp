#include "ui/main/check_files_window.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "state/app_state.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {
namespace {

// Below this many games the check is over before a progress window could
// be read.
constexpr std::size_t kGamesWorthProgress = 2000;

} // namespace

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
    if (state.catalogue.size() < kGamesWorthProgress)
        return checkFiles(state.catalogue, state.settings);
    QProgressDialog progress(QStringLiteral("Checking files..."), QStringLiteral("Stop"), 0,
                             static_cast<int>(state.catalogue.size()), owner);
    progress.setWindowTitle(QStringLiteral("Check Files"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    return checkFiles(state.catalogue, state.settings, [&](std::size_t done, std::size_t) {
        progress.setValue(static_cast<int>(done));
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
}

} // namespace tolm::ui
