#include "ui/edit/fill_in_model.h"

#include <QFont>
#include <algorithm>

#include "ui/widgets/qt_text.h"

namespace tolm::ui {

FillInModel::FillInModel(std::vector<FillInProposal> proposals, const GameCatalogue& catalogue,
                         QObject* parent)
    : QAbstractTableModel(parent), proposals_(std::move(proposals)), catalogue_(catalogue) {}

void FillInModel::setProposals(std::vector<FillInProposal> proposals) {
    beginResetModel();
    proposals_ = std::move(proposals);
    endResetModel();
}

void FillInModel::replaceGame(std::int32_t game, std::vector<FillInProposal> proposals) {
    const auto isGame = [game](const FillInProposal& p) { return p.game == game; };
    const auto first = std::find_if(proposals_.begin(), proposals_.end(), isGame);
    const auto place = first - proposals_.begin();
    beginResetModel();
    proposals_.erase(std::remove_if(first, proposals_.end(), isGame), proposals_.end());
    proposals_.insert(proposals_.begin() + std::min<std::ptrdiff_t>(place, std::ssize(proposals_)),
                      std::make_move_iterator(proposals.begin()),
                      std::make_move_iterator(proposals.end()));
    endResetModel();
}

void FillInModel::tickAll(bool ticked) {
    for (FillInProposal& proposal : proposals_)
        proposal.ticked = ticked;
    if (!proposals_.empty())
        Q_EMIT dataChanged(index(0, GameColumn), index(rowCount() - 1, GameColumn),
                           {Qt::CheckStateRole});
}

std::size_t FillInModel::tickedCount() const {
    return static_cast<std::size_t>(std::count_if(
        proposals_.begin(), proposals_.end(), [](const FillInProposal& p) { return p.ticked; }));
}

std::size_t FillInModel::adaptedCount() const {
    return static_cast<std::size_t>(std::count_if(
        proposals_.begin(), proposals_.end(), [](const FillInProposal& p) { return p.adapted; }));
}

int FillInModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(proposals_.size());
}

int FillInModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FillInModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const kTitles[] = {"Game", "Field", "Now", "Proposed"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromLatin1(kTitles[section]);
}

Qt::ItemFlags FillInModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == GameColumn)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant FillInModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FillInProposal& proposal = proposals_[static_cast<std::size_t>(index.row())];
    if (role == Qt::CheckStateRole && index.column() == GameColumn)
        return proposal.ticked ? Qt::Checked : Qt::Unchecked;
    if (proposal.adapted && index.column() == ProposedColumn) {
        if (role == Qt::FontRole) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        if (role == Qt::ToolTipRole)
            return QString(
                toQt(proposal.proposed) +
                QStringLiteral(" (characters the catalogue cannot store were replaced)"));
    }
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

bool FillInModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rowCount() || index.column() != GameColumn ||
        role != Qt::CheckStateRole)
        return false;
    proposals_[static_cast<std::size_t>(index.row())].ticked =
        value.value<Qt::CheckState>() == Qt::Checked;
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

} // namespace tolm::ui
