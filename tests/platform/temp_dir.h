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
        const auto base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (;;) {
            path_ = base / ("tolm-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(path_))
                break;
        }
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory itself, without a trailing separator.
    std::string Str() const { return path_.string(); }

    // `relative` (written with '/') joined under the directory.
    std::string Sub(std::string_view relative) const {
        std::string joined = Str();
        joined += platform::kPathSeparator;
        for (char c : relative)
            joined += c == '/' ? platform::kPathSeparator : c;
        return joined;
    }

    void MakeDir(std::string_view relative) const {
        std::filesystem::create_directories(Sub(relative));
    }

    void Write(std::string_view relative, std::string_view bytes = "x") const {
        const std::filesystem::path file = Sub(relative);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    // How many entries lie directly inside `relative` ("" for the directory itself).
    std::size_t CountEntries(std::string_view relative = "") const {
        const std::filesystem::path dir =
            relative.empty() ? path_ : std::filesystem::path(Sub(relative));
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir),
                                                      std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path path_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace tolm::test
