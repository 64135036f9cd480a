#include "ui/edit/fill_in_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/edit/fill_in_model.h"
#include "ui/widgets/background_job.h"
#include "ui/widgets/object_names.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {

FillInDialog::FillInDialog(AppState& state, std::vector<FillInProposal> proposals, QWidget* parent,
                           const QString& title, std::vector<FillInChoice> choices,
                           FillInChoiceProposer proposeChoice)
    : QDialog(parent), state_(state), proposeChoice_(std::move(proposeChoice)) {
    setObjectName(QStringLiteral("frmFillIn"));
    setWindowTitle(title);
    resize(860, choices.empty() ? 440 : 560);

    summary_ = named(new QLabel(this), "lblSummary");
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
    if (!choices.empty()) {
        addChoiceList(std::move(choices));
        layout->addWidget(named(new QLabel(QStringLiteral("These games have several candidates: "
                                                          "pick the one each game is."),
                                           this),
                                "lblChoices"));
        layout->addWidget(choiceList_);
    }
    layout->addLayout(bottom);
    connect(model_, &QAbstractItemModel::dataChanged, this, &FillInDialog::showSummary);
    connect(model_, &QAbstractItemModel::modelReset, this, &FillInDialog::showSummary);
    showSummary();
}

void FillInDialog::addChoiceList(std::vector<FillInChoice> choices) {
    choices_ = std::move(choices);
    choiceList_ = named(new QTreeWidget(this), kChoiceList);
    choiceList_->setRootIsDecorated(false);
    choiceList_->setColumnCount(2);
    choiceList_->setHeaderLabels({QStringLiteral("Game"), QStringLiteral("Is")});
    choiceList_->header()->resizeSection(0, 270);
    choiceList_->header()->setStretchLastSection(true);
    for (std::size_t row = 0; row < choices_.size(); ++row) {
        const FillInChoice& choice = choices_[row];
        auto* item = new QTreeWidgetItem(choiceList_);
        if (choice.game >= 0 && static_cast<std::size_t>(choice.game) < state_.catalogue.size())
            item->setText(0, toQt(state_.catalogue[static_cast<std::size_t>(choice.game)].name));
        auto* box = new QComboBox(choiceList_);
        box->setObjectName(QStringLiteral("cboChoice") + QString::number(row));
        box->addItem(QStringLiteral("(none of these: leave the game as it is)"));
        box->addItems(choice.candidates);
        choiceList_->setItemWidget(item, 1, box);
        connect(box, &QComboBox::currentIndexChanged, this,
                [this, row](int picked) { chooseCandidate(static_cast<int>(row), picked - 1); });
    }
    choiceList_->setMaximumHeight(160);
}

void FillInDialog::chooseCandidate(int row, int candidate) {
    if (row < 0 || static_cast<std::size_t>(row) >= choices_.size())
        return;
    const FillInChoice& choice = choices_[static_cast<std::size_t>(row)];
    std::vector<FillInProposal> proposals;
    if (candidate >= 0 && candidate < choice.candidates.size() && proposeChoice_)
        proposals = proposeChoice_(choice.game, candidate);
    model_->replaceGame(choice.game, std::move(proposals));
    if (choiceList_) {
        auto* box =
            qobject_cast<QComboBox*>(choiceList_->itemWidget(choiceList_->topLevelItem(row), 1));
        if (box && box->currentIndex() != candidate + 1) {
            const QSignalBlocker quiet(box);
            box->setCurrentIndex(candidate + 1);
        }
    }
}

void FillInDialog::showSummary() {
    const std::size_t count = model_->proposals().size();
    // One placeholder per text: arg() fills the lowest-numbered one first.
    QString text = count == 1
                       ? QStringLiteral("1 change proposed, %1 ticked.").arg(model_->tickedCount())
                       : QStringLiteral("%1 changes proposed, %2 ticked.")
                             .arg(count)
                             .arg(model_->tickedCount());
    if (const std::size_t adapted = model_->adaptedCount(); adapted > 0)
        text += (adapted == 1 ? QStringLiteral(" 1 proposed text (in italics) had characters the "
                                               "catalogue cannot store; the nearest are proposed.")
                              : QStringLiteral(" %1 proposed texts (in italics) had characters the "
                                               "catalogue cannot store; the nearest are proposed."))
                    .arg(adapted);
    summary_->setText(text + QStringLiteral(" Apply changes the ticked fields; untick what should "
                                            "stay as it is."));
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
    FillInResult result;
    const bool completed =
        runOverCatalogue(owner, QStringLiteral("Fill In from Files"),
                         QStringLiteral("Reading game files..."), state, [&](JobProgress& job) {
                             result = proposeFillIns(state.catalogue, settings, games,
                                                     readArchiveInfo, job.reporter());
                         });
    if (!completed || result.cancelled)
        return std::nullopt;
    return result;
}

} // namespace tolm::ui
