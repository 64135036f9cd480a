#pragma once

#include <QLabel>
#include <QString>
#include <QTabWidget>

#include "catalogue/game_record.h"
#include "settings/settings.h"

class QPlainTextEdit;

namespace tolm::ui {

// What the details panel shows for one game.
struct GameDetails {
    QString name;
    QString type;
    QString year;
    QString publisher;
    QString authors;
    QString notes;
    QString romName;
    QString romFound;
    QString hasMusic;

    bool operator==(const GameDetails&) const = default;
};

// Looks the ROM and the music file up over the search paths (nothing is kept
// but the answer) and formats the record's fields.
GameDetails describeGame(const GameRecord& game, const SettingsState& settings);

// A label that reports a mouse button released over it.
class ClickableLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void released();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// SSTab1: "Game Details" (eight captions with their blue values) and "Notes".
class DetailsPanel final : public QTabWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 587;
    static constexpr int kHeight = 113;

    explicit DetailsPanel(QWidget* parent = nullptr);

    void showDetails(const GameDetails& details);
    void clear();

    QString musicText() const;

Q_SIGNALS:
    void musicLabelReleased();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* addCaption(QWidget* page, const QString& text, const char* name);
    QLabel* addValue(QWidget* page, QLabel* label, const char* name);
    void placeLabels();

    QLabel* lblGameName = nullptr;
    QLabel* lblYear = nullptr;
    QLabel* lblPub = nullptr;
    QLabel* lblAuthors = nullptr;
    QLabel* lblRomName = nullptr;
    QLabel* lblRomFound = nullptr;
    ClickableLabel* lblHasMusic = nullptr;
    QLabel* lblType = nullptr;
    QPlainTextEdit* txtNotes = nullptr;
    QWidget* detailsPage_ = nullptr;
    // Per row: left caption, left value, right caption, right value.
    QLabel* grid_[4][4] = {};
};

} // namespace tolm::ui
