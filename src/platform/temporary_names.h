#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tolm::platform {

// An atomic replace writes "<file>.tmp-" and eight letters or digits beside
// the file, then renames it over the file.
inline constexpr std::string_view kTemporaryInfix = ".tmp-";
inline constexpr std::size_t kTemporarySuffixLength = 8;

// A fresh temporary name beside `path`.
std::string temporaryNameFor(const std::string& path);

} // namespace tolm::platform
