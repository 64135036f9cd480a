#include <gtest/gtest.h>

#include <random>

#include "made_game_files.h"
#include "screens/game_file_screen.h"
#include "screens/screen_memory.h"
#include "support/temp_dir.h"

namespace tolm::screens {
namespace {

using testing::Bytes;

std::string_view asText(const Bytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

ScreenMemory blankScreen(std::uint8_t attribute) {
    ScreenMemory screen{};
    std::fill(screen.begin() + kBitmapBytes, screen.end(), attribute);
    return screen;
}

// Both intensities of each colour, black the same in both.
TEST(SpectrumScreen, AttributeGivesInkPaperBrightAndFlashFirstPhase) {
    struct Case {
        std::uint8_t attribute;
        std::uint32_t ink;   // colour of a set pixel
        std::uint32_t paper; // colour of a clear pixel
    };
    const Case cases[] = {
        {0x38, 0xFF000000, 0xFFD7D7D7}, // black ink on white paper
        {0x47, 0xFFFFFFFF, 0xFF000000}, // bright white ink on black
        {0x0A, 0xFFD70000, 0xFF0000D7}, // red ink on blue
        {0x56, 0xFFFFFF00, 0xFFFF0000}, // bright yellow on bright red
        {0xB9, 0xFF0000D7, 0xFFD7D7D7}, // flashing: ink stays ink in the first phase
        {0xFF, 0xFFFFFFFF, 0xFFFFFFFF}, {0x2C, 0xFF00D700, 0xFF00D7D7}, // green on cyan
        {0x4B, 0xFFFF00FF, 0xFF0000FF}, // bright magenta on bright blue
        {0x70, 0xFF000000, 0xFFFFFF00}, // bright black stays black
    };
    for (const Case& c : cases) {
        ScreenMemory screen = blankScreen(0x38);
        screen[kBitmapBytes + 33] = c.attribute; // cell (1, 1): pixels 8-15, rows 8-15
        screen[bitmapRowOffset(8) + 1] = 0xF0;   // left half of the cell's top row set
        const auto picture = decodeScreen(screen);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->at(8, 8), c.ink) << int(c.attribute);
        EXPECT_EQ(picture->at(15, 8), c.paper) << int(c.attribute);
        EXPECT_EQ(picture->at(8, 9), c.paper) << int(c.attribute);
        EXPECT_EQ(picture->at(16, 8), 0xFFD7D7D7u) << "the next cell keeps its own colours";
    }
}

TEST(SpectrumScreen, RowsFollowTheInterleavedOrder) {
    // Row y lives at 0x4000 | y7y6 y2y1y0 y5y4y3 << 5.
    struct Case {
        int y;
        std::size_t offset;
    };
    const Case cases[] = {{0, 0x0000}, {1, 0x0100},  {7, 0x0700},  {8, 0x0020},
                          {9, 0x0120}, {63, 0x07E0}, {64, 0x0800}, {191, 0x17FF - 31}};
    for (const Case& c : cases) {
        EXPECT_EQ(bitmapRowOffset(c.y), c.offset) << c.y;
        ScreenMemory screen = blankScreen(0x07); // white ink, black paper
        screen[c.offset + 31] = 0x01;            // the row's last pixel
        const auto picture = decodeScreen(screen);
        ASSERT_TRUE(picture);
        for (int y = 0; y < kScreenHeight; ++y)
            EXPECT_EQ(picture->at(255, y), y == c.y ? 0xFFD7D7D7u : 0xFF000000u) << c.y << ' ' << y;
    }
}

TEST(SpectrumScreen, OnlyExactSizeDecodes) {
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, kBitmapBytes, kScreenBytes - 1,
                             kScreenBytes + 1, std::size_t{6976}}) {
        const Bytes bytes(size, 0x55);
        EXPECT_FALSE(decodeScreen(bytes)) << size;
    }
    EXPECT_TRUE(decodeScreen(Bytes(kScreenBytes, 0x55)));
}

// `contents` cut at each of `lengths`, then with bytes flipped in twenty
// rounds of `flips` within the first `span` bytes (0: anywhere): `check`
// sees each cut, the flipped ones must simply return.
template <typename Read, typename Check>
void damage(const Bytes& contents, std::initializer_list<std::size_t> lengths, int flips,
            std::size_t span, Read read, Check check) {
    for (std::size_t length : lengths)
        check(length, read(Bytes(contents.begin(),
                                 contents.begin() + static_cast<std::ptrdiff_t>(length))));
    std::mt19937 random(static_cast<unsigned>(contents.size()));
    for (int round = 0; round < 20; ++round) {
        Bytes damaged = contents;
        for (int flip = 0; flip < flips; ++flip)
            damaged[random() % (span ? span : damaged.size())] ^=
                static_cast<std::uint8_t>(1 + random() % 255);
        (void)read(damaged);
    }
}

// Game files: every kind must give back exactly the screen put into it.
struct GameFileCase {
    const char* name;
    Bytes contents;
    ScreenMemory expected;
};

std::vector<GameFileCase> gameFiles() {
    const ScreenMemory screen = testing::patternedScreen();
    ScreenMemory second = screen;
    std::reverse(second.begin(), second.end());
    const auto tape = testing::loadingScreenBlocks(screen);
    return {
        {"game.sna", testing::sna48(screen), screen},
        {"shows5.sna", testing::sna128(screen, second, 0x00), screen},
        {"shows7.sna", testing::sna128(screen, second, 0x0F), second},
        {"game.z80", testing::z80Version1(screen), screen},
        {"v3-128.z80", testing::z80Version3x128(screen, second, 0x08), second},
        {"v3-128-5.z80", testing::z80Version3x128(screen, second, 0x07), screen},
        {"game.tap", testing::tapFile(tape), screen},
        {"game.tzx", testing::tzxFile(tape), screen},
        // A file that names its kind inside wins over its extension.
        {"misnamed.tap", testing::tzxFile(tape), screen},
        {"described.tzx", testing::tzxWithArchiveInfo({{{0x00, "Game"}}}, tape), screen},
        {"game.tzx.gz", testing::gzipped(testing::tzxFile(tape)), screen},
    };
}

// Each test reads through a reader of its own, with its own child process.
class GameFileScreen : public ::testing::Test {
protected:
    GameFileScreenReader reader_;
};

TEST_F(GameFileScreen, EachKindGivesItsScreenOrNothing) {
    ASSERT_TRUE(gameFileScreensSupported());
    for (const GameFileCase& c : gameFiles()) {
        const auto found = reader_.screenOf(c.contents, c.name);
        ASSERT_TRUE(found) << c.name;
        EXPECT_TRUE(*found == c.expected) << c.name;
    }
    // Where children are confined, the one child set up before its filter
    // reads every kind without a forbidden call.
    EXPECT_EQ(reader_.childrenStarted(), 1);
    // A tape's loading screen is its first block of exactly the screen's size.
    const ScreenMemory first = blankScreen(0x11);
    const ScreenMemory later = blankScreen(0x22);
    const auto block = [](const ScreenMemory& screen) {
        return testing::tapeBlock(0xFF, Bytes(screen.begin(), screen.end()));
    };
    const auto two = testing::tapFile(
        {testing::tapeBlock(0x00, testing::codeHeader("a", 3, 0)), block(first), block(later)});
    const auto found = reader_.screenOf(two, "two.tap");
    EXPECT_TRUE(found && *found == first);
    const std::vector<Bytes> shortBlock = {
        testing::tapeBlock(0, testing::codeHeader("x", 6911, 16384)),
        testing::tapeBlock(0xFF, Bytes(6911, 0x42))};
    const std::pair<const char*, Bytes> none[] = {
        {"short.tap", testing::tapFile(shortBlock)},
        {"long.tzx", testing::tzxFile({testing::tapeBlock(0xFF, Bytes(6913, 0x42))})},
        {"empty.tap", testing::tapFile({})},
        {"empty.z80", {}},
        {"junk.sna", Bytes(100, 0xFF)},
        {"screen.scr", Bytes(kScreenBytes, 0)}, // not a game file
    };
    for (const auto& [name, contents] : none)
        EXPECT_FALSE(reader_.screenOf(contents, name)) << name;
    // A damaged compressed file is refused before the library sees it: the
    // library's own unpacking never returned on some, holding the child until
    // its time-out and costing a new one.
    const int children = reader_.childrenStarted();
    EXPECT_FALSE(reader_.screenOf(Bytes{'B'}, "one.bz2"));
    EXPECT_FALSE(reader_.archiveInfoOf(Bytes{'B'}, "one.bz2"));
    EXPECT_FALSE(
        reader_.screenOf(testing::tzxFile(testing::loadingScreenBlocks(first)), "not.tzx.gz"));
    EXPECT_EQ(reader_.childrenStarted(), children);
}

TEST_F(GameFileScreen, DamagedFilesGiveNothingAndNeverCrash) {
    // Every file cut short at many points, and with bytes flipped: no
    // screen, or (where the cut leaves the screen whole) the right one.
    for (const GameFileCase& c : gameFiles()) {
        const std::size_t size = c.contents.size();
        damage(
            c.contents, {0, 1, 10, 27, 30, size / 3, size / 2, size - 1}, 16, 0,
            [&](const Bytes& bytes) { return reader_.screenOf(bytes, c.name); },
            [&](std::size_t length, const std::optional<ScreenMemory>& found) {
                EXPECT_TRUE(!found || *found == c.expected) << c.name << " cut at " << length;
            });
        EXPECT_TRUE(reader_.screenOf(c.contents, c.name)) << "the reader outlives " << c.name;
    }
}

TEST_F(GameFileScreen, ReadsFromDiskAndRefusesWhatIsNotThere) {
    test::TempDir dir;
    const Bytes z80 = testing::z80Version1(testing::patternedScreen());
    dir.write("game.z80", asText(z80));
    const std::string path = dir.sub("game.z80");
    const auto found = reader_.readFile(path);
    ASSERT_TRUE(found);
    EXPECT_TRUE(*found == testing::patternedScreen());
    EXPECT_FALSE(reader_.readFile(dir.sub("absent.z80")));
    EXPECT_FALSE(reader_.readFile(dir.path())) << "a directory";
    const Bytes tzx = testing::tzxWithArchiveInfo({{{0x01, "Ocean"}, {0x03, "1988"}}}, {});
    dir.write("game.tzx", asText(tzx));
    const auto info = reader_.readArchiveInfo(dir.sub("game.tzx"));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->publisher, "Ocean");
    EXPECT_EQ(info->year, 1988);
    for (const std::string& none : {dir.sub("absent.tzx"), dir.path(), path})
        EXPECT_FALSE(reader_.readArchiveInfo(none)) << none;
}

TEST(ArchiveInfoYear, FirstFourDigitNumberInRange) {
    // clang-format off
    const std::pair<const char*, int> cases[] = {
        {"1983", 1983}, {" 1984/85", 1984}, {"12.10.1987", 1987}, {"c1985 Ocean", 1985},
        {"198x", 0}, {"", 0}, {"12345 1986", 1986}, {"1969, 1970", 1970}, {"2100", 0}};
    // clang-format on
    for (const auto& [text, year] : cases)
        EXPECT_EQ(yearInArchiveText(text), year) << text;
}

auto fields(const ArchiveInfo& info) {
    return std::tie(info.title, info.publisher, info.authors, info.year);
}

// Tapes written with archive-info blocks: what each one tells.
struct ArchiveCase {
    const char* name;
    Bytes contents;
    std::optional<ArchiveInfo> expected;
};

std::vector<ArchiveCase> archiveTapes() {
    const auto tape = testing::loadingScreenBlocks(testing::patternedScreen());
    const std::vector<testing::ArchiveText> manic = {{0x00, "Manic Miner"},
                                                     {0x01, "Bug-Byte Software Ltd."},
                                                     {0x02, "Matthew Smith"},
                                                     {0x03, "1983"},
                                                     {0x04, "English"}};
    const ArchiveInfo manicInfo{"Manic Miner", "Bug-Byte Software Ltd.", "Matthew Smith", 1983};
    const Bytes described = testing::tzxWithArchiveInfo({manic}, tape);
    return {
        {"manic.tzx", described, manicInfo},
        {"manic.tzx.gz", testing::gzipped(described), manicInfo},
        // Windows-1252 bytes become UTF-8; blanks go; an authors text's
        // lines are joined.
        {"accents.tzx",
         testing::tzxWithArchiveInfo({{{0x00, "  Caf\xE9 \xA0"},
                                       {0x01, "Dinamic"},
                                       {0x02, "Jos\xE9 Ram\xF3n\r\r Bernie Drummond \r"},
                                       {0x03, "1987/88"}}},
                                     tape),
         ArchiveInfo{"Caf\xC3\xA9", "Dinamic", "Jos\xC3\xA9 Ram\xC3\xB3n, Bernie Drummond", 1987}},
        // The first block describes the tape; later ones are its parts.
        {"compilation.tzx", testing::tzxWithArchiveInfo({{{0x01, "Ocean"}}, manic}, tape),
         ArchiveInfo{"", "Ocean", "", 0}},
        {"unknown-year.tzx", testing::tzxWithArchiveInfo({{{0x03, "198x"}, {0x02, "-"}}}, tape),
         ArchiveInfo{"", "", "-", 0}},
        {"says-nothing.tzx",
         testing::tzxWithArchiveInfo({{{0x04, "English"}, {0x00, "   "}}}, tape), std::nullopt},
        {"no-info.tzx", testing::tzxFile(tape), std::nullopt},
        {"game.z80", testing::z80Version1(testing::patternedScreen()), std::nullopt},
        {"junk.tzx", Bytes(100, 0xFF), std::nullopt},
    };
}

TEST_F(GameFileScreen, ArchiveInfoIsTheFirstBlocksTexts) {
    for (const ArchiveCase& c : archiveTapes()) {
        const auto found = reader_.archiveInfoOf(c.contents, c.name);
        ASSERT_EQ(found.has_value(), c.expected.has_value()) << c.name;
        if (found) {
            EXPECT_EQ(fields(*found), fields(*c.expected)) << c.name;
        }
    }
    EXPECT_EQ(reader_.childrenStarted(), 1) << "one child reads screens and archive info";
    // Damaged tapes give nothing or the truth, and the reader lives on.
    for (const ArchiveCase& c : archiveTapes()) {
        if (!c.expected)
            continue;
        damage(
            c.contents, {10, 12, 20, 40, c.contents.size() / 2}, 8, 80,
            [&](const Bytes& bytes) { return reader_.archiveInfoOf(bytes, c.name); },
            [&](std::size_t length, const std::optional<ArchiveInfo>& found) {
                EXPECT_TRUE(!found || found->publisher == c.expected->publisher)
                    << c.name << " cut at " << length;
            });
        EXPECT_TRUE(reader_.archiveInfoOf(c.contents, c.name)) << "the reader outlives " << c.name;
        EXPECT_TRUE(reader_.screenOf(c.contents, c.name)) << "and still reads screens";
    }
}

} // namespace
} // namespace tolm::screens
