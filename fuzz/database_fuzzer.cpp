// Arbitrary bytes as a database file. Whatever loads must save and load
// again to the same catalogue; whatever is refused must leave the catalogue
// and the settings as they were.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/database.h"

using namespace tolm;

namespace {

GameCatalogue sentinel() {
    GameRecord r;
    r.name = "sentinel";
    r.genre = 7;
    return {r};
}

[[noreturn]] void fail() {
    __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    GameCatalogue catalogue = sentinel();
    const DatabaseLoadResult result = loadDatabaseBytes(catalogue, bytes);

    using Status = DatabaseLoadResult::Status;
    if (result.status == Status::Invalid || result.status == Status::Unsupported) {
        if (!result.message || catalogue != sentinel())
            fail();
        return 0;
    }
    if (catalogue.empty())
        fail(); // a loaded catalogue is never unsized
    if ((result.status == Status::Upgraded) != result.message.has_value())
        fail();

    const std::string saved = databaseBytes(catalogue);
    // A current-version file comes back byte for byte (anything after the last
    // record is not part of it).
    if (result.status == Status::Loaded && bytes.substr(0, saved.size()) != saved)
        fail();

    GameCatalogue again;
    const DatabaseLoadResult second = loadDatabaseBytes(again, saved);
    if (second.status != Status::Loaded || again != catalogue)
        fail();
    return 0;
}
