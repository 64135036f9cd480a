#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Rules the game dialogs share: the name a file gives a game, and editing
// the comma-separated screenshot list.
namespace tolm {

// The batch wizard's name for a file: up to its first "."
// ("Jet.Set.Willy.tap" gives "Jet"); a name without "." is kept whole.
std::string batchGameName(std::string_view fileName);

// The name Add Game proposes for a file: up to its last "."
// ("Tau.Ceti.z80" gives "Tau.Ceti"); a name without "." is kept whole.
std::string proposedGameName(std::string_view fileName);

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
