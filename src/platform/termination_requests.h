#pragma once

#include <functional>

namespace tolm::platform {

// Calls `onRequest` each time the system asks the program to end: SIGTERM,
// SIGHUP or SIGINT on POSIX; Ctrl+C, Ctrl+Break or the console closing on
// Windows. The call comes on a thread of its own, never inside a signal
// handler, so it may post work to the user-interface thread but must not
// touch windows itself. One watcher at a time: false while another watches,
// or when the requests cannot be watched (they then end the program as they
// would by default).
bool watchTerminationRequests(std::function<void()> onRequest);

// No call comes once this returns (one under way is waited for); later
// requests end the program as they would by default.
void stopWatchingTerminationRequests();

} // namespace tolm::platform
