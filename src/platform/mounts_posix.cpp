#include "platform/mounts.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/files.h"
#include "platform/listing.h"

namespace tolm::platform {
namespace {

std::string homeDirectory() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && *found->pw_dir)
        return found->pw_dir;
    return {};
}

} // namespace

std::vector<std::string> mountPoints() {
    std::string table;
    if (!readFile("/proc/self/mounts", table))
        (void)readFile("/etc/mtab", table);
    std::string home = homeDirectory();
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    return pickableMounts(table, home);
}

std::string currentDirectory() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20))
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

std::optional<std::string> directoryReadError(const std::string& directory) {
    DIR* dir = ::opendir(directory.c_str());
    if (dir == nullptr)
        return lastErrorText();
    ::closedir(dir);
    return std::nullopt;
}

std::vector<std::string> visibleSubdirectories(const std::string& directory) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.c_str()), ::closedir);
    if (!dir)
        return names;
    const int dirFd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and the "." and ".." entries
        bool isDirectory = false;
        if (entry->d_type == DT_DIR) {
            isDirectory = true;
        } else if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            isDirectory = ::fstatat(dirFd, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        if (isDirectory)
            names.emplace_back(entry->d_name);
    }
    std::sort(names.begin(), names.end(), lessIgnoringAsciiCase);
    return names;
}

std::string parentDirectory(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    const std::size_t sep = trimmed.find_last_of('/');
    if (sep == std::string::npos)
        return trimmed;
    return sep == 0 ? std::string("/") : trimmed.substr(0, sep);
}

std::vector<std::string> directoryChain(const std::string& path) {
    std::vector<std::string> chain;
    if (path.empty() || path.front() != '/')
        return chain;
    chain.emplace_back("/");
    std::string current;
    std::size_t at = 1;
    while (at < path.size()) {
        std::size_t next = path.find('/', at);
        if (next == std::string::npos)
            next = path.size();
        if (next > at) {
            current += '/';
            current.append(path, at, next - at);
            chain.push_back(current);
        }
        at = next + 1;
    }
    return chain;
}

} // namespace tolm::platform
