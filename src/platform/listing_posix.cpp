#include "platform/listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <string_view>

namespace tolm::platform {

IoResult listDirectory(const std::string& directory, std::vector<DirectoryEntry>& out,
                       EntrySizes sizes) {
    out.clear();
    const auto failure = [&] {
        const std::string reason = lastErrorText(); // before anything can change errno
        return IoResult::failure("Unable to list " + directory + ": " + reason);
    };
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.c_str()), ::closedir);
    if (!dir)
        return failure();
    const int dirFd = ::dirfd(dir.get());
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (entry == nullptr)
            return errno == 0 ? IoResult::success() : failure();
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        DirectoryEntry& listed = out.emplace_back();
        listed.name = name;
        listed.hidden = name.front() == '.';
        listed.plainFile = entry->d_type == DT_REG;
        // The entry's own type answers for most files; links (followed) and
        // file systems that leave the type unknown need a look at the file.
        const bool typeKnown = entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN;
        if (!typeKnown || (listed.plainFile && sizes == EntrySizes::Read)) {
            struct stat info {};
            // A file gone since the listing was read is no plain file.
            listed.plainFile =
                ::fstatat(dirFd, entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
            if (listed.plainFile)
                listed.size = static_cast<std::uint64_t>(info.st_size);
        }
    }
}

} // namespace tolm::platform
