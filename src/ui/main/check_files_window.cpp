#include "ui/main/check_files_window.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "state/app_state.h"
#include "ui/widgets/background_job.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {
namespace {

// The games with files not found, one row each; texts are made only for the
// rows the view shows, so a check that finds 100,000 opens at once.
class MissingFilesModel final : public QAbstractTableModel {
public:
    MissingFilesModel(std::vector<GameMissingFiles> games, const GameCatalogue& catalogue,
                      QObject* parent)
        : QAbstractTableModel(parent), games_(std::move(games)), catalogue_(catalogue) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(games_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 4;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const kTitles[] = {"Name", "ROM", "Music file", "Screenshots"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 4)
            return {};
        return QString::fromLatin1(kTitles[section]);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || index.row() < 0 || index.row() >= rowCount())
            return {};
        const GameMissingFiles& game = games_[static_cast<std::size_t>(index.row())];
        const GameRecord& record = catalogue_[static_cast<std::size_t>(game.game)];
        switch (index.column()) {
        case 0:
            return toQt(record.name);
        case 1:
            return game.romMissing ? toQt(record.romFile) : QString();
        case 2:
            return game.musicMissing ? toQt(record.musicFile) : QString();
        default: {
            QStringList shots;
            for (const std::string& name : game.missingScreenshots)
                shots << toQt(name);
            return shots.join(QStringLiteral(", "));
        }
        }
    }

private:
    std::vector<GameMissingFiles> games_;
    const GameCatalogue& catalogue_;
};

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

    std::vector<GameMissingFiles> shown;
    for (const GameMissingFiles& game : result.games) {
        if (game.game < 0 || static_cast<std::size_t>(game.game) >= catalogue.size())
            continue;
        shown.push_back(game);
        listed_.push_back(game.game);
    }
    missingList_ = new QTreeView(this);
    missingList_->setObjectName(QStringLiteral("lstMissing"));
    missingList_->setRootIsDecorated(false);
    missingList_->setUniformRowHeights(true);
    missingList_->setSelectionMode(QAbstractItemView::NoSelection);
    missingList_->setModel(new MissingFilesModel(std::move(shown), catalogue, missingList_));
    missingList_->header()->resizeSection(0, 220);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel_);
    layout->addWidget(missingList_, 1);
    layout->addWidget(selectInListButtons(*this, !listed_.empty(), [this] {
        toSelect_ = listed_;
        accept();
    }));
}

QDialogButtonBox* selectInListButtons(QDialog& window, bool canSelect,
                                      const std::function<void()>& select) {
    auto* buttons = new QDialogButtonBox(&window);
    QPushButton* selectButton =
        buttons->addButton(QStringLiteral("Select in List"), QDialogButtonBox::AcceptRole);
    selectButton->setObjectName(QStringLiteral("cmdSelect"));
    selectButton->setEnabled(canSelect);
    QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    QObject::connect(selectButton, &QPushButton::clicked, &window, select);
    QObject::connect(close, &QPushButton::clicked, &window, &QDialog::reject);
    return buttons;
}

FileCheckResult checkFilesWithProgress(const AppState& state, QWidget* owner) {
    // The search paths are copied: the worker reads nothing the window may change.
    const SettingsState settings = state.settings;
    FileCheckResult result;
    runOverCatalogue(
        owner, QStringLiteral("Check Files"), QStringLiteral("Checking files..."), state,
        [&](JobProgress& job) { result = checkFiles(state.catalogue, settings, job.reporter()); });
    return result;
}

} // namespace tolm::ui
