#pragma once

#include <functional>

namespace tolm::platform {

// Calls `onRequest` each time the system asks the program to end: SIGTERM,
// SIGHUP or SIGINT on POSIX; Ctrl+C, Ctrl+Break or the console closing on
// Windows. The call comes on a thread of its own, never inside a signal
// handler, so it may post work to the user-interface thread but must not
// touch windows itself. Call once per process; false when the requests
// cannot be watched (they then end the program as they would by default).
bool watchTerminationRequests(std::function<void()> onRequest);

} // namespace tolm::platform
