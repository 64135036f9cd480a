#include "import/sgd_ini.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/mounts.h"

namespace tolm {
namespace {

constexpr std::string_view kGameDirKey = "GameDir=";

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

void removeAll(std::string& text, std::string_view what) {
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(what, from)) != std::string::npos; from = at + what.size())
        out.append(text, from, at - from);
    out.append(text, from, std::string::npos);
    text = std::move(out);
}

} // namespace

std::vector<std::string> sgdIniFields(std::string_view bytes) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        std::size_t start = i;
        while (start < n && bytes[start] == ' ')
            ++start;
        std::string field;
        std::size_t end;
        if (start < n && bytes[start] == '"') {
            const std::size_t close = bytes.find('"', start + 1);
            if (close == std::string_view::npos) {
                fields.emplace_back(bytes.substr(start + 1));
                break;
            }
            field.assign(bytes.substr(start + 1, close - start - 1));
            end = close + 1;
            while (end < n && bytes[end] != ',' && !isLineEnd(bytes[end]))
                ++end; // after the closing quote: dropped
        } else {
            end = start;
            while (end < n && bytes[end] != ',' && !isLineEnd(bytes[end]))
                ++end;
            field.assign(bytes.substr(start, end - start));
        }
        fields.push_back(std::move(field));
        // One delimiter ends the field; CR LF counts as one line end.
        if (end < n && bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n')
            end += 2;
        else if (end < n)
            ++end;
        i = end;
    }
    return fields;
}

std::vector<std::string> gameDirEntries(std::string_view bytes) {
    std::vector<std::string> dirs;
    for (std::string& field : sgdIniFields(bytes)) {
        removeAll(field, " ");
        if (field.find(kGameDirKey) == std::string::npos)
            continue;
        removeAll(field, kGameDirKey);
        dirs.push_back(platform::ansiToUtf8(field));
    }
    return dirs;
}

std::vector<std::string> gameDirsFromIni(std::string_view bytes,
                                         platform::LongPathResolver& longPaths) {
    std::vector<std::string> dirs = gameDirEntries(bytes);
    for (std::string& dir : dirs)
        dir = longPaths.longPathOf(dir);
    return dirs;
}

std::vector<std::string> readGameDirs(const std::string& directory,
                                      platform::LongPathResolver& longPaths) {
    const std::string path = longPaths.longPathOf(platform::joinPath(directory, "sgd.ini"));
    std::string bytes;
    if (!platform::readFile(path, bytes))
        return {};
    return gameDirsFromIni(bytes, longPaths);
}

} // namespace tolm
