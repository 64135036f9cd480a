#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tolm::platform {

// An atomic replace writes "<file>.tmp-" and eight letters or digits beside
// the file, then renames it over the file.
inline constexpr std::string_view kTemporaryInfix = ".tmp-";
inline constexpr std::size_t kTemporarySuffixLength = 8;

// A fresh temporary name beside `path`.
std::string temporaryNameFor(const std::string& path);

// Removes from `directory` the temporary files that interrupted replaces of
// the files named `fileNames` left behind, and nothing else. Only the one
// process that owns those files may call it: another copy's temporary file
// may be in the middle of a save. Returns the names removed, sorted.
std::vector<std::string> removeStaleTemporaryFiles(const std::string& directory,
                                                   const std::vector<std::string>& fileNames);

} // namespace tolm::platform
