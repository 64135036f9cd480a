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
bool installed = false;

BOOL WINAPI onConsoleControl(DWORD type) {
    switch (type) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT: {
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
    default:
        return FALSE;
    }
}

} // namespace

bool watchTerminationRequests(std::function<void()> onRequest) {
    if (requestHandler != nullptr)
        return false;
    requestHandler =
        new std::function<void()>(std::move(onRequest)); // lives as long as the process
    return SetConsoleCtrlHandler(onConsoleControl, TRUE) != 0;
}

} // namespace tolm::platform
