#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "platform/files.h"

namespace tolm::platform {

// A buffer an encoder fills with the next piece of a file.
class WriteChunk {
public:
    static constexpr std::size_t kBytes = 256 * 1024;

    char* begin() { return bytes_.get(); }
    char* end() { return bytes_.get() + capacity_; }
    std::size_t capacity() const { return capacity_; }
    // Only for a single item larger than a chunk: what the chunk held is lost.
    void grow(std::size_t size);

    // The encoder filled the chunk from begin() up to `filledTo`.
    void setEnd(const char* filledTo) { used_ = static_cast<std::size_t>(filledTo - bytes_.get()); }
    std::size_t used() const { return used_; }
    const char* data() const { return bytes_.get(); }

private:
    std::unique_ptr<char[]> bytes_ = std::make_unique_for_overwrite<char[]>(kBytes);
    std::size_t capacity_ = kBytes;
    std::size_t used_ = 0;
};

enum class Encoded { More, Done };

// Replaces `path` (as replaceFileStreamed) with the bytes `encode` makes a
// chunk at a time. The encoding runs on a second thread while this one
// writes the chunk before, so a save costs little more than the write; a few
// small chunks that stay in the cache take turns, so the file is never held
// whole. `encode` fills the chunk it is given (up to setEnd) and says
// whether more is to come; it is not called again once writing failed.
IoResult writeEncodedInChunks(const std::string& path,
                              const std::function<Encoded(WriteChunk&)>& encode,
                              Durability durability = Durability::Synced);

} // namespace tolm::platform
