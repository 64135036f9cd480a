#include "platform/chunked_read.h"

#include <cstdio>
#include <memory>

namespace tolm::platform {

IoResult readFileInChunks(const std::string& path,
                          const std::function<bool(std::string_view)>& take) {
    std::FILE* f = _wfopen(nativePath(path).c_str(), L"rb");
    if (!f)
        return IoResult::failure("Unable to read " + path + ": " + lastErrorText());
    const std::unique_ptr<char[]> buffer(new char[kReadChunkSize]);
    std::size_t n;
    while ((n = std::fread(buffer.get(), 1, kReadChunkSize, f)) > 0)
        if (!take(std::string_view(buffer.get(), n)))
            break;
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        return IoResult::failure("Unable to read " + path + ": read error");
    return IoResult::success();
}

} // namespace tolm::platform
