#pragma once

// Helpers for the Windows files of the platform layer only: UTF-8 in memory,
// UTF-16 at every system call.

#include <string>
#include <string_view>

namespace tolm::platform::windows {

// Malformed UTF-8 becomes U+FFFD, so a damaged name simply names no file.
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

// `path` made fit for the W file calls: past MAX_PATH characters it becomes
// an absolute "\\?\" (or "\\?\UNC\") path, which lifts the length limit.
std::wstring extendedPath(std::string_view utf8);

// The system's text for a GetLastError() code, without the final line break.
std::string errorText(unsigned long code);

} // namespace tolm::platform::windows
