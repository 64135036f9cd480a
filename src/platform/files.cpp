#include "platform/files.h"

#include <random>

#include "platform/temporary_names.h"

namespace tolm::platform {

std::string temporaryNameFor(const std::string& path) {
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string name = path;
    name += kTemporaryInfix;
    for (std::size_t i = 0; i < kTemporarySuffixLength; ++i)
        name.push_back(kDigits[engine() % 36]);
    return name;
}

IoResult replaceFile(const std::string& path, std::string_view bytes, Durability durability) {
    return replaceFileStreamed(
        path, [bytes](const ByteSink& sink) { return sink(bytes); }, durability);
}

} // namespace tolm::platform
