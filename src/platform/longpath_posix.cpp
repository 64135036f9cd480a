#include "platform/longpath.h"

#include "platform/listing.h"

namespace tolm::platform {

struct FileSystemLongPaths::State {
    ListingLongPaths listings{directoryNames};
};

FileSystemLongPaths::FileSystemLongPaths() : state_(std::make_unique<State>()) {}
FileSystemLongPaths::~FileSystemLongPaths() = default;

std::string FileSystemLongPaths::longPathOf(const std::string& path) {
    return state_->listings.longPathOf(path);
}

std::string longPathOf(const std::string& path) {
    FileSystemLongPaths once;
    return once.longPathOf(path);
}

} // namespace tolm::platform
