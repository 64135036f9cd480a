#pragma once

#include <QLabel>
#include <QString>
#include <QTabWidget>

#include "catalogue/game_record.h"
#include "settings/settings.h"
#include "ui/widgets/window_geometry.h"

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
    bool musicPlayable = false; // the music file was found: a click plays it

    bool operator==(const GameDetails&) const = default;
};

// Looks the ROM and the music file up over the search paths (nothing is kept
// but the answer) and formats the record's fields.
GameDetails describeGame(const GameRecord& game, const SettingsState& settings);

// A label that reports the left mouse button released over it.
class ClickableLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void leftReleased();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The main window's details tabs: "Game Details" (eight captions with their
// blue values) and "Notes". Its size and label places are given in twips and
// follow the screen's dpi.
class DetailsPanel final : public QTabWidget {
    Q_OBJECT
public:
    static constexpr double kWidthTwips = 8805;
    static constexpr double kHeightTwips = 1695;

    explicit DetailsPanel(QWidget* parent = nullptr, TwipsScale scale = primaryScreenScale());

    void showDetails(const GameDetails& details);
    void clear();

    // Whether the shown game's music can be played (its file was found).
    bool musicPlayable() const { return musicPlayable_; }

Q_SIGNALS:
    // A left click on the "Has Music File?" value.
    void musicValueClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* addCaption(QWidget* page, const QString& text, const char* name);
    QLabel* addValue(QLabel* label, const char* name);
    void placeLabels();

    TwipsScale scale_;
    QLabel* nameValue_ = nullptr;
    QLabel* yearValue_ = nullptr;
    QLabel* publisherValue_ = nullptr;
    QLabel* authorsValue_ = nullptr;
    QLabel* romNameValue_ = nullptr;
    QLabel* playableValue_ = nullptr;
    ClickableLabel* musicValue_ = nullptr;
    QLabel* typeValue_ = nullptr;
    QPlainTextEdit* notesEdit_ = nullptr;
    QWidget* detailsPage_ = nullptr;
    bool musicPlayable_ = false;
    // Per row: left caption, left value, right caption, right value.
    QLabel* grid_[4][4] = {};
};

} // namespace tolm::ui
