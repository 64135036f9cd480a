// Reading 50,000 TOSEC file names shaped as the Spectrum sets write them:
// titles of one to five words, some with the article moved to the end, a
// version or a demo group, dates partly unknown, joined publishers and
// people, machine, country, language and media groups, dump flags and more
// info, and game files zipped or not.

#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/tosec_name.h"
#include "dice.h"
#include "timing.h"

namespace {

using namespace tolm::bench;

constexpr int kNames = 50000;
constexpr int kRuns = 7;

class NameMaker : Dice {
public:
    NameMaker() : Dice(1983) {}

    std::string make() {
        std::string name;
        const int words = uniform(1, 5);
        for (int i = 0; i < words; ++i) {
            if (i > 0)
                name += ' ';
            name += pick(kWords);
        }
        if (chance(10))
            name += pick({", The", ", A"});
        if (chance(8))
            name += pick({" v1.1", " v2.0", " Rev 1", " v1.02a"});
        if (chance(4))
            name += pick({" (demo)", " (demo-playable)", " (demo-rolling)"});
        name += " (";
        name += std::to_string(uniform(1982, 1999));
        if (chance(10))
            name.replace(name.size() - 1, 1, "x");
        if (chance(15))
            name += "-0" + std::to_string(uniform(1, 9));
        name += ")(";
        name += chance(5) ? std::string("-") : std::string(pick(kPublishers));
        if (chance(10))
            name += std::string(" - ") + std::string(pick(kPublishers));
        name += ')';
        if (chance(15))
            name += pick({"(128K)", "(48K)", "(+2)", "(+3)", "(16K)"});
        if (chance(10))
            name += pick({"(GB)", "(ES)", "(DE)", "(US)"});
        if (chance(8))
            name += pick({"(en)", "(es)", "(de-fr)", "(M3)"});
        if (chance(12))
            name += pick({"(Side A)", "(Side B)", "(Tape 1 of 2)", "(Tape 2 of 2 Side B)"});
        if (chance(20))
            name += pick({"[a]", "[a2]", "[a3]", "[cr]", "[cr Mr X]", "[t]", "[t +2 Trainer]",
                          "[h Pirate Soft]", "[b]", "[!]", "[tr es]"});
        if (chance(15))
            name += pick(
                {"[128K]", "[48-128K]", "[aka Other Name]", "[re-release]", "[Multiface copy]"});
        name += pick({".tzx", ".tap", ".z80", ".tzx.zip", ".tap.zip", ".z80.zip", ".sna", ".dsk"});
        return name;
    }

private:
    static constexpr std::string_view kWords[] = {
        "Manic", "Miner",    "Jet",    "Set",      "Willy",  "Knight", "Lore",    "Chase",
        "H.Q.",  "Saboteur", "Dizzy",  "Treasure", "Island", "Exolon", "Rambo",   "III",
        "Head",  "over",     "Heels",  "Match",    "Day",    "Elite",  "Hobbit",  "Lords",
        "of",    "Midnight", "R-Type", "Skool",    "Daze",   "Target", "Renegade"};
    static constexpr std::string_view kPublishers[] = {
        "Bug-Byte Software", "Software Projects", "Ocean Software",  "Ultimate Play The Game",
        "Codemasters",       "Firebird Software", "Hewson",          "Melbourne House",
        "Imagine",           "Beyond Software",   "Woodmass, Frank", "Smith, R."};
};

} // namespace

int main() {
    NameMaker maker;
    std::vector<std::string> names;
    names.reserve(kNames);
    for (int i = 0; i < kNames; ++i)
        names.push_back(maker.make());

    // The parts are summed so that no run can be optimised away.
    std::size_t accepted = 0;
    std::size_t nameBytes = 0;
    const double parse = medianMs(kRuns, [&] {
        accepted = 0;
        nameBytes = 0;
        for (const std::string& name : names) {
            if (const auto parsed = tolm::parseTosecName(name)) {
                ++accepted;
                nameBytes += parsed->name.size();
            }
        }
    });
    const double naming = medianMs(kRuns, [&] {
        nameBytes = 0;
        for (const std::string& name : names)
            nameBytes += tolm::gameNameFromFileName(name, tolm::NameRule::UpToFirstDot).size();
    });
    if (accepted != names.size()) {
        std::fprintf(stderr, "tosec_bench: only %zu of %zu names read as TOSEC\n", accepted,
                     names.size());
        return 1;
    }
    std::printf("game names from the same files: %.1f ms (%zu bytes)\n", naming, nameBytes);
    std::printf("parsing %d TOSEC names: %.1f ms (goal 50 ms)\n", kNames, parse);
    return 0;
}
