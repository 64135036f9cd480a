#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <vector>

#include "catalogue/game_record.h"
#include "state/fill_in.h"

namespace tolm::ui {

// Proposed changes, one row each with a tick box (game, field, now,
// proposed). Texts are made only for the rows a view shows, so a list of
// 200,000 opens at once. A text adapted to what the catalogue can store is
// shown in italics and says so in its tooltip.
class FillInModel final : public QAbstractTableModel {
public:
    enum Column { GameColumn, FieldColumn, NowColumn, ProposedColumn, ColumnCount };

    FillInModel(std::vector<FillInProposal> proposals, const GameCatalogue& catalogue,
                QObject* parent);

    const std::vector<FillInProposal>& proposals() const { return proposals_; }
    void setProposals(std::vector<FillInProposal> proposals);
    // The rows of `game` give way to `proposals`, in the place of its first
    // row (at the end when it had none).
    void replaceGame(std::int32_t game, std::vector<FillInProposal> proposals);
    void tickAll(bool ticked);
    std::size_t tickedCount() const;
    std::size_t adaptedCount() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    std::vector<FillInProposal> proposals_;
    const GameCatalogue& catalogue_;
};

} // namespace tolm::ui
