#pragma once

#include <string>

// Which files can be started as programs.
namespace tolm::platform {

// Whether programs are told apart by their ".exe" suffix (Windows) rather
// than by a permission bit: the file-open dialog filters by it.
#ifdef _WIN32
inline constexpr bool kProgramsCarryExeSuffix = true;
#else
inline constexpr bool kProgramsCarryExeSuffix = false;
#endif

// True when `path` names a plain file the system would start as a program.
bool isRunnableProgram(const std::string& path);

} // namespace tolm::platform
