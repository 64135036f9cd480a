#include "core/compressed_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compressed_fixtures.h"

using namespace tolm;

namespace {

// The payload core/data/compressed/make.sh packs: i*7 mod 251.
std::vector<std::uint8_t> gamePayload(std::size_t from = 0, std::size_t to = 3000) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = from; i < to; ++i)
        bytes.push_back(static_cast<std::uint8_t>((i * 7) % 251));
    return bytes;
}

std::span<const std::uint8_t> fixture(std::string_view name) {
    for (const EmbeddedFile& f : kCompressedFixtures)
        if (f.name == name)
            return f.bytes;
    ADD_FAILURE() << "no fixture " << name;
    return {};
}

constexpr std::uint64_t kPlenty = 1 << 20;

} // namespace

// Files the real tools made: the game file inside comes out whole, under its
// own name, wherever the archive put it.
TEST(CompressedFile, UnpacksWhatTheRealToolsMade) {
    const auto payload = gamePayload();
    const struct {
        const char* fixture;
        const char* fileName;
        Compression kind;
        const char* innerName;
    } cases[] = {
        {"deflated.zip", "deflated.zip", Compression::Zip, "game.tap"}, // after a text file
        {"stored.zip", "stored.zip", Compression::Zip, "game.tap"},
        {"in_folder.zip", "x.zip", Compression::Zip, "Manic Miner (1983)(Bug-Byte Software).tzx"},
        {"game.tap.gz", "Manic Miner.tap.gz", Compression::Gzip, "Manic Miner.tap"},
        {"two_members.tap.gz", "two.tap.gz", Compression::Gzip, "two.tap"},
        {"game.tap.bz2", "Games/Manic.tap.bz2", Compression::Bzip2, "Manic.tap"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        const auto bytes = fixture(c.fixture);
        EXPECT_EQ(compressionOf(bytes), c.kind);
        if (c.kind == Compression::Bzip2 && !bzip2Supported())
            continue;
        UnpackError error;
        const auto unpacked = unpackGameFile(bytes, c.fileName, kPlenty, &error);
        ASSERT_TRUE(unpacked) << error.message;
        EXPECT_EQ(unpacked->name, c.innerName);
        EXPECT_EQ(unpacked->bytes, payload);
    }
}

// Whatever is wrong with a file, the answer is a plain refusal of the right
// kind: never a crash, never bytes that are not the file's.
TEST(CompressedFile, RefusesWhatItCannotRead) {
    using Kind = UnpackError::Kind;
    const auto corrupt = [](std::string_view name, std::size_t at) {
        const auto bytes = fixture(name);
        std::vector<std::uint8_t> v(bytes.begin(), bytes.end());
        v[at] ^= 0x55;
        return v;
    };
    const auto cut = [](std::string_view name, std::size_t drop) {
        const auto bytes = fixture(name);
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end() - static_cast<long>(drop));
    };
    const auto stored = fixture("stored.zip");
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::uint64_t maxBytes;
        Kind kind;
    } cases[] = {
        {"no game file in the zip", cut("no_game.zip", 0), kPlenty, Kind::Unsupported},
        {"an archive of no entries",
         {'P', 'K', 5, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         kPlenty,
         Kind::Unsupported},
        {"a stored entry's byte changed", corrupt("stored.zip", 200), kPlenty, Kind::Damaged},
        {"the zip's table of contents cut off", cut("deflated.zip", 30), kPlenty, Kind::Damaged},
        {"a gzip file cut short", cut("game.tap.gz", 20), kPlenty, Kind::Damaged},
        {"a gzip file's data changed", corrupt("game.tap.gz", 100), kPlenty, Kind::Damaged},
        {"more than the limit, zipped", cut("deflated.zip", 0), 2999, Kind::TooLarge},
        {"more than the limit, gzipped", cut("game.tap.gz", 0), 2999, Kind::TooLarge},
        {"a plain file over the limit", std::vector<std::uint8_t>(100, 1), 99, Kind::TooLarge},
        {"an end record pointing past itself",
         [&] {
             std::vector<std::uint8_t> v(stored.begin(), stored.end());
             v[v.size() - 3] = 0xFF; // the high byte of the directory's offset
             return v;
         }(),
         kPlenty, Kind::Damaged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UnpackError error;
        EXPECT_FALSE(unpackGameFile(c.bytes, "file.zip", c.maxBytes, &error));
        EXPECT_EQ(error.kind, c.kind) << error.message;
        EXPECT_FALSE(error.message.empty());
    }
}

// Every prefix of every fixture: unpacked whole or refused, never read past.
TEST(CompressedFile, EveryTruncationIsRefused) {
    for (const EmbeddedFile& f : kCompressedFixtures) {
        SCOPED_TRACE(std::string(f.name));
        for (std::size_t size = 0; size < f.bytes.size(); ++size) {
            const auto unpacked = unpackGameFile(f.bytes.first(size), f.name, kPlenty);
            // Only a plain file (no compression recognised yet) may come back,
            // or the first of two gzip members, whole: a gzip file in itself.
            if (unpacked && compressionOf(f.bytes.first(size)) != Compression::None) {
                EXPECT_EQ(unpacked->bytes, gamePayload(0, 1000)) << size;
            }
        }
    }
}

// A big entry streams through in pieces, and the receiver can stop it.
TEST(CompressedFile, StreamsAZipEntryAndStopsWhenAsked) {
    MemoryByteSource zip(fixture("deflated.zip"));
    const auto entries = zipEntries(zip);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[0].name, "notes.txt");
    EXPECT_EQ((*entries)[1].size, 3000u);

    std::vector<std::uint8_t> got;
    EXPECT_FALSE(unpackZipEntry(
        zip, (*entries)[1],
        [&](std::span<const std::uint8_t> piece) {
            got.insert(got.end(), piece.begin(), piece.end());
            return true;
        },
        kPlenty));
    EXPECT_EQ(got, gamePayload());

    const auto stopped = unpackZipEntry(
        zip, (*entries)[1], [](std::span<const std::uint8_t>) { return false; }, kPlenty);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->kind, UnpackError::Kind::Stopped);
}
