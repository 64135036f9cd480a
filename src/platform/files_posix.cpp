#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/regular_file.h"
#include "platform/temporary_names.h"
#include "platform/wildcard.h"

namespace fs = std::filesystem;

namespace tolm::platform {

namespace {

[[maybe_unused]] constexpr off_t kWritebackStep = 4 * 1024 * 1024;

bool isHiddenName(std::string_view name) {
    return !name.empty() && name.front() == '.';
}

bool isPlainFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(fs::status(path, ec)) && !ec;
}

} // namespace

bool fileExists(const std::string& path) {
    if (path.empty())
        return false;
    const std::size_t sep = path.find_last_of(kPathSeparator);
    std::string pattern = sep == std::string::npos ? path : path.substr(sep + 1);
    // push_back and resize rather than assigning "*": GCC 12 at -O3 reports a
    // bogus -Wrestrict on the assignment, which breaks optimised builds.
    if (pattern.empty())
        pattern.push_back('*'); // a trailing separator lists the directory's contents
    if (!hasWildcard(pattern))
        return !isHiddenName(pattern) && isPlainFile(nativePath(path));

    if (pattern == "*.*")
        pattern.resize(1); // "*": as on Windows, names without a dot match too
    const fs::path dir =
        sep == std::string::npos ? fs::path(".") : nativePath(path.substr(0, sep + 1));
    std::error_code ec;
    fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
    if (ec)
        return false;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            return false;
        const std::u8string raw = it->path().filename().u8string();
        const std::string name(raw.begin(), raw.end());
        if (isHiddenName(name) || !wildcardMatch(pattern, name))
            continue;
        std::error_code sec;
        if (it->is_regular_file(sec) && !sec)
            return true;
    }
    return false;
}

fs::path nativePath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string lastErrorText() {
    return std::strerror(errno);
}

std::string programDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = fs::current_path(ec) / "tolm";
    const std::u8string dir = exe.parent_path().u8string();
    return std::string(dir.begin(), dir.end());
}

IoResult readFile(const std::string& path, std::string& out) {
    RegularFileReader file;
    if (IoResult opened = file.open(path); !opened)
        return opened;
    out.clear();
    std::array<char, 65536> chunk;
    for (;;) {
        const std::ptrdiff_t n = file.read(chunk.data(), chunk.size());
        if (n < 0)
            return IoResult::failure("Unable to read " + path + ": read error");
        if (n == 0)
            return IoResult::success();
        out.append(chunk.data(), static_cast<std::size_t>(n));
    }
}

IoResult replaceFileStreamed(const std::string& path,
                             const std::function<bool(const ByteSink&)>& produce,
                             Durability durability) {
    auto fail = [&](const std::string& reason) {
        return IoResult::failure("Unable to write " + path + ": " + reason);
    };
    const std::size_t sep = path.find_last_of(kPathSeparator);
    const std::string dir = sep == std::string::npos ? std::string(".") : path.substr(0, sep + 1);

    struct stat old {};
    const bool hadOld = ::stat(path.c_str(), &old) == 0;
    if (hadOld && S_ISDIR(old.st_mode))
        return fail("it is a directory");
    // A pipe, socket or device of that name belongs to someone else: renaming
    // over it would take it away from them.
    if (hadOld && !S_ISREG(old.st_mode))
        return fail("it is not a regular file");

    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = temporaryNameFor(path);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return fail(lastErrorText());

    auto abandon = [&](const std::string& reason) {
        ::close(fd);
        ::unlink(temp.c_str());
        return fail(reason);
    };
    std::string writeError;
    off_t written = 0;
    off_t handedToDisk = 0;
    const ByteSink sink = [&](std::string_view bytes) {
        while (writeError.empty() && !bytes.empty()) {
            const ssize_t n = ::write(fd, bytes.data(), bytes.size());
            if (n < 0) {
                if (errno != EINTR)
                    writeError = lastErrorText();
                continue;
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
            written += n;
        }
#ifdef __linux__
        // A synced file's pages go to the disk while the rest is still being
        // made, so the sync at the end waits only for the last few.
        if (durability == Durability::Synced && written - handedToDisk >= kWritebackStep) {
            (void)::sync_file_range(fd, handedToDisk, written - handedToDisk,
                                    SYNC_FILE_RANGE_WRITE);
            handedToDisk = written;
        }
#endif
        return writeError.empty();
    };
    if (!produce(sink) || !writeError.empty())
        return abandon(writeError.empty() ? std::string("the data could not be prepared")
                                          : writeError);
    if (hadOld)
        (void)::fchmod(fd, old.st_mode & 07777); // keep the permissions the user gave it
    if (durability == Durability::Synced && ::fsync(fd) != 0)
        return abandon(lastErrorText());
    if (::close(fd) != 0) {
        ::unlink(temp.c_str());
        return fail(lastErrorText());
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string reason = lastErrorText();
        ::unlink(temp.c_str());
        return fail(reason);
    }
    if (durability == Durability::Synced) {
        const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            (void)::fsync(dfd);
            ::close(dfd);
        }
    }
    return IoResult::success();
}

} // namespace tolm::platform
