#include "platform/termination_requests.h"

#include <windows.h>

#include <mutex>
#include <utility>

namespace tolm::platform {
namespace {

// The console control handler takes no context, so the callback is kept
// here, and taken away under the lock before its owner goes.
std::mutex handlerLock;
std::function<void()> requestHandler;

BOOL WINAPI onConsoleControl(DWORD type) {
    switch (type) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT: {
        {
            const std::lock_guard<std::mutex> guard(handlerLock);
            if (!requestHandler)
                return FALSE; // no one listens any more: the default ends the process
            requestHandler();
        }
        if (type == CTRL_CLOSE_EVENT) {
            // The process ends as soon as this returns: give the program the
            // few seconds Windows allows to write its files.
            Sleep(5000);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

} // namespace

bool watchTerminationRequests(std::function<void()> onRequest) {
    {
        const std::lock_guard<std::mutex> guard(handlerLock);
        if (requestHandler)
            return false;
        requestHandler = std::move(onRequest);
    }
    if (SetConsoleCtrlHandler(onConsoleControl, TRUE) != 0)
        return true;
    const std::lock_guard<std::mutex> guard(handlerLock);
    requestHandler = nullptr;
    return false;
}

void stopWatchingTerminationRequests() {
    SetConsoleCtrlHandler(onConsoleControl, FALSE);
    const std::lock_guard<std::mutex> guard(handlerLock);
    requestHandler = nullptr;
}

} // namespace tolm::platform
