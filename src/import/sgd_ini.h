#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/longpath.h"

namespace tolm {

// The fields of SGD's settings file as SGD's own reader splits them: each
// ends at a comma or at the end of a line; one that starts with a double
// quote (after leading spaces) runs to the closing quote, which may lie on a
// later line, and whatever follows that quote up to the next comma or line
// end is dropped. Bytes as in the file (Windows-1252).
std::vector<std::string> sgdIniFields(std::string_view bytes);

// The directories the file's GameDir= entries name, in file order: every
// field holding "GameDir=" (letter case as written) with its spaces and every
// "GameDir=" removed, as UTF-8. An entry left empty still holds its place.
std::vector<std::string> gameDirEntries(std::string_view bytes);

// The same, each in the spelling the file system uses.
std::vector<std::string> gameDirsFromIni(std::string_view bytes,
                                         platform::LongPathResolver& longPaths);

// Reads "sgd.ini" (any letter case) in `directory`. A missing or unreadable
// file names no directories.
std::vector<std::string> readGameDirs(const std::string& directory,
                                      platform::LongPathResolver& longPaths);

} // namespace tolm
