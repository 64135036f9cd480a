#pragma once

#include <optional>
#include <string>

namespace tolm {

// Where tolm.dat and tolm.ini live, and why.
struct DataDirectory {
    enum class Reason {
        CommandLine,   // --data-dir
        BesideProgram, // the program's directory is writable or already holds the files
        PerUser,       // the per-user data directory
    };
    std::string path;
    Reason reason = Reason::BesideProgram;

    bool operator==(const DataDirectory&) const = default;
};

// A portable install keeps its files beside the program; an installed one,
// whose directory the user cannot write, keeps them per user.
DataDirectory chooseDataDirectory(const std::string& programDirectory,
                                  const std::string& perUserDirectory,
                                  const std::optional<std::string>& requested);

// Says where the files are for --help and the README's reader.
std::string describeDataDirectory(const DataDirectory& directory);

} // namespace tolm
