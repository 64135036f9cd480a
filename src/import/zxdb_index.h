#pragma once

// What Tolm keeps of ZXDB, the open reference database of Spectrum software:
// per program its title and aliases, the original release's year and
// publishers, its authors, genre, machine and the names of its known files.
// It is read once from the database's MySQL/MariaDB script (plain or zipped)
// and kept in an index file of Tolm's own, which opens in a moment.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolm::zxdb {

// The index file, in the data directory.
inline constexpr const char* kIndexFileName = "tolm-zxdb.idx";

struct Entry {
    std::int32_t id = 0;
    std::string title;                // UTF-8, as ZXDB writes it
    std::vector<std::string> aliases; // other titles, each once, never the title
    std::int32_t year = 0;            // the original release's; 0 when unknown
    std::string publisher;            // the original release's, joined with " - "
    std::string authors;              // in order, joined with ", "
    std::string genre;                // the genre type's text; "" for none
    std::string machine;              // the machine type's text; "" for none
    std::vector<std::string> files;   // last part of each known file's link

    bool operator==(const Entry&) const = default;
};

struct Index {
    std::string version;        // the ZXDB release the script names; "" when it names none
    std::string date;           // "YYYY-MM-DD" of that release or of the dump; "" unknown
    std::vector<Entry> entries; // by id, ascending

    std::size_t aliasCount() const;
    std::size_t fileCount() const;
    bool operator==(const Index&) const = default;
};

// Reads a script fed in pieces of any size, keeping only what the index needs.
class IndexBuilder {
public:
    IndexBuilder();
    ~IndexBuilder();
    IndexBuilder(const IndexBuilder&) = delete;
    IndexBuilder& operator=(const IndexBuilder&) = delete;

    // False once the script is found not to be one; later pieces are ignored.
    bool feed(std::string_view bytes);
    // The index, or nothing with `error` saying why in a sentence for the
    // user: not a dump script, cut short, or a needed table missing.
    std::optional<Index> finish(std::string& error);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Told how many of the script's bytes are read out of how many; false stops.
using ReadProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

struct ScriptResult {
    std::optional<Index> index;
    std::string error;      // set when there is no index and it was not cancelled
    bool cancelled = false; // stopped by `progress`
};

// Reads the script at `path`: `ZXDB_mysql.sql`, or a zip holding it (the
// first entry ending in ".sql"), streamed out of the zip without unpacking it
// to disk.
ScriptResult readScript(const std::string& path, const ReadProgress& progress = {});

// The index file's bytes, and back; a damaged file gives nothing and `error`.
std::string encodeIndex(const Index& index);
std::optional<Index> decodeIndex(std::string_view bytes, std::string& error);

// Writes the index file atomically: a failed write leaves the old one.
bool saveIndex(const std::string& path, const Index& index, std::string& error);
// Nothing when there is no index file (then `error` stays empty) or it is
// unreadable or damaged (`error` says so).
std::optional<Index> loadIndex(const std::string& path, std::string& error);

} // namespace tolm::zxdb
