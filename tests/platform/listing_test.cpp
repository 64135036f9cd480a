// POSIX links and names differing only in letter case; Windows listing is
// the system's own. FIFOs and hidden files are the add-multiple run's.
#ifndef _WIN32

#include "platform/listing.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tolm::platform {
namespace {

using Strings = std::vector<std::string>;

TEST(ListPlainFiles, ListsWhatAUserWouldPickFromSortedIgnoringCaseThenByBytes) {
    test::TempDir dir;
    for (const char* name : {"b.tap", "B.tap", "A.TAP", "10.z80", "9.z80", "_x", "subdir/in.tap"})
        dir.write(name);
    std::filesystem::create_symlink(dir.sub("b.tap"), dir.sub("link.z80"));
    std::filesystem::create_symlink(dir.sub("nowhere"), dir.sub("dangling.z80"));
    std::filesystem::create_directory_symlink(dir.sub("subdir"), dir.sub("dirlink"));
    // Ties under case folding keep a fixed order, whatever the directory returns.
    EXPECT_EQ(listPlainFiles(dir.path()),
              (Strings{"10.z80", "9.z80", "_x", "A.TAP", "B.tap", "b.tap", "link.z80"}));
    EXPECT_EQ(listPlainFiles(dir.sub("subdir/")), Strings{"in.tap"});
    std::vector<DirectoryEntry> entries;
    const IoResult missing = listDirectory(dir.sub("missing"), entries);
    EXPECT_NE(missing.error.find(dir.sub("missing")), std::string::npos) << missing.error;
}

} // namespace
} // namespace tolm::platform

#endif
