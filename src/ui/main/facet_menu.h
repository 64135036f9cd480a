#pragma once

#include <QObject>
#include <QToolButton>
#include <vector>

#include "state/app_state.h"
#include "state/game_facts.h"
#include "ui/widgets/background_job.h"

namespace tolm::ui {

class GameListModel;

// The drop-down button beside the filter box: a menu of facets (genre,
// year, publisher, files, favourites, play), each item with the number of
// games its term shows. The counts are taken afresh each time it opens;
// choosing an item asks for its term to be added to the filter.
class FacetButton final : public QToolButton {
    Q_OBJECT
public:
    explicit FacetButton(const GameListModel& model, QWidget* parent = nullptr);

    // Refills the menu from the model's counts, as opening it does.
    void fillMenu();

Q_SIGNALS:
    void termChosen(const QString& term);

private:
    const GameListModel& model_;
};

// Keeps the list model's facts current: after every change to the
// catalogue (or to the search paths) the games' files are looked up again on
// a worker, the window's thread going on meanwhile; a change during a lookup
// starts it again once it has stopped.
class GameFactsKeeper final : public QObject {
    Q_OBJECT
public:
    GameFactsKeeper(const AppState& state, GameListModel& model, QObject* parent = nullptr);

    // Looks every game's files up again.
    void refresh();
    // Where favourites and play history come from, asked per game on the
    // window's thread; until set, no game is a favourite or was played.
    void setPersonalFacts(PersonalFacts personal);
    // A favourite or a session changed: the model's facts take it now.
    void personalFactsChanged();
    bool busy() const { return job_.isRunning() || pending_; }

Q_SIGNALS:
    // The model has the facts of the catalogue as it is.
    void factsReady();

private:
    void start();
    void finished();

    const AppState& state_;
    GameListModel& model_;
    PersonalFacts personal_;
    std::vector<GameFacts> found_; // the worker's result
    std::size_t foundFor_ = 0;     // catalogue size it was made for
    bool pending_ = false;         // a start is queued
    bool again_ = false;           // the catalogue changed during the lookup
    // Last, so that it is gone (its worker waited for) before what the worker writes.
    BackgroundJob job_;
};

} // namespace tolm::ui
