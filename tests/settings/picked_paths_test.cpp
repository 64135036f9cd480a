#include "settings/picked_paths.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/files.h"

using namespace tolm;

namespace {

// A path written with '/', in the platform's separator here.
std::string native(std::string path) {
    std::replace(path.begin(), path.end(), '/', platform::kPathSeparator);
    return path;
}

// The directory joins the search paths unless one already names it, letter
// case ignored; a list without a first entry starts again.
TEST(PickedPaths, FullPathBecomesNameAndSearchDirectory) {
    std::vector<std::string> paths = {native("/ROMS/")};
    EXPECT_EQ(storeUnderSearchPath(paths, native("/roms/Manic.z80")), "Manic.z80");
    EXPECT_EQ(paths, std::vector{native("/ROMS/")});
    paths = {"", native("/b/")};
    EXPECT_EQ(storeUnderSearchPath(paths, native("/my games/ x .tap")), " x .tap");
    EXPECT_EQ(paths, std::vector{native("/my games/")});
}

} // namespace
