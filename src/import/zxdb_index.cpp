#include "import/zxdb_index.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <span>
#include <unordered_map>
#include <utility>

#include "core/compressed_file.h"
#include "core/text.h"
#include "import/sql_dump.h"
#include "platform/chunked_read.h"
#include "platform/files.h"
#include "platform/regular_file.h"

namespace tolm::zxdb {

std::size_t Index::aliasCount() const {
    std::size_t count = 0;
    for (const Entry& entry : entries)
        count += entry.aliases.size();
    return count;
}

std::size_t Index::fileCount() const {
    std::size_t count = 0;
    for (const Entry& entry : entries)
        count += entry.files.size();
    return count;
}

// ---------------------------------------------------------------------------
// Reading the script

namespace {

enum Table : std::size_t {
    kEntries,
    kAliases,
    kReleases,
    kPublishers,
    kAuthors,
    kLabels,
    kGenres, // the three type tables in a row, as State::types holds them
    kMachines,
    kFileTypes,
    kDownloads,
};

// The tables and columns read; the order of each list is the order of the
// values a row hands over.
std::vector<SqlTableRequest> requests() {
    return {
        {"entries", {"id", "title", "genretype_id", "machinetype_id"}},
        {"aliases", {"entry_id", "title"}},
        {"releases", {"entry_id", "release_seq", "release_year"}},
        {"publishers", {"entry_id", "release_seq", "label_id", "publisher_seq"}},
        {"authors", {"entry_id", "label_id", "author_seq"}},
        {"labels", {"id", "name"}},
        {"genretypes", {"id", "text"}},
        {"machinetypes", {"id", "text"}},
        {"filetypes", {"id", "text"}},
        {"downloads", {"entry_id", "file_link", "filetype_id"}},
    };
}

// The script's head is searched for the line naming the release, its tail
// for the dump tool's closing line.
constexpr std::size_t kHeadBytes = 64 * 1024;
constexpr std::size_t kTailBytes = 256;

constexpr std::int32_t kNoId = std::numeric_limits<std::int32_t>::min();

std::int32_t idOf(const SqlValue& value) {
    if (value.null)
        return kNoId;
    std::int32_t id = 0;
    const char* end = value.text.data() + value.text.size();
    const auto [stop, fault] = std::from_chars(value.text.data(), end, id);
    return fault == std::errc() && stop == end ? id : kNoId;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The "YYYY-MM-DD" at `at` in `text`, if one stands there alone.
std::optional<std::string_view> dateAt(std::string_view text, std::size_t at) {
    if (at + 10 > text.size() || (at > 0 && isDigit(text[at - 1])) ||
        (at + 10 < text.size() && isDigit(text[at + 10])))
        return std::nullopt;
    const std::string_view date = text.substr(at, 10);
    for (std::size_t i = 0; i < 10; ++i)
        if ((i == 4 || i == 7) ? date[i] != '-' : !isDigit(date[i]))
            return std::nullopt;
    const int month = (date[5] - '0') * 10 + (date[6] - '0');
    const int day = (date[8] - '0') * 10 + (date[9] - '0');
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    return date;
}

std::string_view firstDate(std::string_view text) {
    for (std::size_t at = 0; at + 10 <= text.size(); ++at)
        if (const auto date = dateAt(text, at))
            return *date;
    return {};
}

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    return lowerAscii(text).find(part) != std::string::npos;
}

// A piece of the builder's text pool.
struct Text {
    std::uint32_t at = 0;
    std::uint32_t size = 0;
};

struct EntryRow {
    std::int32_t id;
    std::int32_t genre;
    std::int32_t machine;
    Text title;
};
struct TextRow { // an alias, a label, a type's text, a download's file name
    std::int32_t id;
    std::int32_t type; // a download's file type
    Text text;
};
struct NumberRow { // a release's year, a publisher or an author
    std::int32_t entry;
    std::int32_t value; // the year, or the label
    std::int32_t seq;
};

template <typename Row> void sortById(std::vector<Row>& rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.id < b.id; });
}

// The rows of `rows` (sorted by `key`) for `id`, from `cursor` on.
template <typename Row, typename Key>
std::span<const Row> rowsFor(const std::vector<Row>& rows, std::size_t& cursor, std::int32_t id,
                             Key key) {
    while (cursor < rows.size() && key(rows[cursor]) < id)
        ++cursor;
    const std::size_t first = cursor;
    while (cursor < rows.size() && key(rows[cursor]) == id)
        ++cursor;
    return std::span<const Row>(rows).subspan(first, cursor - first);
}

} // namespace

struct IndexBuilder::State {
    std::unique_ptr<SqlDumpReader> reader;
    std::string head;
    std::string tail;
    std::string pool; // every text kept, end to end
    bool poolFull = false;

    std::vector<EntryRow> entries;
    std::vector<TextRow> aliases;
    std::vector<NumberRow> years; // entry, year, -
    std::vector<NumberRow> publishers;
    std::vector<NumberRow> authors;
    std::vector<TextRow> labels;
    std::array<std::vector<TextRow>, 3> types; // genres, machines, file types
    std::vector<TextRow> downloads;

    Text keep(std::string_view text) {
        if (pool.size() + text.size() > std::numeric_limits<std::uint32_t>::max()) {
            poolFull = true;
            return {};
        }
        const Text kept{static_cast<std::uint32_t>(pool.size()),
                        static_cast<std::uint32_t>(text.size())};
        pool.append(text);
        return kept;
    }
    std::string_view text(Text t) const { return std::string_view(pool).substr(t.at, t.size); }

    void take(std::size_t table, std::span<const SqlValue> v) {
        switch (table) {
        case kEntries:
            if (idOf(v[0]) != kNoId)
                entries.push_back({idOf(v[0]), idOf(v[2]), idOf(v[3]), keep(v[1].text)});
            break;
        case kAliases:
            if (idOf(v[0]) != kNoId && !v[1].null)
                aliases.push_back({idOf(v[0]), 0, keep(v[1].text)});
            break;
        case kReleases:
            if (idOf(v[0]) != kNoId && idOf(v[1]) == 0)
                years.push_back({idOf(v[0]), std::max(idOf(v[2]), 0), 0});
            break;
        case kPublishers:
            if (idOf(v[0]) != kNoId && idOf(v[1]) == 0)
                publishers.push_back({idOf(v[0]), idOf(v[2]), idOf(v[3])});
            break;
        case kAuthors:
            if (idOf(v[0]) != kNoId)
                authors.push_back({idOf(v[0]), idOf(v[1]), idOf(v[2])});
            break;
        case kLabels:
            labels.push_back({idOf(v[0]), 0, keep(v[1].text)});
            break;
        case kGenres:
        case kMachines:
        case kFileTypes:
            types[table - kGenres].push_back({idOf(v[0]), 0, keep(v[1].text)});
            break;
        case kDownloads:
            if (idOf(v[0]) != kNoId && !v[1].null) {
                const std::string_view link = v[1].text;
                const std::size_t slash = link.find_last_of('/');
                const std::string_view name =
                    slash == std::string_view::npos ? link : link.substr(slash + 1);
                if (!name.empty())
                    downloads.push_back({idOf(v[0]), idOf(v[2]), keep(name)});
            }
            break;
        default:
            break;
        }
    }

    void watch(std::string_view bytes) {
        if (head.size() < kHeadBytes)
            head.append(bytes.substr(0, kHeadBytes - head.size()));
        if (bytes.size() >= kTailBytes) {
            tail.assign(bytes.substr(bytes.size() - kTailBytes));
        } else {
            tail.append(bytes);
            if (tail.size() > kTailBytes)
                tail.erase(0, tail.size() - kTailBytes);
        }
    }

    // The release the script's first lines name, and its date.
    void readVersion(Index& index) const {
        std::string_view rest = head;
        for (std::size_t end; (end = rest.find('\n')) != std::string_view::npos;
             rest.remove_prefix(end + 1)) {
            std::string_view line = rest.substr(0, end);
            if (line.substr(0, 2) != "--" || line.find("ZXDB") == std::string_view::npos)
                continue;
            line.remove_prefix(2);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            index.version.assign(trimBlanks(line));
            index.date.assign(firstDate(line));
            break;
        }
        if (!index.date.empty())
            return;
        static constexpr std::string_view kCompleted = "-- Dump completed on ";
        const std::size_t at = tail.rfind(kCompleted);
        if (at != std::string::npos)
            if (const auto date = dateAt(tail, at + kCompleted.size()))
                index.date.assign(*date);
    }

    std::string_view typeText(std::size_t kind, std::int32_t id) const {
        const auto& rows = types[kind];
        const auto at = std::lower_bound(rows.begin(), rows.end(), id,
                                         [](const TextRow& r, std::int32_t i) { return r.id < i; });
        return at != rows.end() && at->id == id ? text(at->text) : std::string_view();
    }

    std::string joinLabels(std::span<const NumberRow> credits, std::string_view separator) const {
        std::string joined;
        for (const NumberRow& credit : credits) {
            const auto at =
                std::lower_bound(labels.begin(), labels.end(), credit.value,
                                 [](const TextRow& r, std::int32_t i) { return r.id < i; });
            if (at == labels.end() || at->id != credit.value)
                continue;
            if (!joined.empty())
                joined.append(separator);
            joined.append(text(at->text));
        }
        return joined;
    }

    Index join() {
        Index index;
        readVersion(index);
        sortById(entries);
        sortById(aliases);
        sortById(labels);
        sortById(downloads);
        for (auto& rows : types)
            sortById(rows);
        const auto byEntry = [](const NumberRow& a, const NumberRow& b) {
            return a.entry != b.entry ? a.entry < b.entry : a.seq < b.seq;
        };
        std::stable_sort(years.begin(), years.end(), byEntry);
        std::stable_sort(publishers.begin(), publishers.end(), byEntry);
        std::stable_sort(authors.begin(), authors.end(), byEntry);

        // File types whose text says they are images of a game's media.
        std::vector<std::int32_t> imageTypes;
        for (const TextRow& type : types[2])
            if (containsIgnoringCase(text(type.text), "image"))
                imageTypes.push_back(type.id);

        const auto id = [](const auto& row) { return row.id; };
        const auto entry = [](const NumberRow& row) { return row.entry; };
        std::size_t aliasAt = 0, yearAt = 0, publisherAt = 0, authorAt = 0, downloadAt = 0;
        index.entries.reserve(entries.size());
        for (const EntryRow& row : entries) {
            if (!index.entries.empty() && index.entries.back().id == row.id)
                continue; // a repeated id: the first row stands
            Entry& e = index.entries.emplace_back();
            e.id = row.id;
            e.title.assign(text(row.title));
            for (const TextRow& alias : rowsFor(aliases, aliasAt, row.id, id)) {
                const std::string_view title = text(alias.text);
                if (title != e.title &&
                    std::find(e.aliases.begin(), e.aliases.end(), title) == e.aliases.end())
                    e.aliases.emplace_back(title);
            }
            const auto year = rowsFor(years, yearAt, row.id, entry);
            e.year = year.empty() ? 0 : year.front().value;
            e.publisher = joinLabels(rowsFor(publishers, publisherAt, row.id, entry), " - ");
            e.authors = joinLabels(rowsFor(authors, authorAt, row.id, entry), ", ");
            e.genre.assign(typeText(0, row.genre));
            e.machine.assign(typeText(1, row.machine));
            for (const TextRow& download : rowsFor(downloads, downloadAt, row.id, id)) {
                const std::string_view name = text(download.text);
                if (std::find(imageTypes.begin(), imageTypes.end(), download.type) !=
                        imageTypes.end() &&
                    std::find(e.files.begin(), e.files.end(), name) == e.files.end())
                    e.files.emplace_back(name);
            }
        }
        return index;
    }
};

IndexBuilder::IndexBuilder() : state_(std::make_unique<State>()) {
    State* state = state_.get();
    state->reader = std::make_unique<SqlDumpReader>(
        requests(), [state](std::size_t table, std::span<const SqlValue> values) {
            state->take(table, values);
        });
}

IndexBuilder::~IndexBuilder() = default;

bool IndexBuilder::feed(std::string_view bytes) {
    if (!state_->reader->error().empty())
        return false;
    state_->watch(bytes);
    return state_->reader->feed(bytes);
}

std::optional<Index> IndexBuilder::finish(std::string& error) {
    SqlDumpReader& reader = *state_->reader;
    error.clear();
    if (!reader.error().empty()) {
        error = reader.error();
        return std::nullopt;
    }
    if (!reader.finish()) {
        error = reader.error() + " The file was probably cut short: download it again.";
        return std::nullopt;
    }
    const std::vector<SqlTableRequest> wanted = requests();
    std::size_t defined = 0;
    for (std::size_t t = 0; t < wanted.size(); ++t)
        defined += reader.tableDefined(t) ? 1 : 0;
    if (defined == 0) {
        error = "The file is not a ZXDB database script: it defines none of ZXDB's tables.";
        return std::nullopt;
    }
    for (std::size_t t = 0; t < wanted.size(); ++t) {
        if (reader.tableDefined(t))
            continue;
        std::string columns;
        for (const std::string& column : wanted[t].columns)
            columns += (columns.empty() ? "" : ", ") + column;
        error = "The script has no table `" + wanted[t].table + "` with the columns " + columns +
                ": it is not ZXDB's, or from a version of ZXDB that Tolm cannot read.";
        return std::nullopt;
    }
    if (state_->poolFull) {
        error = "The script holds far more text than ZXDB does: it is not ZXDB's.";
        return std::nullopt;
    }
    return state_->join();
}

// ---------------------------------------------------------------------------
// Reading the script's file

namespace {

// A zip read from its file a piece at a time, counting the bytes read.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(platform::RegularFileReader& file) : file_(file) {}
    std::uint64_t size() const override { return file_.size(); }
    bool readAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        auto* to = reinterpret_cast<char*>(out.data());
        for (std::size_t got = 0; got < out.size();) {
            const std::ptrdiff_t n = file_.readAt(offset + got, to + got, out.size() - got);
            if (n <= 0)
                return false;
            got += static_cast<std::size_t>(n);
        }
        read_ += out.size();
        return true;
    }
    std::uint64_t bytesRead() const { return read_; }

private:
    platform::RegularFileReader& file_;
    std::uint64_t read_ = 0;
};

// However large the script, it streams through: this only stops a hostile
// archive from feeding the reader forever.
constexpr std::uint64_t kLargestScript = std::uint64_t{1} << 40;

bool endsWithSql(std::string_view name) {
    return name.size() >= 4 && equalsIgnoringCase(name.substr(name.size() - 4), ".sql");
}

} // namespace

ScriptResult readScript(const std::string& path, const ReadProgress& progress) {
    ScriptResult result;
    platform::RegularFileReader file;
    if (const platform::IoResult opened = file.open(path); !opened) {
        result.error = opened.error;
        return result;
    }
    const std::uint64_t total = file.size();
    IndexBuilder builder;
    const auto report = [&](std::uint64_t done) {
        if (progress && !progress(std::min(done, total), total))
            result.cancelled = true;
        return !result.cancelled;
    };

    std::array<std::uint8_t, 4> magic{};
    const std::ptrdiff_t got = file.readAt(0, reinterpret_cast<char*>(magic.data()), magic.size());
    const Compression kind =
        got > 0 ? compressionOf(std::span(magic).first(static_cast<std::size_t>(got)))
                : Compression::None;
    if (kind == Compression::None) {
        std::vector<char> buffer(platform::kReadChunkSize);
        std::uint64_t done = 0;
        for (;;) {
            const std::ptrdiff_t n = file.readAt(done, buffer.data(), buffer.size());
            if (n < 0) {
                result.error = "Unable to read " + path + ": " + platform::lastErrorText();
                return result;
            }
            if (n == 0)
                break;
            done += static_cast<std::uint64_t>(n);
            if (!report(done))
                return result;
            if (!builder.feed(std::string_view(buffer.data(), static_cast<std::size_t>(n))))
                break; // finish() says why
        }
    } else {
        FileByteSource source(file);
        bool refused = false;
        const UnpackSink sink = [&](std::span<const std::uint8_t> bytes) {
            if (!report(source.bytesRead()))
                return false;
            refused = !builder.feed(
                std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
            return !refused;
        };
        UnpackError zipError;
        std::optional<UnpackError> failed;
        if (kind == Compression::Zip) {
            const auto entries = zipEntries(source, &zipError);
            if (!entries) {
                result.error = zipError.message;
                return result;
            }
            const auto script = std::find_if(entries->begin(), entries->end(), [](const auto& e) {
                return !e.isFolder() && endsWithSql(e.name);
            });
            if (script == entries->end()) {
                result.error = "The zip file " + path + " holds no database script (.sql).";
                return result;
            }
            failed = unpackZipEntry(source, *script, sink, kLargestScript);
        } else {
            failed = unpackStream(source, kind, sink, kLargestScript);
        }
        if (result.cancelled)
            return result;
        if (failed && !refused) {
            result.error = failed->message;
            return result;
        }
        report(total);
    }
    result.index = builder.finish(result.error);
    return result;
}

// ---------------------------------------------------------------------------
// The index file

namespace {

constexpr std::string_view kMagic = "TolmZXDB";
constexpr std::uint32_t kFormatVersion = 1;

class Writer {
public:
    void raw(std::string_view bytes) { out_.append(bytes); }
    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void count(std::uint64_t v) {
        for (; v >= 0x80; v >>= 7)
            out_.push_back(static_cast<char>((v & 0x7F) | 0x80));
        out_.push_back(static_cast<char>(v));
    }
    void text(std::string_view s) {
        count(s.size());
        out_.append(s);
    }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}

    bool ok() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }
    bool atEnd() const { return rest_.empty(); }
    void fail(std::string problem) {
        if (problem_.empty())
            problem_ = std::move(problem);
        rest_ = {};
    }

    std::string_view raw(std::size_t size) {
        if (size > rest_.size()) {
            fail("it ends too soon");
            return {};
        }
        const std::string_view bytes = rest_.substr(0, size);
        rest_.remove_prefix(size);
        return bytes;
    }
    std::uint32_t u32() {
        const std::string_view b = raw(4);
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < b.size(); ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[i])) << (8 * i);
        return v;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::uint64_t number() {
        std::uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const std::string_view b = raw(1);
            if (b.empty())
                return 0;
            const auto byte = static_cast<unsigned char>(b[0]);
            v |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0)
                return v;
        }
        fail("a number in it is too long");
        return 0;
    }
    // A count of things each taking at least one byte: never more than the
    // bytes left, so a damaged count cannot make a huge allocation.
    std::size_t count() {
        const std::uint64_t n = number();
        if (n > rest_.size()) {
            fail("a count in it is larger than the file");
            return 0;
        }
        return static_cast<std::size_t>(n);
    }
    std::string_view text() { return raw(count()); }

private:
    std::string_view rest_;
    std::string problem_;
};

} // namespace

// Layout (little-endian; a "number" is an unsigned LEB128 varint, a "text"
// a number of bytes and the UTF-8 bytes): the magic, a u32 format version,
// the version and date texts, the shared texts (a number, then the texts)
// that genre, machine, publisher and authors refer to (0 for "", k for the
// k-th), then the entries (a number, then each: i32 id, i32 year, title
// text, the four references, aliases and files each as a number and texts).
std::string encodeIndex(const Index& index) {
    std::vector<std::string_view> shared;
    std::unordered_map<std::string_view, std::uint64_t> refs;
    const auto refer = [&](const std::string& text) -> std::uint64_t {
        if (text.empty())
            return 0;
        const auto [at, added] = refs.emplace(text, shared.size() + 1);
        if (added)
            shared.push_back(text);
        return at->second;
    };
    std::vector<std::array<std::uint64_t, 4>> entryRefs;
    entryRefs.reserve(index.entries.size());
    for (const Entry& e : index.entries)
        entryRefs.push_back(
            {refer(e.genre), refer(e.machine), refer(e.publisher), refer(e.authors)});

    Writer out;
    out.raw(kMagic);
    out.u32(kFormatVersion);
    out.text(index.version);
    out.text(index.date);
    out.count(shared.size());
    for (const std::string_view text : shared)
        out.text(text);
    out.count(index.entries.size());
    for (std::size_t i = 0; i < index.entries.size(); ++i) {
        const Entry& e = index.entries[i];
        out.i32(e.id);
        out.i32(e.year);
        out.text(e.title);
        for (const std::uint64_t ref : entryRefs[i])
            out.count(ref);
        out.count(e.aliases.size());
        for (const std::string& alias : e.aliases)
            out.text(alias);
        out.count(e.files.size());
        for (const std::string& file : e.files)
            out.text(file);
    }
    return out.take();
}

namespace {

// The index in `bytes`, or nothing with `problem` saying what is wrong.
std::optional<Index> decode(std::string_view bytes, std::string& problem) {
    Reader in(bytes);
    if (in.raw(kMagic.size()) != kMagic) {
        problem = "it is not a ZXDB index of Tolm's";
        return std::nullopt;
    }
    const std::uint32_t format = in.u32();
    if (in.ok() && format != kFormatVersion) {
        problem = "it has format " + std::to_string(format) + ", which this version of Tolm " +
                  (format > kFormatVersion ? "does not know yet" : "no longer reads");
        return std::nullopt;
    }
    Index index;
    index.version.assign(in.text());
    index.date.assign(in.text());
    std::vector<std::string_view> shared = {{}};
    for (std::size_t n = in.count(); n > 0 && in.ok(); --n)
        shared.push_back(in.text());
    const auto sharedText = [&](std::uint64_t ref) -> std::string_view {
        if (ref >= shared.size()) {
            in.fail("an entry refers to a text it does not have");
            return {};
        }
        return shared[static_cast<std::size_t>(ref)];
    };
    // Each entry takes at least 15 bytes.
    const std::size_t entries = in.count();
    index.entries.reserve(std::min<std::size_t>(entries, bytes.size() / 15));
    for (std::size_t i = 0; i < entries && in.ok(); ++i) {
        Entry& e = index.entries.emplace_back();
        e.id = in.i32();
        e.year = in.i32();
        e.title.assign(in.text());
        e.genre.assign(sharedText(in.number()));
        e.machine.assign(sharedText(in.number()));
        e.publisher.assign(sharedText(in.number()));
        e.authors.assign(sharedText(in.number()));
        // Grown as the texts read, so a damaged count allocates nothing.
        for (std::size_t n = in.count(); n > 0 && in.ok(); --n)
            e.aliases.emplace_back(in.text());
        for (std::size_t n = in.count(); n > 0 && in.ok(); --n)
            e.files.emplace_back(in.text());
        if (i > 0 && in.ok() && index.entries[i - 1].id >= e.id)
            in.fail("its entries are out of order");
    }
    if (in.ok() && !in.atEnd())
        in.fail("it goes on after its last entry");
    if (!in.ok()) {
        problem = in.problem();
        return std::nullopt;
    }
    return index;
}

} // namespace

std::optional<Index> decodeIndex(std::string_view bytes, std::string& error) {
    std::string problem;
    auto index = decode(bytes, problem);
    error = index ? std::string() : "The ZXDB index cannot be read: " + problem + ".";
    return index;
}

bool saveIndex(const std::string& path, const Index& index, std::string& error) {
    const platform::IoResult saved = platform::replaceFile(path, encodeIndex(index));
    error = saved ? std::string() : saved.error;
    return saved.ok;
}

std::optional<Index> loadIndex(const std::string& path, std::string& error) {
    error.clear();
    if (!platform::pathExists(path))
        return std::nullopt;
    std::string bytes;
    if (const platform::IoResult read = platform::readFile(path, bytes); !read) {
        error = read.error;
        return std::nullopt;
    }
    std::string problem;
    auto index = decode(bytes, problem);
    if (!index)
        error = "The ZXDB index " + path + " cannot be read: " + problem +
                ". Read the ZXDB script again to make a new one.";
    return index;
}

} // namespace tolm::zxdb
