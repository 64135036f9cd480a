#pragma once

// Builds SGD data the way the import reads it: 252-byte records of
// fixed-width Windows-1252 fields padded with spaces.

#include <string>
#include <string_view>

#include "import/sgd_data.h"
#include "platform/codepage.h"

namespace tolm::test {

// One record's fields as UTF-8 texts; each is cut or padded to its width.
struct SgdGame {
    std::string name;
    std::string year;
    std::string publisher;
    std::string fileName;
    std::string genre;
    std::string directoryIndex;
    std::string authors;
};

// The fields the import ignores hold '#', so reading one by mistake shows.
inline std::string sgdRecordBytes(const SgdGame& game) {
    std::string bytes(kSgdRecordSize, '#');
    const auto put = [&bytes](SgdField field, std::string_view utf8) {
        std::string ansi = platform::utf8ToAnsi(utf8);
        ansi.resize(field.width, ' ');
        bytes.replace(field.offset, field.width, ansi);
    };
    put(sgd_field::kName, game.name);
    put(sgd_field::kYear, game.year);
    put(sgd_field::kPublisher, game.publisher);
    put(sgd_field::kFileName, game.fileName);
    put(sgd_field::kGenre, game.genre);
    put(sgd_field::kDirectoryIndex, game.directoryIndex);
    put(sgd_field::kAuthors, game.authors);
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
