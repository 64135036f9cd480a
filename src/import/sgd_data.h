#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace tolm {

// One game in an SGD data file: 252 bytes of fixed-width Windows-1252 text
// fields, padded with spaces, with no separators.
inline constexpr std::size_t kSgdRecordSize = 252;

struct SgdField {
    std::size_t offset;
    std::size_t width;
};

// The fields the import reads; the others may hold anything.
namespace sgd_field {
inline constexpr SgdField kName{0, 37};
inline constexpr SgdField kYear{37, 5};
inline constexpr SgdField kPublisher{42, 37};
inline constexpr SgdField kFileName{93, 13};
inline constexpr SgdField kGenre{106, 8};
inline constexpr SgdField kDirectoryIndex{114, 4};
inline constexpr SgdField kAuthors{150, 102};
} // namespace sgd_field

struct SgdRecord {
    std::array<char, kSgdRecordSize> bytes{};

    std::string_view field(SgdField f) const { return {bytes.data() + f.offset, f.width}; }
};

using SgdRecords = std::vector<SgdRecord>;

// A data file's record count: its length / 252 rounded to the nearest whole
// number, a tie going to the even one (2646 bytes give 10, 2898 give 12).
std::uint64_t sgdRecordCount(std::uint64_t fileLength);

// Gathers records from a data file handed over in pieces of any size. A
// last record that the count includes but the file cuts short is filled up
// with spaces.
class SgdRecordReader {
public:
    // Room for the records of a file of this length, so the array is not
    // regrown (and briefly held twice) while it fills.
    void expect(std::uint64_t fileLength);
    void take(std::string_view piece);
    std::uint64_t bytesTaken() const { return taken_; }
    SgdRecords finish();

private:
    SgdRecords records_;
    SgdRecord partial_;
    std::size_t partialLength_ = 0;
    std::uint64_t taken_ = 0;
};

SgdRecords loadSgdBytes(std::string_view bytes);

// Reads the data file `path` into `records` in one pass, a piece at a time.
// `progress`, when given, hears the bytes read so far after each piece. On
// failure `records` is left empty.
platform::IoResult loadSgdFile(const std::string& path, SgdRecords& records,
                               const std::function<void(std::uint64_t)>& progress = {});

// A text field as the import keeps it: every CR LF pair removed, then the
// spaces (only spaces) at both ends. Works on the file's bytes.
std::string cleanSgdField(std::string_view text);

} // namespace tolm
