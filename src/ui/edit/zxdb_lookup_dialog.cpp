#include "ui/edit/zxdb_lookup_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/edit/fill_in_model.h"
#include "ui/widgets/object_names.h"
#include "ui/widgets/qt_text.h"

namespace tolm::ui {

QString describeZxdbEntry(const zxdb::Entry& entry) {
    QStringList facts;
    if (entry.year > 0)
        facts << QString::number(entry.year);
    if (!entry.publisher.empty())
        facts << toQt(entry.publisher);
    QString text = toQt(entry.title);
    if (!facts.isEmpty())
        text += QStringLiteral(" (") + facts.join(QStringLiteral(", ")) + QLatin1Char(')');
    return text;
}

ZxdbLookUpDialog::ZxdbLookUpDialog(AppState& state, std::shared_ptr<const ZxdbData> zxdb,
                                   std::int32_t game, QWidget* parent)
    : QDialog(parent), state_(state), zxdb_(std::move(zxdb)), game_(game) {
    setObjectName(QStringLiteral("frmZxdbLookUp"));
    setWindowTitle(QStringLiteral("Look Up in ZXDB"));
    resize(900, 520);
    const GameRecord& record = state_.catalogue[static_cast<std::size_t>(game_)];

    titleBox_ = named(new QLineEdit(toQt(record.name), this), kTitleBox);
    auto* searchButton = named(new QPushButton(QStringLiteral("Search"), this), kSearchButton);
    connect(titleBox_, &QLineEdit::returnPressed, this, &ZxdbLookUpDialog::search);
    connect(searchButton, &QPushButton::clicked, this, &ZxdbLookUpDialog::search);

    candidateList_ = named(new QTreeWidget(this), kCandidateList);
    candidateList_->setRootIsDecorated(false);
    candidateList_->setAllColumnsShowFocus(true);
    candidateList_->setHeaderLabels({QStringLiteral("Title"), QStringLiteral("Year"),
                                     QStringLiteral("Publisher"), QStringLiteral("Authors"),
                                     QStringLiteral("Genre"), QStringLiteral("Machine")});
    candidateList_->header()->resizeSection(0, 220);
    candidateList_->header()->resizeSection(1, 50);
    candidateList_->header()->resizeSection(2, 170);
    candidateList_->header()->resizeSection(3, 170);
    candidateList_->header()->resizeSection(4, 140);
    connect(candidateList_, &QTreeWidget::currentItemChanged, this,
            &ZxdbLookUpDialog::showCandidate);

    model_ = new FillInModel({}, state_.catalogue, this);
    proposalList_ = named(new QTreeView(this), kProposalList);
    proposalList_->setRootIsDecorated(false);
    proposalList_->setUniformRowHeights(true);
    proposalList_->setModel(model_);
    proposalList_->header()->setStretchLastSection(true);
    proposalList_->header()->resizeSection(FillInModel::GameColumn, 200);
    proposalList_->header()->resizeSection(FillInModel::FieldColumn, 75);
    proposalList_->header()->resizeSection(FillInModel::NowColumn, 260);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* applyButton = named(
        buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::AcceptRole), kApplyButton);
    QPushButton* cancelButton = named(
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole), kCancelButton);
    applyButton->setDefault(false);
    applyButton->setAutoDefault(false);
    connect(applyButton, &QPushButton::clicked, this, &ZxdbLookUpDialog::apply);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("Title:"), this));
    searchRow->addWidget(titleBox_, 1);
    searchRow->addWidget(searchButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(candidateList_, 1);
    layout->addWidget(new QLabel(QStringLiteral("Changes the program picked proposes (Name only "
                                                "when ticked by hand):"),
                                 this));
    layout->addWidget(proposalList_, 1);
    adaptedNote_ = named(new QLabel(QStringLiteral("Texts in italics had characters the catalogue "
                                                   "cannot store: the nearest are proposed."),
                                    this),
                         "lblAdapted");
    adaptedNote_->hide();
    layout->addWidget(adaptedNote_);
    layout->addWidget(buttons);
    search();
}

int ZxdbLookUpDialog::candidateCount() const {
    return static_cast<int>(candidates_.size());
}

void ZxdbLookUpDialog::search() {
    const GameRecord& record = state_.catalogue[static_cast<std::size_t>(game_)];
    const std::string title = toStd(titleBox_->text());
    // Under a title of the user's own, the game's year and publisher still rank the candidates,
    // but its file name no longer names it.
    const bool ownTitle = title != record.name;
    const zxdb::Match match = zxdb_->matcher.match(title, record.year, record.publisher,
                                                   ownTitle ? std::string() : record.romFile);
    candidates_.clear();
    candidateList_->clear();
    const auto& entries = zxdb_->index.entries;
    for (const zxdb::Candidate& candidate : match.candidates) {
        const zxdb::Entry& entry = entries[candidate.entry];
        candidates_.push_back(candidate.entry);
        auto* item = new QTreeWidgetItem(candidateList_);
        item->setText(0, toQt(entry.title));
        item->setText(1, entry.year > 0 ? QString::number(entry.year) : QString());
        item->setText(2, toQt(entry.publisher));
        item->setText(3, toQt(entry.authors));
        item->setText(4, toQt(entry.genre));
        item->setText(5, toQt(entry.machine));
        for (int column = 0; column < 6; ++column)
            item->setToolTip(column, item->text(column));
    }
    if (candidates_.empty()) {
        auto* item = new QTreeWidgetItem(candidateList_);
        item->setText(0, QStringLiteral("No program in ZXDB has this title or file name."));
        item->setFlags(Qt::NoItemFlags);
        model_->setProposals({});
        return;
    }
    candidateList_->setCurrentItem(candidateList_->topLevelItem(0));
}

void ZxdbLookUpDialog::showCandidate() {
    const int row = candidateList_->indexOfTopLevelItem(candidateList_->currentItem());
    if (row < 0 || static_cast<std::size_t>(row) >= candidates_.size()) {
        model_->setProposals({});
        adaptedNote_->hide();
        return;
    }
    const zxdb::Entry& entry = zxdb_->index.entries[candidates_[static_cast<std::size_t>(row)]];
    model_->setProposals(proposeFromZxdb(state_.catalogue[static_cast<std::size_t>(game_)], game_,
                                         entry, ZxdbTicking::LookUp));
    adaptedNote_->setVisible(model_->adaptedCount() > 0);
}

void ZxdbLookUpDialog::apply() {
    changed_ = !applyFillIns(state_.catalogue, model_->proposals()).empty();
    accept();
}

} // namespace tolm::ui
