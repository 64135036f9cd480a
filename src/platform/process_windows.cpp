#include "platform/process.h"

#include <windows.h>

#include <utility>

#include "platform/windows_text.h"

namespace tolm::platform {
namespace {

// The system's thread pool waits on the process handle; unregistering waits
// for a report under way, so none comes after the watch is gone.
class WindowsProgramWatch final : public ProgramWatch {
public:
    WindowsProgramWatch(HANDLE process, std::function<void()> ended)
        : process_(process), ended_(std::move(ended)) {
        if (!RegisterWaitForSingleObject(&wait_, process_, &WindowsProgramWatch::onEnded, this,
                                         INFINITE, WT_EXECUTEONLYONCE))
            wait_ = nullptr;
    }

    ~WindowsProgramWatch() override {
        if (wait_ != nullptr)
            UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
        CloseHandle(process_);
    }

private:
    static void CALLBACK onEnded(void* context, BOOLEAN) {
        auto* self = static_cast<WindowsProgramWatch*>(context);
        if (self->ended_)
            self->ended_();
    }

    HANDLE process_;
    HANDLE wait_ = nullptr;
    std::function<void()> ended_;
};

// Starts the program; its process handle, or the failure.
IoResult createProcess(const std::string& program, const std::vector<std::string>& arguments,
                       HANDLE* process) {
    if (program.empty())
        return IoResult::failure(windows::errorText(ERROR_FILE_NOT_FOUND));
    if (program.find('"') != std::string::npos) // no file name holds one
        return IoResult::failure(windows::errorText(ERROR_INVALID_NAME));
    // The program is named outright, so nothing is searched for and no
    // ".exe" is guessed; the command line only carries the arguments.
    const std::wstring application = windows::extendedPath(program);
    std::wstring commandLine = windows::toWide(windowsCommandLine(program, arguments));
    if (commandLine.size() >= 32767)
        return IoResult::failure(windows::errorText(ERROR_FILENAME_EXCED_RANGE));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &started))
        return IoResult::failure(windows::errorText(GetLastError()));
    // The new program may take the focus from us.
    AllowSetForegroundWindow(started.dwProcessId);
    CloseHandle(started.hThread);
    *process = started.hProcess;
    return IoResult::success();
}

} // namespace

IoResult startProgram(const std::string& program, const std::vector<std::string>& arguments) {
    HANDLE process = nullptr;
    IoResult started = createProcess(program, arguments, &process);
    if (started)
        CloseHandle(process);
    return started;
}

WatchedStart startWatchedProgram(const std::string& program,
                                 const std::vector<std::string>& arguments,
                                 std::function<void()> ended) {
    HANDLE process = nullptr;
    IoResult started = createProcess(program, arguments, &process);
    if (!started)
        return {std::move(started), nullptr};
    return {IoResult::success(), std::make_unique<WindowsProgramWatch>(process, std::move(ended))};
}

} // namespace tolm::platform
