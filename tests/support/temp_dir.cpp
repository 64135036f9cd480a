#include "support/temp_dir.h"

#include <fstream>
#include <iterator>
#include <random>

#include "platform/files.h"

namespace tolm::test {

TempDir::TempDir() {
    std::random_device random;
    do
        path_ = std::filesystem::temp_directory_path() / ("tolm-test-" + std::to_string(random()));
    while (!std::filesystem::create_directory(path_));
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::sub(std::string_view relative) const {
    std::string joined = path_.string() + platform::kPathSeparator;
    for (char c : relative)
        joined += c == '/' ? platform::kPathSeparator : c;
    return joined;
}

void TempDir::write(std::string_view relative, std::string_view bytes) const {
    const std::filesystem::path file = sub(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

std::ptrdiff_t TempDir::countEntries() const {
    return std::distance(std::filesystem::directory_iterator(path_), {});
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace tolm::test
