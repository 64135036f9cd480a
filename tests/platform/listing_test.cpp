// POSIX file kinds (links, FIFOs, dot names as hidden) and names differing
// only in letter case; Windows hides by attribute and its listing is the
// system's own.
#ifndef _WIN32

#include "platform/listing.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tolm::platform {
namespace {

using Strings = std::vector<std::string>;

TEST(ListPlainFiles, ListsWhatAUserWouldPickFromSortedIgnoringCaseThenByBytes) {
    test::TempDir dir;
    for (const char* name : {"b.tap", "B.tap", "A.TAP", "README", "10.z80", "9.z80", "_x",
                             ".hidden.tap", "subdir/inner.tap", "only-dirs/a/"})
        dir.write(name);
    std::filesystem::create_symlink(dir.sub("b.tap"), dir.sub("link.z80"));
    std::filesystem::create_symlink(dir.sub("nowhere"), dir.sub("dangling.z80"));
    std::filesystem::create_directory_symlink(dir.sub("subdir"), dir.sub("dirlink"));
    ASSERT_EQ(::mkfifo(dir.sub("pipe.tap").c_str(), 0600), 0);
    // Ties under case folding keep a fixed order, whatever the directory returns.
    EXPECT_EQ(listPlainFiles(dir.path()),
              (Strings{"10.z80", "9.z80", "_x", "A.TAP", "B.tap", "b.tap", "link.z80", "README"}));
    EXPECT_EQ(listPlainFiles(dir.sub("subdir/")), Strings{"inner.tap"});
    EXPECT_EQ(listPlainFiles(dir.sub("subdir")), Strings{"inner.tap"});
    for (const char* empty : {"only-dirs", "missing", ""})
        EXPECT_EQ(listPlainFiles(empty[0] ? dir.sub(empty) : ""), Strings{}) << empty;
}

} // namespace
} // namespace tolm::platform

#endif
