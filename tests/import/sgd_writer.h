#pragma once

// Builds SGD data the way the import reads it: 252-byte records of
// fixed-width Windows-1252 fields padded with spaces.

#include <array>
#include <string>

#include "import/sgd_data.h"
#include "platform/codepage.h"

namespace tolm::test {

// One record's fields as UTF-8 texts, in this order; each is cut or padded to its width.
using SgdGame = std::array<std::string, 7>;
inline constexpr SgdField kSgdGameFields[] = {
    sgd_field::kName,  sgd_field::kYear,           sgd_field::kPublisher, sgd_field::kFileName,
    sgd_field::kGenre, sgd_field::kDirectoryIndex, sgd_field::kAuthors};

// The fields the import ignores hold '#', so reading one by mistake shows.
inline std::string sgdRecordBytes(const SgdGame& game) {
    std::string bytes(kSgdRecordSize, '#');
    for (std::size_t i = 0; i < game.size(); ++i) {
        std::string ansi = platform::utf8ToAnsi(game[i]);
        ansi.resize(kSgdGameFields[i].width, ' ');
        bytes.replace(kSgdGameFields[i].offset, kSgdGameFields[i].width, ansi);
    }
    return bytes;
}

// A data file of `count` records named "Game <i>" with file "G<i>.TAP" in
// GameDir `directoryIndex`.
inline std::string sgdFileBytes(int count, const std::string& directoryIndex = "0") {
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += sgdRecordBytes({"Game " + std::to_string(i), "1984", "Soft",
                                 "G" + std::to_string(i) + ".TAP", "arc", directoryIndex, "Me"});
    return bytes;
}

} // namespace tolm::test
