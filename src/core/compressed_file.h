#pragma once

// Reading inside the compressed files game collections come in: a zip
// archive's entries, and the whole of a gzip or bzip2 file. Everything read
// is untrusted: damaged, truncated or hostile input gives an error, never a
// crash, and unpacking stops at a size the caller sets, so a small file that
// unpacks to gigabytes costs nothing.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolm {

// Random-access bytes to read a compressed file from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Fills `out` with the bytes at `offset`; false when they cannot be had.
    virtual bool readAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool readAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
    std::span<const std::uint8_t> bytes_;
};

enum class Compression { None, Zip, Gzip, Bzip2 };

// The kind of compressed file `head` (the file's first bytes, four are
// enough) begins as.
Compression compressionOf(std::span<const std::uint8_t> head);

// False in builds made without the bzip2 library: bzip2 files then read as
// unsupported.
bool bzip2Supported();

struct ZipEntry {
    std::string name; // as stored: bytes, '/' between folders
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;
    std::uint64_t localHeaderOffset = 0;
    std::uint32_t crc32 = 0;
    std::uint16_t method = 0; // 0 stored, 8 deflated; others are not read
    bool encrypted = false;

    bool isFolder() const { return !name.empty() && name.back() == '/'; }
};

struct UnpackError {
    enum class Kind { Damaged, Unsupported, TooLarge, Stopped, Unreadable };
    Kind kind = Kind::Damaged;
    std::string message; // a plain sentence for the user
};

// The entries of a zip archive, in the order of its central directory.
std::optional<std::vector<ZipEntry>> zipEntries(ByteSource& zip, UnpackError* error = nullptr);

// Takes the next piece of unpacked bytes; false stops the unpacking.
using UnpackSink = std::function<bool(std::span<const std::uint8_t>)>;

// Streams one zip entry's bytes to `sink`, checking its CRC at the end.
// More than `maxBytes` unpacked is refused as TooLarge.
std::optional<UnpackError> unpackZipEntry(ByteSource& zip, const ZipEntry& entry,
                                          const UnpackSink& sink, std::uint64_t maxBytes);

// Streams a whole gzip or bzip2 file's bytes (every member, one after the
// other, as the gzip and bzip2 tools do) to `sink`.
std::optional<UnpackError> unpackStream(ByteSource& file, Compression kind, const UnpackSink& sink,
                                        std::uint64_t maxBytes);

struct UnpackedFile {
    std::string name; // the game file's own name: a zip entry's last part, or
                      // the compressed file's name without its extension
    std::vector<std::uint8_t> bytes;
};

// The game file a compressed file holds: in a zip the first entry whose name
// has a game file's extension; a gzip or bzip2 file's whole contents. A file
// that is not compressed is returned as it is. Nothing when there is no game
// file, or it is damaged or larger than `maxBytes`.
std::optional<UnpackedFile> unpackGameFile(std::span<const std::uint8_t> file,
                                           std::string_view fileName, std::uint64_t maxBytes,
                                           UnpackError* error = nullptr);

} // namespace tolm
