#pragma once

#include <string_view>

namespace tolm::platform {

// Directory-listing match: '*' any run, '?' any one character.
bool wildcardMatch(std::string_view pattern, std::string_view name);

bool hasWildcard(std::string_view text);

} // namespace tolm::platform
