#pragma once

// A scratch directory for one test, removed with everything in it afterwards.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace tolm::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(TempDir&&) = delete; // owns the directory: neither copied nor moved

    std::string path() const { return path_.string(); }
    // `relative` (written with '/') joined under the directory.
    std::string sub(std::string_view relative) const;
    // A name ending in '/' makes just the directory.
    void write(std::string_view relative, std::string_view bytes = "x") const;
    // Entries directly inside the directory, to catch temporary files left behind.
    std::ptrdiff_t countEntries() const;

private:
    std::filesystem::path path_;
};

std::string readAll(const std::string& path);

} // namespace tolm::test
