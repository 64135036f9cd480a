#include "core/compressed_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <type_traits>

#include <zlib.h>
#if TOLM_HAVE_BZIP2
#include <bzlib.h>
#endif

#include "core/tosec_name.h"

namespace tolm {
namespace {

constexpr std::size_t kInputPiece = 64 * 1024;
constexpr std::size_t kOutputPiece = 64 * 1024;

constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::uint32_t kDirectoryEntry = 0x02014b50;
constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kZip64Locator = 0x07064b50;
constexpr std::size_t kEndOfDirectoryBytes = 22;
constexpr std::size_t kDirectoryEntryBytes = 46;
constexpr std::size_t kLocalHeaderBytes = 30;
constexpr std::size_t kLongestComment = 0xFFFF;

std::uint16_t get16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t get32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

UnpackError errorOf(UnpackError::Kind kind, std::string message) {
    return UnpackError{kind, std::move(message)};
}
UnpackError damaged(const char* what) {
    return errorOf(UnpackError::Kind::Damaged, std::string("The file is damaged: ") + what + ".");
}
UnpackError unsupported(const char* what) {
    return errorOf(UnpackError::Kind::Unsupported,
                   std::string("The file cannot be read: ") + what + ".");
}
UnpackError tooLarge() {
    return errorOf(UnpackError::Kind::TooLarge, "The file unpacks to more than can be read.");
}
UnpackError stopped() {
    return errorOf(UnpackError::Kind::Stopped, "Reading the file was stopped.");
}
UnpackError unreadable() {
    return errorOf(UnpackError::Kind::Unreadable, "The file could not be read.");
}

// Hands unpacked pieces on, counting them against the limit.
class LimitedSink {
public:
    LimitedSink(const UnpackSink& sink, std::uint64_t maxBytes) : sink_(sink), max_(maxBytes) {}

    std::optional<UnpackError> put(const std::uint8_t* bytes, std::size_t size) {
        if (size == 0)
            return std::nullopt;
        if (size > max_ - total_)
            return tooLarge();
        total_ += size;
        if (!sink_(std::span<const std::uint8_t>(bytes, size)))
            return stopped();
        return std::nullopt;
    }
    std::uint64_t total() const { return total_; }

private:
    const UnpackSink& sink_;
    std::uint64_t max_;
    std::uint64_t total_ = 0;
};

// Reads `length` bytes from `offset` a piece at a time.
class PieceReader {
public:
    PieceReader(ByteSource& source, std::uint64_t offset, std::uint64_t length)
        : source_(source), offset_(offset), left_(length) {}

    // The next piece, empty at the end; nullopt when the source fails.
    std::optional<std::span<std::uint8_t>> next() {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left_, kInputPiece));
        if (n == 0)
            return std::span<std::uint8_t>();
        if (!source_.readAt(offset_, std::span(buffer_.data(), n)))
            return std::nullopt;
        offset_ += n;
        left_ -= n;
        return std::span(buffer_.data(), n);
    }
    std::uint64_t left() const { return left_; }

private:
    ByteSource& source_;
    std::uint64_t offset_;
    std::uint64_t left_;
    std::array<std::uint8_t, kInputPiece> buffer_{};
};

enum class Input { Ready, End, Failed };

// Hands a zlib or bzip2 stream the next piece once it has used up the last.
template <typename Stream> Input feed(PieceReader& in, Stream& stream) {
    if (stream.avail_in != 0)
        return Input::Ready;
    const auto piece = in.next();
    if (!piece)
        return Input::Failed;
    if (piece->empty())
        return Input::End;
    using Byte = std::remove_pointer_t<decltype(stream.next_in)>;
    stream.next_in = reinterpret_cast<Byte*>(piece->data());
    stream.avail_in = static_cast<decltype(stream.avail_in)>(piece->size());
    return Input::Ready;
}

struct ZStream {
    z_stream z{};
    bool open = false;
    ~ZStream() {
        if (open)
            inflateEnd(&z);
    }
    bool begin(int windowBits) {
        open = inflateInit2(&z, windowBits) == Z_OK;
        return open;
    }
};

// Inflates raw deflate data (windowBits -15) or gzip members (16 + 15) from
// `in` to `out`. A gzip file may hold several members one after another.
std::optional<UnpackError> inflateFrom(PieceReader& in, LimitedSink& out, bool gzip,
                                       std::uint32_t* crc) {
    ZStream stream;
    if (!stream.begin(gzip ? 16 + MAX_WBITS : -MAX_WBITS))
        return unreadable();
    std::array<std::uint8_t, kOutputPiece> buffer{};
    std::uint32_t runningCrc = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
    bool ended = false;
    for (;;) {
        const Input input = feed(in, stream.z);
        if (input == Input::Failed)
            return unreadable();
        if (input == Input::End)
            break;
        if (ended) {
            // Another gzip member follows, or bytes that are not one: the
            // gzip tool ignores trailing zeros and stops at other trailing bytes.
            if (stream.z.next_in[0] != 0x1f)
                break;
            if (inflateReset(&stream.z) != Z_OK)
                return unreadable();
            ended = false;
        }
        stream.z.next_out = buffer.data();
        stream.z.avail_out = static_cast<uInt>(buffer.size());
        const int result = inflate(&stream.z, Z_NO_FLUSH);
        const std::size_t produced = buffer.size() - stream.z.avail_out;
        if (crc)
            runningCrc = static_cast<std::uint32_t>(
                crc32(runningCrc, buffer.data(), static_cast<uInt>(produced)));
        if (auto failed = out.put(buffer.data(), produced))
            return failed;
        if (result == Z_STREAM_END) {
            ended = true;
            if (!gzip)
                break; // a zip entry's deflate data ends here
            continue;
        }
        if (result == Z_BUF_ERROR && stream.z.avail_in == 0)
            continue; // wants more input
        if (result != Z_OK)
            return damaged("its compressed data is not valid");
    }
    if (!ended)
        return damaged("it ends too soon");
    if (crc)
        *crc = runningCrc;
    return std::nullopt;
}

#if TOLM_HAVE_BZIP2
struct BzStream {
    bz_stream z{};
    bool open = false;
    ~BzStream() { end(); }
    bool begin() {
        end();
        std::memset(&z, 0, sizeof z);
        open = BZ2_bzDecompressInit(&z, 0, 0) == BZ_OK;
        return open;
    }
    void end() {
        if (open)
            BZ2_bzDecompressEnd(&z);
        open = false;
    }
};

std::optional<UnpackError> bunzipFrom(PieceReader& in, LimitedSink& out) {
    BzStream stream;
    if (!stream.begin())
        return unreadable();
    std::array<char, kOutputPiece> buffer{};
    bool ended = false;
    for (;;) {
        const Input input = feed(in, stream.z);
        if (input == Input::Failed)
            return unreadable();
        if (input == Input::End)
            break;
        if (ended) {
            if (stream.z.next_in[0] != 'B')
                break; // trailing bytes that are not another stream
            // The next stream starts where this one stopped reading.
            char* const nextIn = stream.z.next_in;
            const unsigned availIn = stream.z.avail_in;
            if (!stream.begin())
                return unreadable();
            stream.z.next_in = nextIn;
            stream.z.avail_in = availIn;
            ended = false;
        }
        stream.z.next_out = buffer.data();
        stream.z.avail_out = static_cast<unsigned>(buffer.size());
        const int result = BZ2_bzDecompress(&stream.z);
        const std::size_t produced = buffer.size() - stream.z.avail_out;
        if (auto failed = out.put(reinterpret_cast<const std::uint8_t*>(buffer.data()), produced))
            return failed;
        if (result == BZ_STREAM_END) {
            ended = true;
            continue;
        }
        if (result != BZ_OK)
            return damaged("its compressed data is not valid");
    }
    if (!ended)
        return damaged("it ends too soon");
    return std::nullopt;
}
#endif

std::string lastPart(std::string_view name) {
    const std::size_t slash = name.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? name : name.substr(slash + 1));
}

std::string_view extensionOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

} // namespace

bool MemoryByteSource::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset > bytes_.size() || out.size() > bytes_.size() - offset)
        return false;
    if (!out.empty()) // an empty span's data may be null, which memcpy may not be given
        std::memcpy(out.data(), bytes_.data() + offset, out.size());
    return true;
}

Compression compressionOf(std::span<const std::uint8_t> head) {
    if (head.size() >= 4 && head[0] == 'P' && head[1] == 'K' &&
        ((head[2] == 3 && head[3] == 4) || (head[2] == 5 && head[3] == 6)))
        return Compression::Zip;
    if (head.size() >= 3 && head[0] == 0x1f && head[1] == 0x8b && head[2] == 8)
        return Compression::Gzip;
    if (head.size() >= 4 && head[0] == 'B' && head[1] == 'Z' && head[2] == 'h' && head[3] >= '1' &&
        head[3] <= '9')
        return Compression::Bzip2;
    return Compression::None;
}

bool bzip2Supported() {
    return TOLM_HAVE_BZIP2 != 0;
}

std::optional<std::vector<ZipEntry>> zipEntries(ByteSource& zip, UnpackError* error) {
    const auto fail = [&](UnpackError e) -> std::optional<std::vector<ZipEntry>> {
        if (error)
            *error = std::move(e);
        return std::nullopt;
    };
    const std::uint64_t size = zip.size();
    if (size < kEndOfDirectoryBytes)
        return fail(damaged("it is too short to be a zip archive"));
    // The end record sits in the last 22 bytes plus at most a comment's length.
    const std::uint64_t tailBytes =
        std::min<std::uint64_t>(size, kEndOfDirectoryBytes + kLongestComment);
    std::vector<std::uint8_t> tail(static_cast<std::size_t>(tailBytes));
    if (!zip.readAt(size - tailBytes, tail))
        return fail(unreadable());
    std::optional<std::size_t> end;
    for (std::size_t i = tail.size() - kEndOfDirectoryBytes + 1; i-- > 0;) {
        if (get32(&tail[i]) == kEndOfDirectory) {
            end = i;
            break;
        }
    }
    if (!end)
        return fail(damaged("its table of contents is missing"));
    const std::uint8_t* e = &tail[*end];
    if (*end >= 20 && get32(&tail[*end - 20]) == kZip64Locator)
        return fail(unsupported("it is a zip archive of the large kind"));
    if (get16(e + 4) != 0 || get16(e + 6) != 0)
        return fail(unsupported("it is one part of an archive split over several files"));
    const std::uint16_t count = get16(e + 10);
    const std::uint64_t directorySize = get32(e + 12);
    const std::uint64_t directoryOffset = get32(e + 16);
    const std::uint64_t endOffset = size - tailBytes + *end;
    if (directoryOffset > endOffset || directorySize > endOffset - directoryOffset ||
        directorySize < static_cast<std::uint64_t>(count) * kDirectoryEntryBytes)
        return fail(damaged("its table of contents is out of place"));

    std::vector<std::uint8_t> directory(static_cast<std::size_t>(directorySize));
    if (!zip.readAt(directoryOffset, directory))
        return fail(unreadable());
    std::vector<ZipEntry> entries;
    entries.reserve(count);
    std::size_t at = 0;
    for (std::uint16_t i = 0; i < count; ++i) {
        if (directory.size() - at < kDirectoryEntryBytes ||
            get32(&directory[at]) != kDirectoryEntry)
            return fail(damaged("its table of contents is broken"));
        const std::uint8_t* d = &directory[at];
        const std::size_t nameBytes = get16(d + 28);
        const std::size_t extraBytes = get16(d + 30);
        const std::size_t commentBytes = get16(d + 32);
        const std::size_t entryBytes = kDirectoryEntryBytes + nameBytes + extraBytes + commentBytes;
        if (directory.size() - at < entryBytes)
            return fail(damaged("its table of contents is broken"));
        ZipEntry entry;
        entry.encrypted = (get16(d + 8) & 1) != 0;
        entry.method = get16(d + 10);
        entry.crc32 = get32(d + 16);
        entry.compressedSize = get32(d + 20);
        entry.size = get32(d + 24);
        entry.localHeaderOffset = get32(d + 42);
        entry.name.assign(reinterpret_cast<const char*>(d + kDirectoryEntryBytes), nameBytes);
        if (entry.localHeaderOffset >= directoryOffset)
            return fail(damaged("an entry is out of place"));
        entries.push_back(std::move(entry));
        at += entryBytes;
    }
    return entries;
}

std::optional<UnpackError> unpackZipEntry(ByteSource& zip, const ZipEntry& entry,
                                          const UnpackSink& sink, std::uint64_t maxBytes) {
    if (entry.encrypted)
        return unsupported("it is encrypted");
    if (entry.method != 0 && entry.method != 8)
        return unsupported("it is packed in a way this program does not read");
    std::array<std::uint8_t, kLocalHeaderBytes> header{};
    if (entry.localHeaderOffset > zip.size() ||
        zip.size() - entry.localHeaderOffset < kLocalHeaderBytes ||
        !zip.readAt(entry.localHeaderOffset, header))
        return damaged("an entry is out of place");
    if (get32(header.data()) != kLocalHeader)
        return damaged("an entry is out of place");
    const std::uint64_t dataOffset =
        entry.localHeaderOffset + kLocalHeaderBytes + get16(&header[26]) + get16(&header[28]);
    if (dataOffset > zip.size() || entry.compressedSize > zip.size() - dataOffset)
        return damaged("an entry runs past the end");
    if (entry.size > maxBytes)
        return tooLarge();

    PieceReader in(zip, dataOffset, entry.compressedSize);
    LimitedSink out(sink, maxBytes);
    std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
    if (entry.method == 0) {
        for (;;) {
            const auto piece = in.next();
            if (!piece)
                return unreadable();
            if (piece->empty())
                break;
            crc = static_cast<std::uint32_t>(
                crc32(crc, piece->data(), static_cast<uInt>(piece->size())));
            if (auto failed = out.put(piece->data(), piece->size()))
                return failed;
        }
    } else if (auto failed = inflateFrom(in, out, false, &crc)) {
        return failed;
    }
    if (out.total() != entry.size || crc != entry.crc32)
        return damaged("an entry's check sum does not match");
    return std::nullopt;
}

std::optional<UnpackError> unpackStream(ByteSource& file, Compression kind, const UnpackSink& sink,
                                        std::uint64_t maxBytes) {
    PieceReader in(file, 0, file.size());
    LimitedSink out(sink, maxBytes);
    switch (kind) {
    case Compression::Gzip:
        return inflateFrom(in, out, true, nullptr);
    case Compression::Bzip2:
#if TOLM_HAVE_BZIP2
        return bunzipFrom(in, out);
#else
        return unsupported("bzip2 files are not read in this build");
#endif
    case Compression::None:
    case Compression::Zip:
        break;
    }
    return unsupported("it is not a gzip or bzip2 file");
}

std::optional<UnpackedFile> unpackGameFile(std::span<const std::uint8_t> file,
                                           std::string_view fileName, std::uint64_t maxBytes,
                                           UnpackError* error) {
    const auto fail = [&](UnpackError e) -> std::optional<UnpackedFile> {
        if (error)
            *error = std::move(e);
        return std::nullopt;
    };
    MemoryByteSource source(file);
    UnpackedFile unpacked;
    const UnpackSink collect = [&](std::span<const std::uint8_t> piece) {
        unpacked.bytes.insert(unpacked.bytes.end(), piece.begin(), piece.end());
        return true;
    };
    const Compression kind = compressionOf(file);
    if (kind == Compression::None) {
        if (file.size() > maxBytes)
            return fail(tooLarge());
        unpacked.name = lastPart(fileName);
        unpacked.bytes.assign(file.begin(), file.end());
        return unpacked;
    }
    if (kind == Compression::Zip) {
        const auto entries = zipEntries(source, error);
        if (!entries)
            return std::nullopt;
        const auto game = std::find_if(entries->begin(), entries->end(), [](const ZipEntry& e) {
            return !e.isFolder() && isGameFileExtension(extensionOf(e.name));
        });
        if (game == entries->end())
            return fail(unsupported("the archive holds no game file"));
        if (auto failed = unpackZipEntry(source, *game, collect, maxBytes))
            return fail(std::move(*failed));
        unpacked.name = lastPart(game->name);
        return unpacked;
    }
    if (auto failed = unpackStream(source, kind, collect, maxBytes))
        return fail(std::move(*failed));
    unpacked.name = std::string(withoutCompressionExtensions(lastPart(fileName)));
    return unpacked;
}

} // namespace tolm
