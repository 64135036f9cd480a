#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"

namespace tolm::platform {

// Starts the executable at `program` (a path, not searched for) with
// `arguments`, and does not wait for it. No shell is involved: every argument
// reaches the program exactly as given, blanks, quotes and all. On failure
// `error` holds the system's reason only (the caller names the program).
IoResult startProgram(const std::string& program, const std::vector<std::string>& arguments);

// A program started by startWatchedProgram. Destroying the watch stops the
// watching (no call comes after); the program itself runs on.
class ProgramWatch {
public:
    ProgramWatch() = default;
    ProgramWatch(const ProgramWatch&) = delete;
    ProgramWatch& operator=(const ProgramWatch&) = delete;
    virtual ~ProgramWatch() = default;
};

struct WatchedStart {
    IoResult result;
    std::unique_ptr<ProgramWatch> watch; // set when the program started
};

// Starts the program as startProgram does and follows it: once it has ended
// (and is reaped), `ended` is called once, on a thread of the watch's own,
// which must not block on the caller's thread. The window is never blocked.
WatchedStart startWatchedProgram(const std::string& program,
                                 const std::vector<std::string>& arguments,
                                 std::function<void()> ended);

// The Windows command line that the C runtime splits back into exactly
// `program` followed by `arguments`.
std::string windowsCommandLine(const std::string& program,
                               const std::vector<std::string>& arguments);

} // namespace tolm::platform
