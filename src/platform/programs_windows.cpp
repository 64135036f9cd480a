#include "platform/programs.h"

#include <windows.h>

#include "platform/files.h"

namespace tolm::platform {

// Windows starts any plain file that it knows as a program (the file-open
// dialog has already narrowed the choice to *.exe).
bool isRunnableProgram(const std::string& path) {
    if (path.empty())
        return false;
    DWORD kind = 0;
    return ::GetBinaryTypeW(nativePath(path).c_str(), &kind) != 0;
}

} // namespace tolm::platform
