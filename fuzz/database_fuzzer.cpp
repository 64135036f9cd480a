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

GameCatalogue Sentinel() {
    GameRecord r;
    r.Name = "sentinel";
    r.Genre = 7;
    return {r};
}

SettingsState SentinelSettings() {
    SettingsState s;
    s.RomPaths = {"/roms/"};
    return s;
}

[[noreturn]] void Fail() {
    __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    GameCatalogue catalogue = Sentinel();
    SettingsState settings = SentinelSettings();
    const DatabaseLoadResult result = LoadDatabaseBytes(catalogue, settings, bytes);

    using Status = DatabaseLoadResult::Status;
    if (result.status == Status::Invalid || result.status == Status::Unsupported) {
        if (!result.message || catalogue != Sentinel() || settings != SentinelSettings())
            Fail();
        return 0;
    }
    if (catalogue.empty())
        Fail(); // a loaded catalogue is never unsized
    if ((result.status == Status::Upgraded) != result.message.has_value())
        Fail();

    const std::string saved = DatabaseBytes(catalogue);
    // A current-version file comes back byte for byte (anything after the last
    // record is not part of it).
    if (result.status == Status::Loaded && bytes.substr(0, saved.size()) != saved)
        Fail();

    GameCatalogue again;
    SettingsState settingsAgain = settings;
    const DatabaseLoadResult second = LoadDatabaseBytes(again, settingsAgain, saved);
    if (second.status != Status::Loaded || again != catalogue || settingsAgain != settings)
        Fail();
    return 0;
}
