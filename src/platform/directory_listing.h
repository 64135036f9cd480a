#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace tolm::platform {

// The names of every entry in `directory` (files, directories, hidden ones),
// in the order the system lists them; nullopt when it cannot be listed.
std::optional<std::vector<std::string>> directoryNames(const std::string& directory);

struct PlainFile {
    std::string name;
    std::uint64_t size = 0;
};

// The plain files a listing of `directory` shows (hidden dot files and
// directories left out), with their sizes, in the order the system lists them.
IoResult plainFilesIn(const std::string& directory, std::vector<PlainFile>& out);

// The size of the plain file `path`, nullopt when there is none.
std::optional<std::uint64_t> fileLength(const std::string& path);

} // namespace tolm::platform
