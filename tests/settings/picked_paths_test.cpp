#include "settings/picked_paths.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/files.h"

using namespace tolm;

namespace {

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// A path written with '/', in the platform's separator here.
std::string native(std::string path) {
    std::replace(path.begin(), path.end(), '/', platform::kPathSeparator);
    return path;
}

// The directory joins the search paths unless one already names it, letter
// case counting where the file system says so; a list without a first entry
// starts again.
TEST(PickedPaths, FullPathBecomesNameAndSearchDirectory) {
    using Paths = std::vector<std::string>;
    const struct {
        Paths before;
        const char* picked;
        const char* name;
        Paths after;
    } cases[] = {
        {{"/roms/"}, "/roms/Manic.z80", "Manic.z80", {"/roms/"}},
        {{"/ROMS/"},
         "/roms/Manic.z80",
         "Manic.z80",
         kWindows ? Paths{"/ROMS/"} : Paths{"/ROMS/", "/roms/"}},
        {{"/data/Roms/", "/x/"},
         "/data/roms/a.tap",
         "a.tap",
         kWindows ? Paths{"/data/Roms/", "/x/"} : Paths{"/data/Roms/", "/x/", "/data/roms/"}},
        {{"", "/b/"}, "/my games/ x .tap", " x .tap", {"/my games/"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picked);
        Paths paths;
        for (const std::string& p : c.before)
            paths.push_back(native(p));
        EXPECT_EQ(storeUnderSearchPath(paths, native(c.picked)), c.name);
        Paths expected;
        for (const std::string& p : c.after)
            expected.push_back(native(p));
        EXPECT_EQ(paths, expected);
    }
}

} // namespace
