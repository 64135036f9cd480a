#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace tolm::platform {

inline constexpr std::size_t kReadChunkSize = 1 << 20;

// Reads `path` from start to end and hands the bytes to `take` a piece at a
// time (at most kReadChunkSize each), so a large file never sits in memory
// whole. `take` returns false to stop reading early.
IoResult readFileInChunks(const std::string& path,
                          const std::function<bool(std::string_view)>& take);

} // namespace tolm::platform
