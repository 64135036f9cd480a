#pragma once

#include <string>
#include <string_view>
#include <vector>

// How a path the user picked becomes a search directory and a stored name.
namespace tolm {

// Splits `text` at its last path separator: the directory (with that
// separator) joins `searchPaths` unless an entry equals it ignoring case,
// and the rest is returned as the name to store (empty when the text ends
// with the separator). Text without a separator is returned unchanged and
// registers nothing.
std::string storeUnderSearchPath(std::vector<std::string>& searchPaths, std::string_view text);

// `directory` as a search-path entry: the separator is appended unless the
// path already ends with one (so a root stays as it is); empty stays empty.
std::string asSearchDirectory(std::string_view directory);

} // namespace tolm
