#pragma once

#include <string>
#include <vector>

#include "platform/files.h"

namespace tolm::platform {

// Starts the executable at `program` (a path, not searched for) with
// `arguments`, and does not wait for it. No shell is involved: every argument
// reaches the program exactly as given, blanks, quotes and all. On failure
// `error` holds the system's reason only (the caller names the program).
IoResult startProgram(const std::string& program, const std::vector<std::string>& arguments);

// The Windows command line that the C runtime splits back into exactly
// `program` followed by `arguments`.
std::string windowsCommandLine(const std::string& program,
                               const std::vector<std::string>& arguments);

} // namespace tolm::platform
