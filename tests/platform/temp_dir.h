#pragma once

// A scratch directory for one test, removed with everything in it afterwards.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace tolm::test {

class TempDir {
public:
    TempDir() {
        std::random_device random;
        do
            path_ =
                std::filesystem::temp_directory_path() / ("tolm-test-" + std::to_string(random()));
        while (!std::filesystem::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(TempDir&&) = delete; // owns the directory: neither copied nor moved

    std::string path() const { return path_.string(); }
    // `relative` (written with '/') joined under the directory.
    std::string sub(std::string_view relative) const {
        std::string joined = path_.string() + platform::kPathSeparator;
        for (char c : relative)
            joined += c == '/' ? platform::kPathSeparator : c;
        return joined;
    }
    // A name ending in '/' makes just the directory.
    void write(std::string_view relative, std::string_view bytes = "x") const {
        const std::filesystem::path file = sub(relative);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    // Entries directly inside the directory, to catch temporary files left behind.
    std::ptrdiff_t countEntries() const {
        return std::distance(std::filesystem::directory_iterator(path_), {});
    }

private:
    std::filesystem::path path_;
};

inline std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace tolm::test
