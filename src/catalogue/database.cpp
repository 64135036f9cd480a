#include "catalogue/database.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "catalogue/genres.h"
#include "core/text.h"
#include "platform/chunked_write.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/regular_file.h"

namespace tolm {
namespace {

constexpr char kMagic[4] = {'T', 'O', 'L', 'M'};
constexpr std::size_t kHeaderBytes = 12;
// A record written by a version-1 file holds eight fields, version 2 nine;
// each field takes at least its 4-byte length or value.
constexpr std::uint64_t kMinRecordBytesV1 = 8 * 4;
constexpr std::uint64_t kMinRecordBytesV2 = 9 * 4;

UserMessage invalidDatabase() {
    return {"Invalid Database", "There is a problem with the database file.\r\nFile not loaded",
            UserMessage::Icon::Critical, UserMessage::Buttons::Ok};
}

UserMessage unsupportedVersion() {
    return {"Invalid Database", "Unsupported file version\r\nFile not loaded",
            UserMessage::Icon::Critical, UserMessage::Buttons::Ok};
}

UserMessage upgraded() {
    return {"Information only", "Old database format has been updated to new version",
            UserMessage::Icon::None, UserMessage::Buttons::Ok};
}

DatabaseLoadResult resultOf(DatabaseLoadResult::Status status, std::optional<UserMessage> message) {
    DatabaseLoadResult result;
    result.status = status;
    result.message = std::move(message);
    return result;
}

DatabaseLoadResult invalid() {
    return resultOf(DatabaseLoadResult::Status::Invalid, invalidDatabase());
}

std::int32_t decodeInt(const char* p) {
    std::uint32_t v = static_cast<std::uint32_t>(static_cast<unsigned char>(p[0])) |
                      static_cast<std::uint32_t>(static_cast<unsigned char>(p[1])) << 8 |
                      static_cast<std::uint32_t>(static_cast<unsigned char>(p[2])) << 16 |
                      static_cast<std::uint32_t>(static_cast<unsigned char>(p[3])) << 24;
    std::int32_t out;
    std::memcpy(&out, &v, 4);
    return out;
}

// Bytes already in memory.
class MemorySource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}

    std::uint64_t remaining() const { return bytes_.size() - pos_; }

    std::string_view buffered() const { return bytes_.substr(pos_); }
    void consume(std::size_t n) { pos_ += n; }

    bool readInt(std::int32_t& out) {
        if (remaining() < 4)
            return false;
        out = decodeInt(bytes_.data() + pos_);
        pos_ += 4;
        return true;
    }

    bool readText(std::string& out, std::size_t length) {
        if (remaining() < length)
            return false;
        platform::appendAnsiAsUtf8(out, bytes_.substr(pos_, length));
        pos_ += length;
        return true;
    }

    bool readRaw(char* out, std::size_t length) {
        if (remaining() < length)
            return false;
        std::memcpy(out, bytes_.data() + pos_, length);
        pos_ += length;
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// A file read in fixed chunks straight into the records, so no copy of the
// whole file is ever held.
class FileSource {
public:
    explicit FileSource(platform::RegularFileReader& in) : in_(in), remaining_(in.size()) {}

    std::uint64_t remaining() const { return remaining_; }

    std::string_view buffered() const { return {buffer_.get() + pos_, end_ - pos_}; }
    void consume(std::size_t n) {
        pos_ += n;
        remaining_ -= n;
    }

    bool readInt(std::int32_t& out) {
        if (end_ - pos_ >= 4) { // the usual case: the value lies in this chunk
            out = decodeInt(buffer_.get() + pos_);
            consume(4);
            return true;
        }
        char b[4];
        if (!readRaw(b, 4))
            return false;
        out = decodeInt(b);
        return true;
    }

    bool readText(std::string& out, std::size_t length) {
        if (remaining_ < length)
            return false;
        if (pos_ == end_ && !fill())
            return false;
        if (end_ - pos_ >= length) { // the usual case: the text lies in this chunk
            platform::appendAnsiAsUtf8(out, std::string_view(buffer_.get() + pos_, length));
            consume(length);
            return true;
        }
        // Across chunks: gathered first, so the text is still converted (and
        // allocated) once.
        scratch_.resize(length);
        if (!readRaw(scratch_.data(), length))
            return false;
        platform::appendAnsiAsUtf8(out, scratch_);
        return true;
    }

    bool readRaw(char* out, std::size_t length) {
        if (remaining_ < length)
            return false;
        while (length > 0) {
            if (pos_ == end_ && !fill())
                return false;
            const std::size_t take = std::min(length, end_ - pos_);
            std::memcpy(out, buffer_.get() + pos_, take);
            consume(take);
            out += take;
            length -= take;
        }
        return true;
    }

private:
    static constexpr std::size_t kChunk = 256 * 1024;

    bool fill() {
        const std::ptrdiff_t got = in_.read(buffer_.get(), kChunk);
        pos_ = 0;
        end_ = got > 0 ? static_cast<std::size_t>(got) : 0;
        return end_ > 0;
    }

    platform::RegularFileReader& in_;
    std::uint64_t remaining_;
    std::unique_ptr<char[]> buffer_ = std::make_unique<char[]>(kChunk);
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::string scratch_;
};

template <class Source> bool readTextField(Source& src, std::string& out) {
    std::int32_t length;
    if (!src.readInt(length) || length < 0)
        return false;
    if (length == 0)
        return true;
    if (src.remaining() < static_cast<std::uint64_t>(length))
        return false;
    return src.readText(out, static_cast<std::size_t>(length));
}

// Parses one record from bytes already in memory, keeping the cursor in
// registers: the usual case, as records are far smaller than a read chunk.
// Returns the bytes used, or 0 (leaving the record blank) when the bytes end
// first or a length is negative; the careful reader below then takes over.
std::size_t recordInBuffer(std::string_view buffered, std::int32_t version, GameRecord& r) {
    const char* p = buffered.data();
    const char* const end = p + buffered.size();
    bool ok = true;
    auto number = [&](std::int32_t& out) {
        if (!ok || end - p < 4) {
            ok = false;
            return;
        }
        out = decodeInt(p);
        p += 4;
    };
    auto text = [&](std::string& out) {
        std::int32_t length = 0;
        number(length);
        if (!ok || length < 0 || end - p < length) {
            ok = false;
            return;
        }
        if (length > 0)
            platform::appendAnsiAsUtf8(out, std::string_view(p, static_cast<std::size_t>(length)));
        p += length;
    };
    text(r.name);
    number(r.genre);
    text(r.screenshots);
    number(r.year);
    text(r.notes);
    text(r.romFile);
    text(r.publisher);
    text(r.authors);
    if (version >= 2)
        text(r.musicFile);
    if (!ok) {
        r = GameRecord{};
        return 0;
    }
    return static_cast<std::size_t>(p - buffered.data());
}

// Only versions 1 and 2 reach here: eight fields, and the music file in 2.
template <class Source> bool readRecord(Source& src, std::int32_t version, GameRecord& r) {
    if (const std::size_t used = recordInBuffer(src.buffered(), version, r)) {
        src.consume(used);
        return true;
    }
    if (!readTextField(src, r.name) || !src.readInt(r.genre) ||
        !readTextField(src, r.screenshots) || !src.readInt(r.year) ||
        !readTextField(src, r.notes) || !readTextField(src, r.romFile) ||
        !readTextField(src, r.publisher) || !readTextField(src, r.authors))
        return false;
    if (version >= 2 && !readTextField(src, r.musicFile))
        return false;
    return true;
}

// Version-1 records: full paths split into bare names (their directories go
// to `result`), coarse genres mapped.
void upgradeVersion1Records(GameCatalogue& catalogue, DatabaseLoadResult& result) {
    // Each directory once, compared as the search paths compare them.
    const auto note = [](std::vector<std::string>& list, std::string directory) {
        for (const std::string& known : list)
            if (platform::samePath(known, directory))
                return;
        list.push_back(std::move(directory));
    };
    if (!catalogueHasEntries(catalogue))
        return;
    for (GameRecord& r : catalogue) {
        if (!r.romFile.empty()) {
            SplitPath split = splitFullPath(r.romFile);
            r.romFile = std::move(split.name);
            note(result.romDirectories, std::move(split.directory));
        }
        if (!r.screenshots.empty()) {
            std::string names;
            for (std::string_view item : splitList(r.screenshots)) {
                SplitPath split = splitFullPath(item);
                if (!names.empty())
                    names += ',';
                names += split.name;
                note(result.screenshotDirectories, std::move(split.directory));
            }
            r.screenshots = std::move(names);
        }
        if (auto mapped = mapVersion1Genre(r.genre))
            r.genre = *mapped;
    }
}

template <class Source> DatabaseLoadResult load(Source& src, GameCatalogue& catalogue) {
    char magic[4];
    if (!src.readRaw(magic, 4) || std::memcmp(magic, kMagic, 4) != 0)
        return invalid();
    std::int32_t version;
    if (!src.readInt(version))
        return invalid();
    if (version > kDatabaseVersion)
        return resultOf(DatabaseLoadResult::Status::Unsupported, unsupportedVersion());
    // No program ever wrote a version below 1: such a field is damage, and
    // reading on would turn every game into a blank record that the next
    // save writes over the file.
    if (version < 1)
        return invalid();
    std::int32_t count;
    if (!src.readInt(count) || count <= 0)
        return invalid();

    // Refuse a count the file cannot hold before allocating anything for it.
    const std::uint64_t minBytes = version >= 2 ? kMinRecordBytesV2 : kMinRecordBytesV1;
    if (static_cast<std::uint64_t>(count) > src.remaining() / minBytes)
        return invalid();

    // Each record is built in place as it is read, so its memory is written once.
    GameCatalogue loaded;
    loaded.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i)
        if (!readRecord(src, version, loaded.emplace_back()))
            return invalid();

    catalogue.swap(loaded);
    if (version < kDatabaseVersion) {
        DatabaseLoadResult result = resultOf(DatabaseLoadResult::Status::Upgraded, upgraded());
        upgradeVersion1Records(catalogue, result);
        return result;
    }
    return resultOf(DatabaseLoadResult::Status::Loaded, std::nullopt);
}

} // namespace

DatabaseLoadResult loadDatabaseBytes(GameCatalogue& catalogue, std::string_view bytes) {
    MemorySource src(bytes);
    return load(src, catalogue);
}

DatabaseLoadResult loadDatabase(GameCatalogue& catalogue, const std::string& path) {
    platform::RegularFileReader in;
    if (!in.open(path))
        return invalid();
    FileSource src(in);
    return load(src, catalogue);
}

namespace {

char* putInt(char* p, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>((v >> 8) & 0xFF);
    p[2] = static_cast<char>((v >> 16) & 0xFF);
    p[3] = static_cast<char>(v >> 24);
    return p + 4;
}

// The length goes in front of the text, so it is filled in once the text has
// been converted: one pass over each text.
char* putText(char* p, const std::string& text) {
    const std::size_t length = platform::writeUtf8AsAnsi(p + 4, text);
    putInt(p, static_cast<std::int32_t>(
                  std::min<std::size_t>(length, std::numeric_limits<std::int32_t>::max())));
    return p + 4 + length;
}

// Room a record can need: the Windows-1252 form is never longer than UTF-8.
std::size_t maxRecordBytes(const GameRecord& r) {
    return kMinRecordBytesV2 + r.name.size() + r.screenshots.size() + r.notes.size() +
           r.romFile.size() + r.publisher.size() + r.authors.size() + r.musicFile.size();
}

char* putRecord(char* p, const GameRecord& r, std::int32_t version) {
    p = putText(p, r.name);
    p = putInt(p, r.genre);
    p = putText(p, r.screenshots);
    p = putInt(p, r.year);
    p = putText(p, r.notes);
    p = putText(p, r.romFile);
    p = putText(p, r.publisher);
    p = putText(p, r.authors);
    if (version >= 2)
        p = putText(p, r.musicFile);
    return p;
}

char* putHeader(char* p, const GameCatalogue& catalogue, std::int32_t version) {
    std::memcpy(p, kMagic, 4);
    p = putInt(p + 4, version);
    return putInt(p, static_cast<std::int32_t>(catalogue.size()));
}

} // namespace

std::string databaseBytes(const GameCatalogue& catalogue, std::int32_t version) {
    std::size_t bound = kHeaderBytes;
    for (const GameRecord& r : catalogue)
        bound += maxRecordBytes(r);
    std::string out(bound, '\0');
    char* p = putHeader(out.data(), catalogue, version);
    for (const GameRecord& r : catalogue)
        p = putRecord(p, r, version);
    out.resize(static_cast<std::size_t>(p - out.data()));
    return out;
}

platform::IoResult saveDatabase(const GameCatalogue& catalogue, const std::string& path,
                                std::int32_t version, platform::Durability durability) {
    constexpr std::size_t kMaxText = std::numeric_limits<std::int32_t>::max();
    for (const GameRecord& r : catalogue)
        for (const std::string* t : {&r.name, &r.screenshots, &r.notes, &r.romFile, &r.publisher,
                                     &r.authors, &r.musicFile})
            if (t->size() > kMaxText && platform::ansiLength(*t) > kMaxText)
                return platform::IoResult::failure("Unable to write " + path +
                                                   ": a text is too long for the file format");
    // Encoded on a second thread while the chunk before is written.
    auto next = catalogue.begin();
    bool header = true;
    return platform::writeEncodedInChunks(
        path,
        [&](platform::WriteChunk& chunk) {
            char* p = chunk.begin();
            if (header)
                p = putHeader(p, catalogue, version);
            header = false;
            for (; next != catalogue.end(); ++next) {
                const std::size_t need = maxRecordBytes(*next);
                if (static_cast<std::size_t>(chunk.end() - p) < need) {
                    if (p != chunk.begin())
                        break;        // the record goes in the next chunk
                    chunk.grow(need); // a record larger than a chunk
                    p = chunk.begin();
                }
                p = putRecord(p, *next, version);
            }
            chunk.setEnd(p);
            return next == catalogue.end() ? platform::Encoded::Done : platform::Encoded::More;
        },
        durability);
}

} // namespace tolm
