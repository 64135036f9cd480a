// Arbitrary bytes as the play history file, read for a small catalogue with
// identical records. A file that reads is never given to more games than it
// has lines; what is written back reads back to the same history, and
// writing that again gives the same bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_tree.h"
#include "state/play_history.h"

using namespace tolm;
using tolm::fuzz::fail;

namespace {

GameCatalogue makeCatalogue() {
    GameCatalogue catalogue(5);
    const char* names[] = {"A", "A", "Mot\xC3\xA9ur", "B\tC", ""};
    const char* roms[] = {"a.tap", "a.tap", "m.tzx", "b\\c.z80", ""};
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        catalogue[i].name = names[i];
        catalogue[i].romFile = roms[i];
    }
    return catalogue;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const GameCatalogue catalogue = makeCatalogue();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PlayHistory history;
    std::string error;
    if (!readPlayHistory(bytes, catalogue, history, error)) {
        if (error.empty() || !history.entries().empty())
            fail();
        return 0;
    }
    std::size_t given = 0;
    for (const GamePlay& play : history.entries())
        given += play.empty() ? 0 : 1;
    std::size_t lines = 0;
    for (char c : bytes)
        lines += c == '\n' ? 1 : 0;
    if (history.entries().size() > catalogue.size() || given > lines)
        fail();

    const std::string written = playHistoryBytes(history, catalogue);
    PlayHistory again;
    if (!readPlayHistory(written, catalogue, again, error))
        fail();
    for (std::size_t i = 0; i + 1 < catalogue.size(); ++i)
        if (!(again.of(static_cast<std::int32_t>(i)) == history.of(static_cast<std::int32_t>(i))))
            fail();
    if (playHistoryBytes(again, catalogue) != written)
        fail();
    return 0;
}
