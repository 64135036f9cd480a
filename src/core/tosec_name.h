#pragma once

// File names in the TOSEC convention, as the preservation sets write them:
//   Title[ version][ (demo)] (date)(publisher)[(system)][(video)][(country)]
//   [(language)][(copyright)][(devstatus)][(media)][(media label)]
//   [dump flags...][more info...]
// and the name a game file gives a new game, TOSEC or not.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolm {

// Extensions of the files the program treats as games, lower case: the
// snapshot and tape kinds the screen reader knows, and the disk and cartridge
// images the Spectrum sets hold. Any extension of up to four letters
// beginning "zx" counts too, as the ROM file filter's "*.ZX*" does.
inline constexpr std::array<std::string_view, 17> kGameFileExtensions = {
    "z80", "sna", "szx", "sp",  "snp", "zxs", "slt", "tap", "tzx",
    "pzx", "csw", "dsk", "trd", "scl", "mdr", "dck", "hdf"};

// Extensions of the compressed files the screen reader unpacks, lower case.
inline constexpr std::array<std::string_view, 3> kCompressionExtensions = {"zip", "gz", "bz2"};

// Whether `extension` (without its dot, any letter case) is a game file's or
// a compressed file's.
bool isGameFileExtension(std::string_view extension);
bool isCompressionExtension(std::string_view extension);

// `fileName` without its trailing compression extensions ("Manic Miner.tzx.zip"
// gives "Manic Miner.tzx").
std::string_view withoutCompressionExtensions(std::string_view fileName);

// `fileName` without every trailing game-file and compression extension
// ("Manic Miner.tzx.zip" gives "Manic Miner").
std::string_view withoutGameExtensions(std::string_view fileName);

// One dump flag: "[cr Mr X]" is code "cr", number 1, argument "Mr X";
// "[a2]" is code "a", number 2.
struct TosecDumpFlag {
    std::string code; // cr f h m p t tr o u v b a !
    int number = 1;
    std::string argument;

    bool operator==(const TosecDumpFlag&) const = default;
};

// Every part of a TOSEC name, each as written (without its brackets); absent
// parts are empty.
struct TosecName {
    std::string title;   // the article stays where it is written: "Hobbit, The"
    std::string version; // "v1.2", "Rev 1"
    std::string demo;    // "demo", "demo-playable", ...
    std::string date;    // "1984-11", "19xx"
    int year = 0;        // 0 unless all four digits are known
    int month = 0;       // 0 when absent or not fully known
    int day = 0;
    std::string publisher;  // empty for the unknown "-"
    std::string system;     // "128K", "+2a"
    std::string video;      // "PAL"
    std::string country;    // "GB", "DE-FR"
    std::string language;   // "en", "de-fr", "M3"
    std::string copyright;  // "PD", "SW-R"
    std::string devStatus;  // "beta", "proto"
    std::string media;      // "Side A", "Tape 2 of 2 Side B"
    std::string mediaLabel; // the free group after the media
    // Round-bracket groups after the publisher that are of no known kind or
    // stand out of the convention's order; kept so nothing is lost.
    std::vector<std::string> otherGroups;
    std::vector<TosecDumpFlag> dumpFlags;
    std::vector<std::string> moreInfo; // "128K", "aka Other Name"

    // What the file names a game: the name with the date and publisher
    // groups taken out, every other part verbatim and in place
    // ("Knight Lore (GB)(en)"). Never empty.
    std::string name;

    bool operator==(const TosecName&) const = default;
};

// The parts of `fileName` when, its game-file and compression extensions off,
// it reads as a title followed by a date group and a publisher group (then
// optional groups and flags only); otherwise nothing.
std::optional<TosecName> parseTosecName(std::string_view fileName);

// The names in a publisher group, which joins several with " - ":
// "Palace - Melbourne House" gives "Palace" and "Melbourne House".
std::vector<std::string> tosecPublishers(std::string_view publisher);

// The two naming rules the game dialogs have always used.
enum class NameRule {
    UpToFirstDot, // Add Multiple: "Jet.Set.Willy.tap" gives "Jet"
    UpToLastDot,  // Add Game: "Jet.Set.Willy.tap" gives "Jet.Set.Willy"
};

// The name a file gives a new game: its TOSEC name when it has one, else
// `rule` applied once the compression extensions are off
// ("Manic Miner.tzx.zip" gives "Manic Miner" by either rule).
std::string gameNameFromFileName(std::string_view fileName, NameRule rule);

} // namespace tolm
