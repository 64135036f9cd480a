#include "platform/paths.h"

#include "core/text.h"

namespace tolm::platform {
namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

bool isAbsolutePath(std::string_view path) {
    if (path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && isSeparator(path[2]))
        return true;
    return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
}

bool samePath(std::string_view a, std::string_view b) {
    return equalsIgnoringCase(a, b);
}

} // namespace tolm::platform
