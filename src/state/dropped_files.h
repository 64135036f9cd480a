#pragma once

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

// Files and folders dropped on the game list become games. A file is named
// as the Add Game dialog names it (up to its last "."), a folder's plain
// files as the Add Multiple wizard does after Select All (each up to its
// first "."), and each directory joins the ROM paths before its games are
// added. Names the catalogue cannot store are skipped and reported.
DroppedFilesResult addDroppedPaths(AppState& state, const std::vector<std::string>& paths);

} // namespace tolm
