#include "state/session_saving.h"

#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/catalogue_ops.h"
#include "state/app_state.h"
#include "state/play_history.h"
#include "support/temp_dir.h"

using namespace tolm;
using tolm::test::readAll;
using tolm::test::TempDir;

namespace {

GameRecord game(const char* name) {
    GameRecord record;
    record.name = name;
    return record;
}

// Whether the files hold less than memory after each kind of edit since the
// load, then after a save that fails and after one that works; the files
// written are what memory holds.
TEST(SessionSaving, ChangedAfterEachEditUntilSavedOrUndone) {
    using Edit = void (*)(AppState&);
    // clang-format off
    const struct { const char* name; bool loadedEmpty, settingsReadable; Edit edit; bool changed;
                   std::size_t failures; bool historyUnreadable = false; } cases[] = {
        {"nothing", false, true, [](AppState&) {}, false, 3},
        {"game added", false, true, [](AppState& s) { s.catalogue.push_back(game("C")); }, true, 3},
        {"field edited", false, true, [](AppState& s) { s.catalogue[1].year = 1984; }, true, 3},
        {"game removed", false, true, [](AppState& s) { removePositions(s.catalogue, {0}); },
         true, 3},
        {"edited and back", false, true,
         [](AppState& s) { s.catalogue[0].name = "X"; s.catalogue[0].name = "A"; }, false, 3},
        {"settings", false, true, [](AppState& s) { s.settings.romPaths = {"/games/"}; }, true, 3},
        // Settings that cannot be written, a catalogue without entries: nothing to lose.
        {"unwritable settings", false, false,
         [](AppState& s) { s.settings.romPaths = {"/games/"}; }, false, 2},
        {"catalogue emptied", false, true, [](AppState& s) { s.catalogue.clear(); }, false, 1},
        {"first game", true, true, [](AppState& s) { s.catalogue.push_back(game("C")); }, true, 3},
        {"favourite", false, true, [](AppState& s) { s.history.setFavourite(1, true); }, true, 3},
        {"favourite and back", false, true,
         [](AppState& s) { s.history.setFavourite(1, true); s.history.setFavourite(1, false); },
         false, 3},
        {"one favourite kept, another set and back", false, true,
         [](AppState& s) { s.history.setFavourite(0, true); s.history.setFavourite(1, true);
                           s.history.setFavourite(1, false); }, true, 3},
        {"session finished", false, true,
         [](AppState& s) { s.history.finished(s.history.started(0, 9), 60); }, true, 3},
        // A history file that could not be read is never written over.
        {"unreadable history", false, true, [](AppState& s) { s.history.setFavourite(1, true); },
         false, 2, true},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        AppState state;
        state.programDirectory = dir.path();
        if (!c.loadedEmpty)
            state.catalogue = {game("A"), game("B")};
        SessionSaving saving(state);
        saving.loaded(c.settingsReadable, !c.historyUnreadable);
        EXPECT_EQ(saving.settingsWritable(), c.settingsReadable);
        c.edit(state);
        EXPECT_EQ(saving.hasUnsavedChanges(), c.changed);

        state.programDirectory = dir.sub("gone");
        EXPECT_EQ(saving.saveAll({}).size(), c.failures);
        EXPECT_EQ(saving.hasUnsavedChanges(), c.changed);

        state.programDirectory = dir.path();
        const WindowGeometry window{WindowGeometry::Normal, 700, 600, 10, 20};
        EXPECT_TRUE(saving.saveAll(window).empty());
        EXPECT_FALSE(saving.hasUnsavedChanges());
        EXPECT_EQ(readAll(state.databasePath()),
                  catalogueHasEntries(state.catalogue) ? databaseBytes(state.catalogue) : "");
        EXPECT_EQ(readAll(state.settingsPath()),
                  c.settingsReadable ? settingsFileBytes(state.settings, window) : "");
        EXPECT_EQ(readAll(state.historyPath()),
                  catalogueHasEntries(state.catalogue) && !c.historyUnreadable
                      ? playHistoryBytes(state.history, state.catalogue)
                      : "");
    }
}

// File > Save writes the catalogue alone; the end of a session writes both
// and tells its failures on the terminal instead of in a box.
TEST(SessionSaving, CatalogueAloneAndAtTheSessionsEnd) {
    TempDir dir;
    AppState state;
    state.programDirectory = dir.path();
    state.catalogue = {game("A")};
    SessionSaving saving(state);
    saving.loaded(true);
    state.catalogue[0].publisher = "Ocean";
    state.settings.romPaths = {"/games/"};
    state.history.setFavourite(0, true);
    EXPECT_TRUE(saving.saveCatalogue());
    EXPECT_EQ(readAll(state.databasePath()), databaseBytes(state.catalogue));
    EXPECT_EQ(readAll(state.historyPath()), playHistoryBytes(state.history, state.catalogue));
    EXPECT_TRUE(saving.hasUnsavedChanges()); // the settings are not written yet

    std::ostringstream errors;
    state.programDirectory = dir.sub("gone");
    EXPECT_FALSE(saving.saveCatalogue());
    EXPECT_FALSE(saving.saveAtSessionEnd({}, errors));
    const std::string text = errors.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << text; // with the history's
    EXPECT_EQ(text.rfind("tolm: Unable to save: ", 0), 0u) << text;

    state.programDirectory = dir.path();
    errors.str({});
    EXPECT_TRUE(saving.saveAtSessionEnd({}, errors));
    EXPECT_EQ(errors.str(), "");
    EXPECT_FALSE(saving.hasUnsavedChanges());
}

} // namespace
