// POSIX file kinds (links, FIFOs, dot names as hidden) and names differing
// only in letter case; Windows hides by attribute and its listing is the
// system's own.
#ifndef _WIN32

#include "platform/listing.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

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

// What each entry is, as every listing above is built on it: a link counts as
// what it leads to, and sizes come only when asked for. POSIX only, as above.
#ifndef _WIN32
TEST(ListDirectory, TellsEachEntryWhatItIs) {
    test::TempDir dir;
    dir.write("game.tap", "12345");
    dir.write(".hidden", "ab");
    dir.write("sub/");
    std::filesystem::create_symlink(dir.sub("game.tap"), dir.sub("link"));
    std::filesystem::create_symlink(dir.sub("nowhere"), dir.sub("dangling"));
    ASSERT_EQ(::mkfifo(dir.sub("pipe").c_str(), 0600), 0);
    struct Expected {
        bool plainFile, hidden;
        std::uint64_t size;
    };
    const std::map<std::string, Expected> expected = {
        {"game.tap", {true, false, 5}},  {".hidden", {true, true, 2}},
        {"sub", {false, false, 0}},      {"link", {true, false, 5}},
        {"dangling", {false, false, 0}}, {"pipe", {false, false, 0}}};
    for (const EntrySizes sizes : {EntrySizes::Skipped, EntrySizes::Read}) {
        std::vector<DirectoryEntry> entries;
        ASSERT_TRUE(listDirectory(dir.path(), entries, sizes));
        ASSERT_EQ(entries.size(), expected.size());
        for (const DirectoryEntry& entry : entries) {
            const Expected& want = expected.at(entry.name);
            EXPECT_EQ(entry.plainFile, want.plainFile) << entry.name;
            EXPECT_EQ(entry.hidden, want.hidden) << entry.name;
            if (sizes == EntrySizes::Read) {
                EXPECT_EQ(entry.size, want.size) << entry.name;
            }
        }
    }
    std::vector<DirectoryEntry> entries;
    const IoResult missing = listDirectory(dir.sub("missing"), entries);
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.error.find(dir.sub("missing")), std::string::npos) << missing.error;
    EXPECT_FALSE(listDirectory("", entries));
}
#endif

} // namespace
} // namespace tolm::platform

#endif
