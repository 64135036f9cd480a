#include "screens/game_file_screen.h"

#include <algorithm>
#include <exception>
#include <fstream>
#include <string_view>
#include <vector>

#include "core/compressed_file.h"
#include "core/tosec_name.h"
#include "platform/codepage.h"
#include "platform/files.h"

#if TOLM_HAVE_LIBSPECTRUM
#include <libspectrum.h>
#endif

namespace tolm::screens {

#if TOLM_HAVE_LIBSPECTRUM

namespace {

// The library reports every problem through this hook; a file that gives no
// screen is an ordinary outcome here, so nothing is printed.
libspectrum_error quietErrors(libspectrum_error error, const char*, va_list) {
    return error;
}

bool libraryReady() {
    // Initialised once for the whole process; later calls only read the flag.
    static const bool ready = [] {
        libspectrum_error_function = quietErrors;
        return libspectrum_init() == LIBSPECTRUM_ERROR_NONE;
    }();
    return ready;
}

struct SnapDeleter {
    void operator()(libspectrum_snap* snap) const { libspectrum_snap_free(snap); }
};
struct TapeDeleter {
    void operator()(libspectrum_tape* tape) const { libspectrum_tape_free(tape); }
};

std::optional<ScreenMemory> copyScreen(const libspectrum_byte* bytes) {
    ScreenMemory screen;
    std::copy_n(bytes, kScreenBytes, screen.begin());
    return screen;
}

std::optional<ScreenMemory> snapshotScreen(std::span<const std::uint8_t> contents,
                                           const char* fileName) {
    const std::unique_ptr<libspectrum_snap, SnapDeleter> snap(libspectrum_snap_alloc());
    if (libspectrum_snap_read(snap.get(), contents.data(), contents.size(), LIBSPECTRUM_ID_UNKNOWN,
                              fileName) != LIBSPECTRUM_ERROR_NONE)
        return std::nullopt;
    const int capabilities = libspectrum_machine_capabilities(libspectrum_snap_machine(snap.get()));
    // Bit 3 of the 128K paging port picks the second screen in page 7.
    const bool secondScreen = (capabilities & LIBSPECTRUM_MACHINE_CAPABILITY_128_MEMORY) != 0 &&
                              (libspectrum_snap_out_128_memoryport(snap.get()) & 0x08) != 0;
    const libspectrum_byte* page = libspectrum_snap_pages(snap.get(), secondScreen ? 7 : 5);
    if (!page)
        return std::nullopt;
    return copyScreen(page);
}

bool carriesBytes(libspectrum_tape_type type) {
    switch (type) {
    case LIBSPECTRUM_TAPE_BLOCK_ROM:
    case LIBSPECTRUM_TAPE_BLOCK_TURBO:
    case LIBSPECTRUM_TAPE_BLOCK_PURE_DATA:
    case LIBSPECTRUM_TAPE_BLOCK_DATA_BLOCK:
        return true;
    default:
        return false;
    }
}

// The answer `use` gives for the first block of the tape in `contents` that
// is `wanted`; nothing when the library cannot read the tape or no block is.
template <typename Answer, typename Wanted, typename Use>
std::optional<Answer> fromFirstTapeBlock(std::span<const std::uint8_t> contents,
                                         const char* fileName, const Wanted& wanted,
                                         const Use& use) {
    const std::unique_ptr<libspectrum_tape, TapeDeleter> tape(libspectrum_tape_alloc());
    if (libspectrum_tape_read(tape.get(), contents.data(), contents.size(), LIBSPECTRUM_ID_UNKNOWN,
                              fileName) != LIBSPECTRUM_ERROR_NONE)
        return std::nullopt;
    libspectrum_tape_iterator it = nullptr;
    for (libspectrum_tape_block* block = libspectrum_tape_iterator_init(&it, tape.get()); block;
         block = libspectrum_tape_iterator_next(&it))
        if (wanted(block))
            return use(block);
    return std::nullopt;
}

std::optional<ScreenMemory> tapeScreen(std::span<const std::uint8_t> contents,
                                       const char* fileName) {
    // Flag byte, the screen, checksum byte.
    return fromFirstTapeBlock<ScreenMemory>(
        contents, fileName,
        [](libspectrum_tape_block* block) {
            return carriesBytes(libspectrum_tape_block_type(block)) &&
                   libspectrum_tape_block_data(block) &&
                   libspectrum_tape_block_data_length(block) == kScreenBytes + 2;
        },
        [](libspectrum_tape_block* block) {
            return copyScreen(libspectrum_tape_block_data(block) + 1);
        });
}

// One archive-info text as the catalogue keeps it: UTF-8 on one line. The
// format separates a text's lines with CR; they are joined with ", " (an
// authors text lists one person a line), other control bytes become blanks.
std::string archiveText(const char* text) {
    if (!text)
        return {};
    std::string joined;
    std::string_view rest(text);
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\r\n");
        std::string line(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        for (char& c : line)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                c = ' ';
        // Blanks, and the code page's no-break space.
        const auto blank = [](char c) { return c == ' ' || static_cast<unsigned char>(c) == 0xA0; };
        std::size_t first = 0, last = line.size();
        while (first < last && blank(line[first]))
            ++first;
        while (last > first && blank(line[last - 1]))
            --last;
        if (first == last)
            continue;
        if (!joined.empty())
            joined += ", ";
        joined.append(line, first, last - first);
    }
    return platform::ansiToUtf8(joined);
}

std::optional<ArchiveInfo> tapeArchiveInfo(std::span<const std::uint8_t> contents,
                                           const char* fileName) {
    // The first block describes the tape; see GameFileScreenReader.
    return fromFirstTapeBlock<ArchiveInfo>(
        contents, fileName,
        [](libspectrum_tape_block* block) {
            return libspectrum_tape_block_type(block) == LIBSPECTRUM_TAPE_BLOCK_ARCHIVE_INFO;
        },
        [](libspectrum_tape_block* block) -> std::optional<ArchiveInfo> {
            ArchiveInfo info;
            const std::size_t count = libspectrum_tape_block_count(block);
            for (std::size_t i = 0; i < count; ++i) {
                const char* text = libspectrum_tape_block_texts(block, i);
                switch (libspectrum_tape_block_ids(block, i)) {
                case 0x00:
                    info.title = archiveText(text);
                    break;
                case 0x01:
                    info.publisher = archiveText(text);
                    break;
                case 0x02:
                    info.authors = archiveText(text);
                    break;
                case 0x03:
                    info.year = text ? yearInArchiveText(text) : 0;
                    break;
                default:
                    break;
                }
            }
            if (info.empty())
                return std::nullopt;
            return info;
        });
}

// Asks the library in this process; see GameFileScreenReader for why it
// reads in a child.
std::optional<ScreenMemory> readWithLibrary(std::span<const std::uint8_t> contents,
                                            const std::string& fileName) {
    libspectrum_id_t type = LIBSPECTRUM_ID_UNKNOWN;
    libspectrum_class_t kind = LIBSPECTRUM_CLASS_UNKNOWN;
    if (libspectrum_identify_file_with_class(&type, &kind, fileName.c_str(), contents.data(),
                                             contents.size()) != LIBSPECTRUM_ERROR_NONE)
        return std::nullopt;
    if (kind == LIBSPECTRUM_CLASS_SNAPSHOT)
        return snapshotScreen(contents, fileName.c_str());
    if (kind == LIBSPECTRUM_CLASS_TAPE)
        return tapeScreen(contents, fileName.c_str());
    return std::nullopt;
}

} // namespace

bool gameFileScreensSupported() {
    return true;
}

std::optional<ArchiveInfo>
archiveInfoFromGameFileInThisProcess(std::span<const std::uint8_t> contents,
                                     const std::string& fileName) {
    if (contents.empty() || contents.size() > kLargestGameFile || !libraryReady())
        return std::nullopt;
    libspectrum_id_t type = LIBSPECTRUM_ID_UNKNOWN;
    libspectrum_class_t kind = LIBSPECTRUM_CLASS_UNKNOWN;
    if (libspectrum_identify_file_with_class(&type, &kind, fileName.c_str(), contents.data(),
                                             contents.size()) != LIBSPECTRUM_ERROR_NONE ||
        kind != LIBSPECTRUM_CLASS_TAPE)
        return std::nullopt;
    return tapeArchiveInfo(contents, fileName.c_str());
}

std::optional<ScreenMemory> screenFromGameFileInThisProcess(std::span<const std::uint8_t> contents,
                                                            const std::string& fileName) {
    if (contents.empty() || contents.size() > kLargestGameFile || !libraryReady())
        return std::nullopt;
    return readWithLibrary(contents, fileName);
}

#else

bool gameFileScreensSupported() {
    return false;
}

std::optional<ScreenMemory> screenFromGameFileInThisProcess(std::span<const std::uint8_t>,
                                                            const std::string&) {
    return std::nullopt;
}

std::optional<ArchiveInfo> archiveInfoFromGameFileInThisProcess(std::span<const std::uint8_t>,
                                                                const std::string&) {
    return std::nullopt;
}

#endif

std::int32_t yearInArchiveText(std::string_view text) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t i = 0; i < text.size();) {
        if (!digit(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && digit(text[end]))
            ++end;
        if (end - i == 4) {
            const std::int32_t year = (text[i] - '0') * 1000 + (text[i + 1] - '0') * 100 +
                                      (text[i + 2] - '0') * 10 + (text[i + 3] - '0');
            if (year >= 1970 && year <= 2099)
                return year;
        }
        i = end;
    }
    return 0;
}

namespace {

// What the child is asked for: a request is this kind's byte, the file
// name, a NUL, then the file's contents.
enum class RequestKind : char { Screen = 'S', ArchiveInfo = 'A' };

std::string readRequest(RequestKind kind, std::span<const std::uint8_t> contents,
                        const std::string& fileName) {
    std::string bytes(1, static_cast<char>(kind));
    bytes += fileName.substr(0, fileName.find('\0'));
    bytes.push_back('\0');
    bytes.append(reinterpret_cast<const char*>(contents.data()), contents.size());
    return bytes;
}

// Archive info travels as the year's digits, then title, publisher and
// authors, each ended by a NUL (texts hold none: the library cuts at it).
std::string encodeArchiveInfo(const ArchiveInfo& info) {
    std::string bytes = std::to_string(info.year);
    for (const std::string* text : {&info.title, &info.publisher, &info.authors}) {
        bytes.push_back('\0');
        bytes += text->substr(0, text->find('\0'));
    }
    bytes.push_back('\0');
    return bytes;
}

std::optional<ArchiveInfo> decodeArchiveInfo(std::string_view bytes) {
    std::string_view parts[4];
    for (std::string_view& part : parts) {
        const std::size_t end = bytes.find('\0');
        if (end == std::string_view::npos)
            return std::nullopt;
        part = bytes.substr(0, end);
        bytes.remove_prefix(end + 1);
    }
    // The child is not trusted: only one-line text the catalogue can keep.
    for (const std::string_view text : {parts[1], parts[2], parts[3]})
        if (!platform::isAnsiRepresentable(text) ||
            std::any_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
            return std::nullopt;
    ArchiveInfo info;
    info.year = yearInArchiveText(parts[0]);
    info.title = parts[1];
    info.publisher = parts[2];
    info.authors = parts[3];
    if (info.empty())
        return std::nullopt;
    return info;
}

// What the child runs for each request: the screen's bytes or the encoded
// archive info, or nothing.
std::string answerReadRequest(std::string_view request) {
    const std::size_t end = request.find('\0');
    if (request.empty() || end == std::string_view::npos)
        return {};
    const auto kind = static_cast<RequestKind>(request.front());
    const std::string fileName(request.substr(1, end - 1));
    const std::string_view bytes = request.substr(end + 1);
    const std::span contents(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    if (kind == RequestKind::ArchiveInfo) {
        const std::optional<ArchiveInfo> info =
            archiveInfoFromGameFileInThisProcess(contents, fileName);
        return info ? encodeArchiveInfo(*info) : std::string();
    }
    if (kind != RequestKind::Screen)
        return {};
    const std::optional<ScreenMemory> screen = screenFromGameFileInThisProcess(contents, fileName);
    return screen ? std::string(screen->begin(), screen->end()) : std::string();
}

// A file's whole contents when it can be a game file, else nothing.
std::optional<std::vector<std::uint8_t>> gameFileBytes(const std::string& path) {
    std::ifstream in(platform::nativePath(path), std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size <= 0 || static_cast<std::uint64_t>(size) > kLargestGameFile)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return bytes;
}

// Far beyond what any real file takes; a reader that runs longer is stuck.
constexpr std::chrono::milliseconds kReadTimeout{2000};

// Run in the child before it confines itself: the library's first use opens
// files and locks memory, which the confined child may no longer do. One
// read of a tape (a single three-byte block) takes the library through that.
void prepareLibrary() {
    static constexpr std::uint8_t kTinyTape[] = {0x03, 0x00, 0xFF, 0x00, 0xFF};
    (void)screenFromGameFileInThisProcess(kTinyTape, "setup.tap");
}

// Compressed files are unpacked by the program's own reader before the
// library sees them: the library's unpacking never returns on some damaged
// files (a one-byte ".bz2" held its reader until the time-out), where this
// one refuses them at once. A name that says compressed over contents that
// are not is refused too, as the library would try to unpack them.
template <typename Answer, typename Read>
std::optional<Answer> readUnpacked(std::span<const std::uint8_t> contents,
                                   const std::string& fileName, const Read& read) {
    if (compressionOf(contents) == Compression::None) {
        if (withoutCompressionExtensions(fileName).size() != fileName.size())
            return std::nullopt;
        return read(contents, fileName);
    }
    const auto unpacked = unpackGameFile(contents, fileName, kLargestGameFile);
    if (!unpacked || unpacked->bytes.empty())
        return std::nullopt;
    return read(std::span<const std::uint8_t>(unpacked->bytes), unpacked->name);
}

} // namespace

GameFileScreenReader::GameFileScreenReader()
    : worker_(std::make_unique<platform::IsolatedWorker>(answerReadRequest, kReadTimeout,
                                                         prepareLibrary)) {}

GameFileScreenReader::~GameFileScreenReader() = default;

int GameFileScreenReader::childrenStarted() const {
    return worker_->childrenStarted();
}

std::optional<ScreenMemory> GameFileScreenReader::screenOf(std::span<const std::uint8_t> contents,
                                                           const std::string& fileName) {
    if (!gameFileScreensSupported() || contents.empty() || contents.size() > kLargestGameFile)
        return std::nullopt;
    return readUnpacked<ScreenMemory>(contents, fileName,
                                      [&](std::span<const std::uint8_t> bytes,
                                          const std::string& name) -> std::optional<ScreenMemory> {
                                          const std::optional<std::string> answer = worker_->call(
                                              readRequest(RequestKind::Screen, bytes, name));
                                          if (!answer || answer->size() != kScreenBytes)
                                              return std::nullopt;
                                          ScreenMemory screen;
                                          std::copy(answer->begin(), answer->end(), screen.begin());
                                          return screen;
                                      });
}

std::optional<ScreenMemory> GameFileScreenReader::readFile(const std::string& path) {
    if (!gameFileScreensSupported())
        return std::nullopt;
    const auto bytes = gameFileBytes(path);
    return bytes ? screenOf(*bytes, path) : std::nullopt;
}

std::optional<ArchiveInfo>
GameFileScreenReader::archiveInfoOf(std::span<const std::uint8_t> contents,
                                    const std::string& fileName) {
    if (!gameFileScreensSupported() || contents.empty() || contents.size() > kLargestGameFile)
        return std::nullopt;
    return readUnpacked<ArchiveInfo>(contents, fileName,
                                     [&](std::span<const std::uint8_t> bytes,
                                         const std::string& name) -> std::optional<ArchiveInfo> {
                                         const std::optional<std::string> answer = worker_->call(
                                             readRequest(RequestKind::ArchiveInfo, bytes, name));
                                         return answer ? decodeArchiveInfo(*answer) : std::nullopt;
                                     });
}

std::optional<ArchiveInfo> GameFileScreenReader::readArchiveInfo(const std::string& path) {
    if (!gameFileScreensSupported())
        return std::nullopt;
    try {
        const auto bytes = gameFileBytes(path);
        return bytes ? archiveInfoOf(*bytes, path) : std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt; // out of memory, or no child to be had: no info
    }
}

} // namespace tolm::screens
