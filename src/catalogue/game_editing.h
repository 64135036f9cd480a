#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/tosec_name.h"

// Rules the game dialogs share: the name a file gives a game, and editing
// the comma-separated screenshot list.
namespace tolm {

// What a file's name gives a new game.
struct GameFromFile {
    std::string name;
    std::int32_t year = 0; // 0: none known
    std::string publisher;

    bool operator==(const GameFromFile&) const = default;
};

// A TOSEC-named file ("Manic Miner (1983)(Bug-Byte Software)[a].tzx.zip")
// gives its tidy name, its year when fully known and its publisher; any other
// name is cut by `rule` once its compression extensions are off (by the
// first dot "Jet.Set.Willy.tap" gives "Jet", by the last "Jet.Set.Willy"),
// with no year or publisher.
GameFromFile gameFromFileName(std::string_view fileName, NameRule rule);

// The parts of a screenshot list: split at every ",", empty parts kept; the
// empty list has none.
std::vector<std::string_view> screenshotParts(std::string_view list);

// `list` with `name` added as its last part: joined with "," whenever the
// list is not empty.
std::string appendScreenshot(std::string_view list, std::string_view name);

// `list` without its part at `index`; every other part, empty ones included,
// is kept as it was. An index past the end changes nothing.
std::string removeScreenshot(std::string_view list, std::size_t index);

} // namespace tolm
