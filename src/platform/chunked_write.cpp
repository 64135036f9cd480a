#include "platform/chunked_write.h"

#include <array>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string_view>
#include <system_error>
#include <thread>

namespace tolm::platform {

void WriteChunk::grow(std::size_t size) {
    bytes_ = std::make_unique_for_overwrite<char[]>(size);
    capacity_ = size;
}

namespace {

// Chunks passed from the encoding thread to the writing one and back. Each
// side blocks until the other has a chunk for it.
class ChunkPipeline {
public:
    ChunkPipeline() {
        for (WriteChunk& c : chunks_)
            empty_.push_back(&c);
    }

    // An empty chunk to fill, or null once either side is done.
    WriteChunk* takeEmpty() { return take(empty_); }
    // A filled chunk to write, or null after the last one.
    WriteChunk* takeFull() { return take(full_); }

    void putFull(WriteChunk* chunk, bool last) { put(full_, chunk, last); }
    // `stop`: the writer gives up, so the encoder is handed nothing more.
    void putEmpty(WriteChunk* chunk, bool stop) { put(empty_, chunk, stop); }

private:
    WriteChunk* take(std::deque<WriteChunk*>& from) {
        std::unique_lock hold(lock_);
        changed_.wait(hold, [&] { return !from.empty() || finished_; });
        // Full chunks are still written after the last one was made; no empty
        // one is handed out once either side is done.
        if (from.empty() || (&from == &empty_ && finished_))
            return nullptr;
        WriteChunk* chunk = from.front();
        from.pop_front();
        return chunk;
    }

    void put(std::deque<WriteChunk*>& to, WriteChunk* chunk, bool finish) {
        const std::lock_guard hold(lock_);
        to.push_back(chunk);
        if (finish)
            finished_ = true;
        changed_.notify_all();
    }

    std::array<WriteChunk, 3> chunks_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<WriteChunk*> empty_;
    std::deque<WriteChunk*> full_;
    bool finished_ = false;
};

} // namespace

IoResult writeEncodedInChunks(const std::string& path,
                              const std::function<Encoded(WriteChunk&)>& encode,
                              Durability durability) {
    return replaceFileStreamed(
        path,
        [&](const ByteSink& sink) {
            ChunkPipeline chunks;
            const auto encodeAll = [&] {
                while (WriteChunk* chunk = chunks.takeEmpty()) {
                    chunk->setEnd(chunk->begin());
                    const bool last = encode(*chunk) == Encoded::Done;
                    chunks.putFull(chunk, last);
                    if (last)
                        break;
                }
            };
            std::thread encoder;
            try {
                encoder = std::thread(encodeAll);
            } catch (const std::system_error&) {
                return false; // no thread to be had: the old file stays
            }
            bool written = true;
            while (WriteChunk* chunk = chunks.takeFull()) {
                written = sink(std::string_view(chunk->data(), chunk->used()));
                chunks.putEmpty(chunk, !written);
                if (!written)
                    break;
            }
            encoder.join();
            return written;
        },
        durability);
}

} // namespace tolm::platform
