#include "platform/process.h"

#include <windows.h>

#include "platform/windows_text.h"

namespace tolm::platform {

IoResult startProgram(const std::string& program, const std::vector<std::string>& arguments) {
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
    CloseHandle(started.hProcess);
    return IoResult::success();
}

} // namespace tolm::platform
