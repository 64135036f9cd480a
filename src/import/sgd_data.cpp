#include "import/sgd_data.h"

#include <algorithm>
#include <cstring>

#include "platform/chunked_read.h"
#include "platform/files.h"

namespace tolm {

std::uint64_t sgdRecordCount(std::uint64_t fileLength) {
    const std::uint64_t whole = fileLength / kSgdRecordSize;
    const std::uint64_t rest = fileLength % kSgdRecordSize;
    constexpr std::uint64_t kHalf = kSgdRecordSize / 2;
    if (rest > kHalf || (rest == kHalf && whole % 2 == 1))
        return whole + 1;
    return whole;
}

void SgdRecordReader::expect(std::uint64_t fileLength) {
    const std::uint64_t count = sgdRecordCount(fileLength);
    if (count <= records_.max_size())
        records_.reserve(records_.size() + static_cast<std::size_t>(count));
}

void SgdRecordReader::take(std::string_view piece) {
    taken_ += piece.size();
    if (partialLength_ > 0) {
        const std::size_t n = std::min(piece.size(), kSgdRecordSize - partialLength_);
        std::memcpy(partial_.bytes.data() + partialLength_, piece.data(), n);
        partialLength_ += n;
        piece.remove_prefix(n);
        if (partialLength_ < kSgdRecordSize)
            return;
        records_.push_back(partial_);
        partialLength_ = 0;
    }
    while (piece.size() >= kSgdRecordSize) {
        SgdRecord& record = records_.emplace_back();
        std::memcpy(record.bytes.data(), piece.data(), kSgdRecordSize);
        piece.remove_prefix(kSgdRecordSize);
    }
    std::memcpy(partial_.bytes.data(), piece.data(), piece.size());
    partialLength_ = piece.size();
}

SgdRecords SgdRecordReader::finish() {
    if (partialLength_ > 0 && sgdRecordCount(taken_) > records_.size()) {
        std::fill(partial_.bytes.begin() + static_cast<std::ptrdiff_t>(partialLength_),
                  partial_.bytes.end(), ' ');
        records_.push_back(partial_);
    }
    partialLength_ = 0;
    taken_ = 0;
    return std::move(records_);
}

SgdRecords loadSgdBytes(std::string_view bytes) {
    SgdRecordReader reader;
    reader.expect(bytes.size());
    reader.take(bytes);
    return reader.finish();
}

platform::IoResult loadSgdFile(const std::string& path, SgdRecords& records,
                               const std::function<void(std::uint64_t)>& progress) {
    records.clear();
    SgdRecordReader reader;
    if (const auto length = platform::fileLength(path))
        reader.expect(*length);
    platform::IoResult result = platform::readFileInChunks(path, [&](std::string_view piece) {
        reader.take(piece);
        if (progress)
            progress(reader.bytesTaken());
        return true;
    });
    if (!result)
        return result;
    records = reader.finish();
    return result;
}

std::string cleanSgdField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            continue;
        }
        out.push_back(text[i]);
    }
    const std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const std::size_t last = out.find_last_not_of(' ');
    return out.substr(first, last - first + 1);
}

} // namespace tolm
