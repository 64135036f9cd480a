// Arbitrary bytes as a game file's name. The parser must never crash, and a
// name it accepts as TOSEC must give a game a name: never empty, never longer
// than the file's, with a title and a year that is 0 or a real one.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/tosec_name.h"

using namespace tolm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view fileName(reinterpret_cast<const char*>(data), size);
    if (const auto parsed = parseTosecName(fileName)) {
        if (parsed->name.empty() || parsed->name.size() > fileName.size() ||
            parsed->title.empty() || parsed->date.empty() ||
            (parsed->year != 0 && (parsed->year < 1900 || parsed->year > 2099)))
            __builtin_trap();
        if (gameNameFromFileName(fileName, NameRule::UpToFirstDot) != parsed->name)
            __builtin_trap();
    } else if (gameNameFromFileName(fileName, NameRule::UpToLastDot).size() > fileName.size()) {
        __builtin_trap();
    }
    return 0;
}
