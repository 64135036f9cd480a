#include <gtest/gtest.h>

#include "platform/file_index.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace tolm::platform {
namespace {

// The index must answer exactly as fileExists does, name by name, while
// reading each directory once.
TEST(FileIndex, AgreesWithFileExistsReadingEachDirectoryOnce) {
    test::TempDir dir;
    for (const char* file : {"roms/a.tap", "roms/B.TZX", "roms/.hidden.tap", "roms/noext",
                             "roms/sub/c.tap", "roms/empty/", "romsx.tap", "only-hidden/.x"})
        dir.write(file);
    const char* names[] = {"roms/A.TAP",       "roms/B.TZX",    "roms/.hidden.tap", "roms/sub",
                           "roms/sub/c.tap",   "roms/?.tap",    "roms/*.*",         "roms/n*",
                           "roms/empty/*.*",   "nowhere/a.tap", "only-hidden/",     "roms/a.tap/",
                           "roms/sub/../a.tap"};
    FileIndex index;
    for (int pass = 0; pass < 2; ++pass) // the second pass is answered from memory
        for (const char* name : names)
            EXPECT_EQ(index.fileExists(dir.sub(name)), fileExists(dir.sub(name))) << name;
    EXPECT_FALSE(index.fileExists(""));

    FileIndex counted;
    for (int i = 0; i < 100; ++i)
        (void)counted.fileExists(dir.sub("roms/game" + std::to_string(i) + ".tap"));
    EXPECT_TRUE(counted.fileExists(dir.sub("roms/a.tap")));
    EXPECT_EQ(counted.directoriesRead(), 1u);
}

} // namespace
} // namespace tolm::platform
