#include "platform/mounts.h"

#include <algorithm>

#include "platform/files.h"

namespace tolm::platform {
namespace {

// Mount tables write blanks, tabs, line feeds and backslashes in names as
// three octal digits after a backslash.
std::string decodeMountField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto octal = [](char c) { return c >= '0' && c <= '7'; };
        if (field[i] == '\\' && i + 3 < field.size() && octal(field[i + 1]) &&
            octal(field[i + 2]) && octal(field[i + 3])) {
            out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                            (field[i + 3] - '0')));
            i += 3;
            continue;
        }
        out.push_back(field[i]);
    }
    return out;
}

bool under(std::string_view path, std::string_view root) {
    return path.size() > root.size() && path.substr(0, root.size()) == root &&
           path[root.size()] == '/';
}

// The second blank-separated field of a mount table line.
std::string_view mountPointField(std::string_view line) {
    const auto skipBlanks = [&](std::size_t at) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        return at;
    };
    std::size_t start = skipBlanks(0);
    std::size_t end = line.find_first_of(" \t", start);
    if (end == std::string_view::npos)
        return {};
    start = skipBlanks(end);
    end = line.find_first_of(" \t", start);
    return line.substr(start, end == std::string_view::npos ? line.size() - start : end - start);
}

} // namespace

std::vector<std::string> pickableMounts(std::string_view mountTable, const std::string& home) {
    std::vector<std::string> out{"/"};
    const auto add = [&](const std::string& path) {
        if (!path.empty() && std::find(out.begin(), out.end(), path) == out.end())
            out.push_back(path);
    };
    add(home);
    while (!mountTable.empty()) {
        const std::size_t newline = mountTable.find('\n');
        const std::string_view line = mountTable.substr(0, newline);
        mountTable.remove_prefix(newline == std::string_view::npos ? mountTable.size()
                                                                   : newline + 1);
        const std::string point = decodeMountField(mountPointField(line));
        if (point == "/mnt" || under(point, "/mnt") || under(point, "/media") ||
            under(point, "/run/media"))
            add(point);
    }
    return out;
}

std::string joinPath(const std::string& directory, const std::string& name) {
    if (directory.empty())
        return name;
    if (directory.back() == kPathSeparator)
        return directory + name;
    return directory + kPathSeparator + name;
}

} // namespace tolm::platform
