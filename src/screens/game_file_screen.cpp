#include "screens/game_file_screen.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <vector>

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

std::optional<ScreenMemory> tapeScreen(std::span<const std::uint8_t> contents,
                                       const char* fileName) {
    const std::unique_ptr<libspectrum_tape, TapeDeleter> tape(libspectrum_tape_alloc());
    if (libspectrum_tape_read(tape.get(), contents.data(), contents.size(), LIBSPECTRUM_ID_UNKNOWN,
                              fileName) != LIBSPECTRUM_ERROR_NONE)
        return std::nullopt;
    libspectrum_tape_iterator it = nullptr;
    for (libspectrum_tape_block* block = libspectrum_tape_iterator_init(&it, tape.get()); block;
         block = libspectrum_tape_iterator_next(&it)) {
        if (!carriesBytes(libspectrum_tape_block_type(block)))
            continue;
        const libspectrum_byte* data = libspectrum_tape_block_data(block);
        // Flag byte, the screen, checksum byte.
        if (data && libspectrum_tape_block_data_length(block) == kScreenBytes + 2)
            return copyScreen(data + 1);
    }
    return std::nullopt;
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

#endif

namespace {

// A request is the file name, a NUL, then the file's contents.
std::string readRequest(std::span<const std::uint8_t> contents, const std::string& fileName) {
    std::string bytes = fileName.substr(0, fileName.find('\0'));
    bytes.push_back('\0');
    bytes.append(reinterpret_cast<const char*>(contents.data()), contents.size());
    return bytes;
}

// What the child runs for each request: the screen's bytes, or nothing.
std::string answerReadRequest(std::string_view request) {
    const std::size_t end = request.find('\0');
    if (end == std::string_view::npos)
        return {};
    const std::string_view contents = request.substr(end + 1);
    const std::optional<ScreenMemory> screen = screenFromGameFileInThisProcess(
        std::span(reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size()),
        std::string(request.substr(0, end)));
    return screen ? std::string(screen->begin(), screen->end()) : std::string();
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
    const std::optional<std::string> answer = worker_->call(readRequest(contents, fileName));
    if (!answer || answer->size() != kScreenBytes)
        return std::nullopt;
    ScreenMemory screen;
    std::copy(answer->begin(), answer->end(), screen.begin());
    return screen;
}

std::optional<ScreenMemory> GameFileScreenReader::readFile(const std::string& path) {
    if (!gameFileScreensSupported())
        return std::nullopt;
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
    return screenOf(bytes, path);
}

} // namespace tolm::screens
