// Arbitrary bytes as an SGD settings file and data file, imported into each
// kind of catalogue. The data file is read whole and in pieces, which must
// agree; the catalogue must grow by exactly one game per record; every game
// must carry a known genre and the file its record names.
//
// Input: flags (bit 0 overwrite, bits 1-2 the catalogue before), the piece
// size for the chunked read, two bytes of settings-file length, the settings
// file, then the data file.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "catalogue/genres.h"
#include "core/text.h"
#include "fuzz_tree.h"
#include "import/sgd_data.h"
#include "import/sgd_import.h"
#include "import/sgd_ini.h"
#include "platform/codepage.h"
#include "platform/mounts.h"

using namespace tolm;
using tolm::fuzz::fail;

namespace {

GameCatalogue catalogueBefore(unsigned kind) {
    switch (kind % 3) {
    case 0:
        return {}; // unsized
    case 1:
        return GameCatalogue(1); // emptied: one blank record
    default: {
        GameCatalogue games(2);
        games[0].name = "By hand";
        games[1].name = "Also by hand";
        return games;
    }
    }
}

// The file the record names before its spelling is looked up.
std::string storedFile(const SgdRecord& record, const std::vector<std::string>& dirs) {
    std::string name = cleanSgdField(record.field(sgd_field::kFileName));
    name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
    name = platform::ansiToUtf8(name);
    if (name.empty())
        return {};
    const std::int32_t index = leadingNumber(record.field(sgd_field::kDirectoryIndex));
    if (index < 0 || static_cast<std::size_t>(index) >= dirs.size())
        return name;
    return platform::joinPath(dirs[static_cast<std::size_t>(index)], name);
}

bool knownGenre(std::int32_t genre) {
    return genre == 0 || std::any_of(CoarseGenreMap.begin(), CoarseGenreMap.end(),
                                     [&](const CoarseGenre& g) { return g.genreIndex == genre; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const unsigned flags = data[0];
    const std::size_t piece = data[1] == 0 ? size : data[1];
    const std::size_t iniLength = std::min<std::size_t>(data[2] | (data[3] << 8), size - 4);
    const std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);
    const std::string_view ini = rest.substr(0, iniLength);
    const std::string_view dataFile = rest.substr(iniLength);

    const SgdRecords records = loadSgdBytes(dataFile);
    if (records.size() != sgdRecordCount(dataFile.size()))
        fail();
    SgdRecordReader reader;
    for (std::size_t at = 0; at < dataFile.size(); at += piece)
        reader.take(dataFile.substr(at, piece));
    const SgdRecords pieced = reader.finish();
    if (pieced.size() != records.size() ||
        !std::equal(records.begin(), records.end(), pieced.begin(),
                    [](const SgdRecord& a, const SgdRecord& b) { return a.bytes == b.bytes; }))
        fail();

    std::set<std::string> asked;
    platform::ListingLongPaths longPaths(fuzz::fuzzTreeLister(asked));
    const std::vector<std::string> stored = gameDirEntries(ini);
    const std::vector<std::string> dirs = gameDirsFromIni(ini, longPaths);
    if (dirs.size() != stored.size())
        fail();

    const bool overwrite = (flags & 1) != 0;
    const GameCatalogue before = catalogueBefore(flags >> 1);
    GameCatalogue catalogue = before;
    std::size_t heard = 0;
    const std::size_t added =
        importSgdRecords(catalogue, records, dirs, overwrite, longPaths, [&](std::size_t done) {
            if (done != heard + 1)
                fail();
            heard = done;
        });
    if (added != records.size() || heard != records.size())
        fail();
    if (records.empty()) {
        if (catalogue != before)
            fail();
        return 0;
    }
    const std::size_t kept = overwrite ? 0 : before.size();
    if (catalogue.size() != kept + records.size())
        fail();
    if (!std::equal(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(kept),
                    catalogue.begin()))
        fail();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const GameRecord& game = catalogue[kept + i];
        if (!knownGenre(game.genre) || !game.screenshots.empty() || !game.notes.empty() ||
            !game.musicFile.empty())
            fail();
        // Resolving changes letter case only.
        if (!equalsIgnoringCase(game.romFile, storedFile(records[i], stored)))
            fail();
    }
    return 0;
}
