#include "ui/edit/fill_in_dialog.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "catalogue/catalogue_ops.h"
#include "ui/widgets/background_job.h"
#include "ui/widgets/object_names.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {

// The proposals, one row each; texts are made only for the rows the view
// shows, so a list of 200,000 opens at once.
class FillInModel final : public QAbstractTableModel {
public:
    enum Column { GameColumn, FieldColumn, NowColumn, ProposedColumn, ColumnCount };

    FillInModel(std::vector<FillInProposal> proposals, const GameCatalogue& catalogue,
                QObject* parent)
        : QAbstractTableModel(parent), proposals_(std::move(proposals)), catalogue_(catalogue) {}

    const std::vector<FillInProposal>& proposals() const { return proposals_; }

    void tickAll(bool ticked) {
        for (FillInProposal& proposal : proposals_)
            proposal.ticked = ticked;
        if (!proposals_.empty())
            Q_EMIT dataChanged(index(0, GameColumn), index(rowCount() - 1, GameColumn),
                               {Qt::CheckStateRole});
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(proposals_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : ColumnCount;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const kTitles[] = {"Game", "Field", "Now", "Proposed"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= ColumnCount)
            return {};
        return QString::fromLatin1(kTitles[section]);
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags flags = QAbstractTableModel::flags(index);
        if (index.isValid() && index.column() == GameColumn)
            flags |= Qt::ItemIsUserCheckable;
        return flags;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        const FillInProposal& proposal = proposals_[static_cast<std::size_t>(index.row())];
        if (role == Qt::CheckStateRole && index.column() == GameColumn)
            return proposal.ticked ? Qt::Checked : Qt::Unchecked;
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        switch (index.column()) {
        case GameColumn:
            // A game's name heads its first row only, so its rows read as one group.
            if (proposal.game >= static_cast<std::int32_t>(catalogue_.size()) ||
                (role == Qt::DisplayRole && index.row() > 0 &&
                 proposals_[static_cast<std::size_t>(index.row()) - 1].game == proposal.game))
                return QString();
            return toQt(catalogue_[static_cast<std::size_t>(proposal.game)].name);
        case FieldColumn:
            return QString::fromLatin1(fillInFieldName(proposal.field));
        case NowColumn:
            return toQt(proposal.now);
        default:
            return toQt(proposal.proposed);
        }
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!index.isValid() || index.row() >= rowCount() || index.column() != GameColumn ||
            role != Qt::CheckStateRole)
            return false;
        proposals_[static_cast<std::size_t>(index.row())].ticked =
            value.value<Qt::CheckState>() == Qt::Checked;
        Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }

private:
    std::vector<FillInProposal> proposals_;
    const GameCatalogue& catalogue_;
};

FillInDialog::FillInDialog(AppState& state, std::vector<FillInProposal> proposals, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("frmFillIn"));
    setWindowTitle(QStringLiteral("Fill In from Files"));
    resize(860, 440);

    std::size_t ticked = 0;
    for (const FillInProposal& proposal : proposals)
        ticked += proposal.ticked ? 1 : 0;
    summary_ = named(new QLabel(this), "lblSummary");
    summary_->setText((proposals.size() == 1 ? QStringLiteral("1 change proposed, %2 ticked.")
                                             : QStringLiteral("%1 changes proposed, %2 ticked."))
                          .arg(proposals.size())
                          .arg(ticked) +
                      QStringLiteral(" Apply changes the ticked fields; untick what should stay "
                                     "as it is."));
    summary_->setWordWrap(true);

    model_ = new FillInModel(std::move(proposals), state_.catalogue, this);
    list_ = named(new QTreeView(this), kProposalList);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setTextElideMode(Qt::ElideMiddle); // long TOSEC names differ at both ends
    list_->setModel(model_);
    list_->header()->setStretchLastSection(true);
    list_->header()->resizeSection(FillInModel::GameColumn, 270);
    list_->header()->resizeSection(FillInModel::FieldColumn, 75);
    list_->header()->resizeSection(FillInModel::NowColumn, 240);
    list_->setCurrentIndex(model_->index(0, FillInModel::GameColumn));

    auto* tickAll = named(new QPushButton(QStringLiteral("Tick All"), this), kTickAllButton);
    auto* tickNone = named(new QPushButton(QStringLiteral("Untick All"), this), kTickNoneButton);
    connect(tickAll, &QPushButton::clicked, this, [this] { model_->tickAll(true); });
    connect(tickNone, &QPushButton::clicked, this, [this] { model_->tickAll(false); });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* applyButton = named(
        buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::AcceptRole), kApplyButton);
    QPushButton* cancelButton = named(
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole), kCancelButton);
    applyButton->setDefault(true);
    connect(applyButton, &QPushButton::clicked, this, &FillInDialog::apply);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(tickAll);
    bottom->addWidget(tickNone);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);
}

void FillInDialog::apply() {
    changed_ = applyFillIns(state_.catalogue, model_->proposals());
    accept();
}

std::optional<FillInResult> proposeFillInsWithProgress(const AppState& state,
                                                       const std::vector<std::int32_t>& games,
                                                       const ArchiveInfoReader& readArchiveInfo,
                                                       QWidget* owner) {
    // The search paths are copied: the worker reads nothing the window may change.
    const SettingsState settings = state.settings;
    for (;;) {
        const std::uint64_t read = catalogueFingerprint(state.catalogue);
        FillInResult result;
        const bool completed = runWithProgress(
            owner, QStringLiteral("Fill In from Files"), QStringLiteral("Reading game files..."),
            [&](JobProgress& job) {
                result = proposeFillIns(state.catalogue, settings, games, readArchiveInfo,
                                        [&job](std::size_t done, std::size_t total) {
                                            job.report(done, total);
                                            return !job.stopRequested();
                                        });
            },
            [&state] { return state.sessionEnding; });
        if (!completed || result.cancelled)
            return std::nullopt;
        if (catalogueFingerprint(state.catalogue) == read)
            return result;
    }
}

} // namespace tolm::ui
