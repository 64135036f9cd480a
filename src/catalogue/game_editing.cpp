#include "catalogue/game_editing.h"

#include "core/text.h"

namespace tolm {

GameFromFile gameFromFileName(std::string_view fileName, NameRule rule) {
    if (std::optional<TosecName> tosec = parseTosecName(fileName))
        return {std::move(tosec->name), tosec->year, std::move(tosec->publisher)};
    return {gameNameFromFileName(fileName, rule), 0, {}};
}

std::vector<std::string_view> screenshotParts(std::string_view list) {
    return splitList(list);
}

std::string appendScreenshot(std::string_view list, std::string_view name) {
    std::string out(list);
    if (!out.empty())
        out += ',';
    out += name;
    return out;
}

std::string removeScreenshot(std::string_view list, std::size_t index) {
    const std::vector<std::string_view> parts = screenshotParts(list);
    if (index >= parts.size())
        return std::string(list);
    std::string out;
    bool first = true;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i == index)
            continue;
        if (!first)
            out += ',';
        out += parts[i];
        first = false;
    }
    return out;
}

} // namespace tolm
