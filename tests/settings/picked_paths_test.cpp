#include "settings/picked_paths.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/files.h"

using namespace tolm;

namespace {

// Paths written with '/' in the tables, in the platform's separator here.
std::vector<std::string> native(std::vector<std::string> paths) {
    for (std::string& path : paths)
        std::replace(path.begin(), path.end(), '/', platform::kPathSeparator);
    return paths;
}
std::string native(const std::string& path) {
    return native(std::vector{path})[0];
}

// The directory joins the search paths unless one already names it, letter
// case ignored; a list without a first entry starts again.
TEST(PickedPaths, FullPathBecomesNameAndSearchDirectory) {
    // clang-format off
    const struct { const char* what; std::vector<std::string> before; const char* text;
                   const char* stored; std::vector<std::string> after; } cases[] = {
        {"appended", {"/a/"}, "/roms/Manic.z80", "Manic.z80", {"/a/", "/roms/"}},
        {"already there in another case", {"/ROMS/"}, "/roms/Manic.z80", "Manic.z80", {"/ROMS/"}},
        {"bare name registers nothing", {"/a/"}, "Manic.z80", "Manic.z80", {"/a/"}},
        {"an empty first entry is replaced", {"", "/b/"}, "/c/x.tap", "x.tap", {"/c/"}},
        {"blanks are kept", {}, "/my games/ x .tap", " x .tap", {"/my games/"}}};
    // clang-format on
    for (const auto& c : cases) {
        std::vector<std::string> paths = native(c.before);
        EXPECT_EQ(storeUnderSearchPath(paths, native(c.text)), native(c.stored)) << c.what;
        EXPECT_EQ(paths, native(c.after)) << c.what;
    }
    EXPECT_EQ(asSearchDirectory(native("/")), native("/"));
}

} // namespace
