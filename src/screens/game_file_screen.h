#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/isolated_worker.h"
#include "screens/archive_info.h"
#include "screens/screen_memory.h"

namespace tolm::screens {

// Game files larger than this are not read for their screen: no snapshot or
// tape of the machine comes near it, and it keeps a stray file cheap.
inline constexpr std::size_t kLargestGameFile = 16 * 1024 * 1024;

// False in builds made without the Spectrum file library; every game file
// then gives no screen.
bool gameFileScreensSupported();

// Reads the screens held in game files: a snapshot's displayed screen memory
// (page 5, or page 7 when a 128K machine shows its second screen), or a
// tape's loading screen. The file kind is recognised from the contents, with
// the file name (only its extension matters) as a hint; compressed files are
// unpacked. A tape's loading screen is its first data block carrying exactly
// kScreenBytes of payload: a standard, turbo, pure-data or PZX data block of
// kScreenBytes + 2 bytes, whose first byte is the flag byte and whose last is
// the checksum. Neither is checked, as custom loaders use flags and checksums
// of their own. Damaged or unknown files give nothing.
//
// A tape's archive info is its first archive-info block: texts 0x00 (title),
// 0x01 (publisher), 0x02 (authors) and 0x03 (year), Windows-1252 in the file,
// UTF-8 here, blanks trimmed; the year is the first four-digit number from
// 1970 to 2099 in the year text, else 0. Later archive-info blocks are left
// alone: the first one describes the tape, later ones the parts of a
// compilation.
//
// The library reads in a child process of the reader's own, made at its first
// read and kept for the next ones, so its faults on damaged files (it has
// some) cost only that file's screen and a new child. On Linux the child
// sets the library up, then confines itself to its socket and its memory.
class GameFileScreenReader {
public:
    GameFileScreenReader();
    ~GameFileScreenReader();
    GameFileScreenReader(const GameFileScreenReader&) = delete;
    GameFileScreenReader& operator=(const GameFileScreenReader&) = delete;

    // The screen in a game file's `contents`.
    std::optional<ScreenMemory> screenOf(std::span<const std::uint8_t> contents,
                                         const std::string& fileName);

    // The same for the file at `path` (UTF-8); unreadable files give nothing.
    std::optional<ScreenMemory> readFile(const std::string& path);

    // The archive info of a tape in `contents`; nothing for other files,
    // damaged ones, and tapes whose info is absent or says nothing.
    std::optional<ArchiveInfo> archiveInfoOf(std::span<const std::uint8_t> contents,
                                             const std::string& fileName);

    // The same for the file at `path` (UTF-8); unreadable files give nothing.
    std::optional<ArchiveInfo> readArchiveInfo(const std::string& path);

    // How many child processes the reader has made so far.
    int childrenStarted() const;

private:
    std::unique_ptr<platform::IsolatedWorker> worker_;
};

// What the child process runs: the library read in this process, for
// measuring the read apart from the process around it. Trusts the library.
std::optional<ScreenMemory> screenFromGameFileInThisProcess(std::span<const std::uint8_t> contents,
                                                            const std::string& fileName);

// The archive info read in this process, as the child reads it.
std::optional<ArchiveInfo>
archiveInfoFromGameFileInThisProcess(std::span<const std::uint8_t> contents,
                                     const std::string& fileName);

// The year an archive-info year text states: its first run of exactly four
// digits from 1970 to 2099, else 0 ("1984/85" is 1984, "198x" is 0).
std::int32_t yearInArchiveText(std::string_view text);

} // namespace tolm::screens
