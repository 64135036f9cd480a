#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/chunked_write.h"
#include "platform/file_index.h"
#include "platform/files.h"
#include "platform/temporary_names.h"
#include "support/temp_dir.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace tolm::platform;
using tolm::test::readAll;
using tolm::test::TempDir;

namespace {

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

TEST(fileExists, ListsLikeADirectoryListing) {
    TempDir tree;
    for (const char* file :
         {"roms/game.tap", "roms/Other.z80", "roms/.hidden", "roms/sub/deep.tap",
          "onlyhidden/.secret", "onlydirs/inner/", "nodot/README", "onlysystem/sys.bin"})
        tree.write(file);
#ifdef _WIN32
    // Hidden as Windows has it (a dot name alone is not), and a system file.
    for (const auto& [file, attribute] : {std::pair{"roms/.hidden", FILE_ATTRIBUTE_HIDDEN},
                                          {"onlyhidden/.secret", FILE_ATTRIBUTE_HIDDEN},
                                          {"onlysystem/sys.bin", FILE_ATTRIBUTE_SYSTEM}})
        ASSERT_TRUE(SetFileAttributesW(nativePath(tree.sub(file)).c_str(), attribute));
#endif
    // clang-format off
    const std::pair<const char*, bool> cases[] = {
        {"roms/game.tap", true}, {"roms/game.tap/", false}, {"roms/.hidden", false},
        // A directory counts only when named with a trailing separator and holding a visible file.
        {"roms", false}, {"roms/", true}, {"onlydirs/", false}, {"onlyhidden/", false},
        {"roms/*.tap", true}, {"roms/g?e.tap", false}, {"roms/su?", false},
        {"nodot/*.*", true}, // "*.*" matches names without a dot, as a Windows listing does
        // Windows compares names ignoring letter case and knows system files.
        {"ROMS/Game.TAP", kWindows}, {"roms/*.TAP", kWindows}, {"roms/OTHER.*", kWindows},
        {"onlysystem/", !kWindows}, {"onlysystem/sys.bin", !kWindows}};
    // clang-format on
    for (const auto& [relative, expected] : cases)
        EXPECT_EQ(fileExists(*relative ? tree.sub(relative) : ""), expected) << relative;
#ifdef _WIN32
    // A drive that is not there: false, and no "insert a disk" box.
    for (const char* missing : {R"(Q:\game.tap)", R"(Q:\)", R"(\\nohost\noshare\x.tap)"})
        EXPECT_FALSE(fileExists(missing)) << missing;
#endif
}

// Paths past the old 260-character limit.
TEST(files, LongPaths) {
    TempDir dir;
    std::string deep = dir.path();
    for (char c = 'a'; c < 'g'; ++c)
        deep += kPathSeparator + std::string(60, c);
    std::filesystem::create_directories(nativePath(deep));
    const std::string file = deep + kPathSeparator + "game.tap";
    ASSERT_TRUE(replaceFile(file, "first"));
    ASSERT_TRUE(replaceFile(file, "second")); // over an existing file
    EXPECT_EQ(readAll(file), "second");
    EXPECT_TRUE(fileExists(deep + kPathSeparator + "g?me.*"));
    FileIndex index; // read the listing of the wrong directory on Windows
    EXPECT_TRUE(index.fileExists(file));
    EXPECT_TRUE(index.fileExists(deep + kPathSeparator + "g?me.*"));
    // Taken down one level at a time: the library's recursive removal does
    // not reach this deep on Windows.
    std::filesystem::remove(nativePath(file));
    for (; deep.size() > dir.path().size(); deep.resize(deep.find_last_of(kPathSeparator)))
        std::filesystem::remove(nativePath(deep));
}

// Names beyond ASCII reach the file system as the same letters (UTF-16 on
// Windows, not the code page), and '?' stands for one letter, not one byte.
TEST(files, NamesBeyondAscii) {
    TempDir dir;
    const std::string name = "Mot\xC3\xB6rhead \xE2\x82\xAC \xE6\x97\xA5.dat";
    ASSERT_TRUE(replaceFile(dir.sub(name), "bytes"));
    EXPECT_TRUE(fileExists(dir.sub("Mot?rhead ? ?.dat")));
    EXPECT_FALSE(fileExists(dir.sub("Mot??rhead*")));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(nativePath(dir.path()))) {
        const std::u8string raw = entry.path().filename().u8string();
        names.emplace_back(raw.begin(), raw.end());
    }
    EXPECT_EQ(names, std::vector<std::string>{name});
}

// A save either puts every byte in place or leaves the old file as it was,
// with no temporary file left behind either way.
TEST(replaceFile, WritesEveryByteOrKeepsWhatWasThere) {
    TempDir dir;
    dir.write("target/keep.txt", "kept");
    dir.write("keep.dat", "old contents");
    dir.write("out.bin", std::string(200000, 'o'));
    std::string bytes(100000, '\0'), scratch;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    const auto stopsEarly = [](const ByteSink& sink) { return sink("partial") && false; };
    // The file turns into a directory while the new bytes are written: the
    // rename at the end fails.
    const std::string swapped = dir.sub("swapped");
    const auto swapsForADirectory = [&](const ByteSink& sink) {
        std::filesystem::remove_all(swapped);
        std::filesystem::create_directory(swapped);
        return sink("data");
    };
    for (Durability d : {Durability::Buffered, Durability::Synced}) {
        std::filesystem::remove_all(swapped);
        dir.write("swapped", "old");
        ASSERT_TRUE(replaceFile(dir.sub("out.bin"), bytes, d));
        EXPECT_EQ(readAll(dir.sub("out.bin")), bytes);
        const std::pair<IoResult, const char*> failures[] = {
            {replaceFile(dir.sub("missing/file.dat"), "data", d), "file.dat"},
            {replaceFile(dir.sub("target"), "data", d), "target"},
            {replaceFileStreamed(dir.sub("keep.dat"), stopsEarly, d), "keep.dat"},
            {replaceFileStreamed(swapped, swapsForADirectory, d), "swapped"},
            {readFile(dir.sub("absent.bin"), scratch), "absent.bin"},
            {readFile(dir.sub("target"), scratch), "target"}};
        for (const auto& [result, name] : failures) {
            EXPECT_FALSE(result) << name;
            EXPECT_NE(result.error.find(name), std::string::npos) << result.error;
        }
        EXPECT_EQ(readAll(dir.sub("target/keep.txt")), "kept");
        EXPECT_EQ(readAll(dir.sub("keep.dat")), "old contents");
        EXPECT_EQ(dir.countEntries(), 4) << "temporary files are cleaned up";
    }
}

// An encoder's chunks reach the file in order, whatever their sizes, and it
// is not asked for more after it said it was done.
TEST(writeEncodedInChunks, WritesEachChunkInOrder) {
    constexpr std::size_t kChunk = WriteChunk::kBytes;
    const auto filled = [](std::size_t size, char first) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(first + i % 61);
        return bytes;
    };
    // clang-format off
    const struct { const char* name; std::vector<std::string> pieces; } cases[] = {
        {"nothing", {""}},
        {"one small", {"Tolm"}},
        {"full chunks, then an empty last", {filled(kChunk, 'a'), filled(kChunk, 'b'), ""}},
        {"many, more than the chunks in flight",
         {filled(kChunk - 1, 'c'), filled(1, 'd'), filled(5000, 'e'), filled(kChunk, 'f'),
          filled(17, 'g'), filled(kChunk / 2, 'h')}},
        {"one larger than a chunk", {filled(100, 'i'), filled(3 * kChunk + 5, 'j'), filled(9, 'k')}},
    };
    // clang-format on
    TempDir dir;
    for (Durability d : {Durability::Buffered, Durability::Synced})
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            std::size_t calls = 0;
            const auto encode = [&](WriteChunk& chunk) {
                const std::string& piece = c.pieces.at(calls++);
                if (piece.size() > chunk.capacity())
                    chunk.grow(piece.size());
                chunk.setEnd(std::copy(piece.begin(), piece.end(), chunk.begin()));
                return calls == c.pieces.size() ? Encoded::Done : Encoded::More;
            };
            ASSERT_TRUE(writeEncodedInChunks(dir.sub("out.bin"), encode, d));
            std::string expected;
            for (const std::string& piece : c.pieces)
                expected += piece;
            EXPECT_EQ(readAll(dir.sub("out.bin")), expected);
            EXPECT_EQ(calls, c.pieces.size());
        }
    dir.write("target/keep.txt", "kept");
    const IoResult failed = writeEncodedInChunks(dir.sub("target"), [](WriteChunk& chunk) {
        chunk.setEnd(chunk.begin());
        return Encoded::Done;
    });
    EXPECT_FALSE(failed);
    EXPECT_NE(failed.error.find("target"), std::string::npos) << failed.error;
    EXPECT_EQ(dir.countEntries(), 2) << "no temporary file left";
}

TEST(removeStaleTemporaryFiles, RemovesOnlyTheReplacesOwnLeftovers) {
#ifdef _WIN32
    GTEST_SKIP()
        << "POSIX only: names differing only in letter case cannot share a Windows directory";
#endif
    TempDir dir;
    // The names it makes are the names it removes; look-alikes are the user's.
    const std::string made = temporaryNameFor("tolm.dat");
    // clang-format off
    const std::pair<std::string, bool> cases[] = {
        {made, true}, {"tolm.ini.tmp-zzzzzzzz", true}, {"tolm.dat", false},
        {"tolm.dat.tmp-0a1b2c3", false}, {"Tolm.dat.tmp-0a1b2c3d", false}};
    // clang-format on
    for (const auto& [name, removed] : cases)
        dir.write(name, "partial save");
    dir.write("tolm.ini.tmp-dir00000/inside"); // a directory of that name is not ours either
    std::filesystem::create_symlink(dir.sub("tolm.dat"), dir.sub("tolm.dat.tmp-link0000"));

    const auto gone = removeStaleTemporaryFiles(dir.path(), {"tolm.dat", "tolm.ini"});
    std::vector<std::string> expected = {made, "tolm.ini.tmp-zzzzzzzz"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(gone, expected) << "sorted";
    for (const auto& [name, removed] : cases)
        EXPECT_EQ(std::filesystem::exists(dir.sub(name)), !removed) << name;
    EXPECT_TRUE(std::filesystem::exists(dir.sub("tolm.ini.tmp-dir00000/inside")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.sub("tolm.dat.tmp-link0000")));
}

} // namespace
