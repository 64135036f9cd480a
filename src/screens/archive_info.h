#pragma once

#include <cstdint>
#include <string>

namespace tolm::screens {

// What a tape says about itself in its archive-info block: the words of the
// people who made the file, so they beat anything guessed from its name.
// Texts are UTF-8; an absent text is empty.
struct ArchiveInfo {
    std::string title;
    std::string publisher;
    std::string authors;
    std::int32_t year = 0; // the four-digit year the tape states, else 0

    bool empty() const {
        return title.empty() && publisher.empty() && authors.empty() && year == 0;
    }
};

} // namespace tolm::screens
