#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/user_message.h"
#include "state/app_state.h"

namespace tolm {

// What adding dropped (or command-line) files did.
struct DroppedFilesResult {
    int added = 0;
    std::vector<UserMessage> refusals;        // addGame's own boxes, one per refused file
    std::vector<std::string> unstorableNames; // names outside Windows-1252, skipped
};

// What dropped paths come to, found by reading the file system alone: the
// games to add, in order, and the directories they ask to register.
struct DroppedFilesPlan {
    struct Game {
        std::string directory; // joins the ROM paths before the game is added
        std::string romFile;
        std::string name;
        std::int32_t year = 0;
        std::string publisher;
    };
    std::vector<Game> games;
    std::vector<std::string> unstorableNames;
    bool stopped = false; // stopped between paths or files; what came before is kept
};

// The reading half of addDroppedPaths, for a worker: touches no state.
DroppedFilesPlan planDroppedPaths(const std::vector<std::string>& paths,
                                  const std::function<bool()>& stopRequested = {});
// The writing half, on the catalogue's own thread.
DroppedFilesResult applyDroppedFiles(AppState& state, const DroppedFilesPlan& plan);

// Files and folders dropped on the game list become games. A TOSEC-named
// file gives its name, year and publisher; any other file is named as the Add
// Game dialog names it (up to its last "."), a folder's plain files as the
// Add Multiple wizard does after Select All (each up to its first "."). Each
// directory joins the ROM paths before its games are added. Names the
// catalogue cannot store are skipped and reported.
DroppedFilesResult addDroppedPaths(AppState& state, const std::vector<std::string>& paths);

} // namespace tolm
