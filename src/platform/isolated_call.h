#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace tolm::platform {

// Runs `work` in a child process where the system allows it, so that a fault
// inside it (a crash, memory it loses, a loop that never ends) cannot harm
// this process: meant for outside libraries reading untrusted files. Gives
// what `work` returned, or nothing when the child failed or outran `timeout`
// (it is then killed). `work` must not touch this process's windows or
// threads. Where no child process can be made, `work` runs here.
std::optional<std::string> runIsolated(const std::function<std::string()>& work,
                                       std::chrono::milliseconds timeout);

} // namespace tolm::platform
