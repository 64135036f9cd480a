#include "settings/extra_settings.h"

#include <string_view>

#include "core/text.h"
#include "platform/profile.h"

namespace tolm {
namespace {

constexpr const char* kFirstStart = "FirstStart";
constexpr const char* kGameList = "GameList";
// Widths beyond any screen come from a damaged file.
constexpr std::int32_t kMaxColumnWidth = 20000;
constexpr std::size_t kColumns = 3;

std::int32_t number(const platform::ProfileFile& file, const char* section, std::string_view key,
                    std::int32_t fallback) {
    const auto text = file.find(section, key);
    return text ? leadingNumber(*text) : fallback;
}

} // namespace

ExtraSettings loadExtraSettings(const std::string& path) {
    platform::ProfileFile file;
    ExtraSettings settings;
    if (!platform::readProfileFile(path, file))
        return settings;
    settings.emulatorOffered = number(file, kFirstStart, "EmulatorOffered", 0) != 0;
    settings.musicPlayerOffered = number(file, kFirstStart, "MusicPlayerOffered", 0) != 0;
    for (std::size_t i = 0; i < kColumns; ++i) {
        const std::int32_t width = number(file, kGameList, "ColumnWidth" + std::to_string(i), 0);
        if (width <= 0 || width > kMaxColumnWidth) {
            settings.columnWidths.clear(); // all or none: a partial set would look odd
            break;
        }
        settings.columnWidths.push_back(width);
    }
    const std::int32_t column = number(file, kGameList, "SortColumn", -1);
    settings.sortColumn = column >= 0 && column < static_cast<std::int32_t>(kColumns) ? column : -1;
    settings.sortDescending = number(file, kGameList, "SortDescending", 0) != 0;
    return settings;
}

namespace {

std::string extraSettingsFileBytes(const ExtraSettings& settings) {
    platform::ProfileFile file;
    file.set(kFirstStart, "EmulatorOffered", settings.emulatorOffered ? "1" : "0");
    file.set(kFirstStart, "MusicPlayerOffered", settings.musicPlayerOffered ? "1" : "0");
    for (std::size_t i = 0; i < settings.columnWidths.size() && i < kColumns; ++i)
        file.set(kGameList, "ColumnWidth" + std::to_string(i),
                 std::to_string(settings.columnWidths[i]));
    file.set(kGameList, "SortColumn", std::to_string(settings.sortColumn));
    file.set(kGameList, "SortDescending", settings.sortDescending ? "1" : "0");
    return file.serialize();
}

} // namespace

platform::IoResult saveExtraSettings(const ExtraSettings& settings, const std::string& path) {
    return platform::replaceFile(path, extraSettingsFileBytes(settings));
}

} // namespace tolm
