// Arbitrary bytes as a game file of every kind the screen reader is asked
// about: the first byte picks the file name's extension, the rest is the
// file. Damaged files must give no screen or a whole one, and no archive info
// or a well-formed one; never a crash, leak or hang of this process. The
// library's own crashes happen inside the reader's child, which cannot write
// files once confined: they cost a new child and are not findings.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "screens/game_file_screen.h"

using namespace tolm::screens;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr std::array<const char*, 16> kNames = {
        "game.z80", "game.sna", "game.szx", "game.sp",  "game.snp", "game.zxs",
        "game.tap", "game.tzx", "game.pzx", "game.csw", "game.gz",  "game.bz2",
        "game.zip", "game.slt", "game.scr", "game",
    };
    if (size == 0)
        return 0;
    // One reader for the whole run, as the program keeps one: its child
    // serves input after input and is replaced when one kills it.
    static GameFileScreenReader reader;
    const std::string name = kNames[data[0] % kNames.size()];
    const auto screen = reader.screenOf(std::span(data + 1, size - 1), name);
    if (screen && screen->size() != kScreenBytes)
        __builtin_trap();
    // Archive info, when any, is one-line UTF-8 text and a plausible year.
    if (const auto info = reader.archiveInfoOf(std::span(data + 1, size - 1), name)) {
        if (info->empty() || (info->year != 0 && (info->year < 1970 || info->year > 2099)))
            __builtin_trap();
        for (const std::string* text : {&info->title, &info->publisher, &info->authors})
            for (const char c : *text)
                if (static_cast<unsigned char>(c) < 0x20)
                    __builtin_trap();
    }
    return 0;
}
