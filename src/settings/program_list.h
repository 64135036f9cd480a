#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings.h"

// The editing rules shared by the emulators and the music players lists.
namespace tolm {

// One row of a program list dialog: its text and the entry it stands for.
struct ProgramRow {
    std::string text;
    std::size_t entry = 0;

    bool operator==(const ProgramRow&) const = default;
};

struct ProgramRows {
    std::vector<ProgramRow> rows;
    std::optional<std::size_t> defaultRow; // the row marked " (default)"
};

// The rows for the entries that have both a name and a path, in entry order.
// A default that names no row is cleared to kNone, so afterwards it is
// either kNone or the entry of a row.
ProgramRows programRows(const std::vector<ProgramEntry>& list, std::int32_t& defaultIndex);

// The name proposed for a picked program: the file name with every ".exe"
// taken out, in exactly that letter case ("ZXEMU.EXE" stays as it is).
std::string proposedProgramName(const std::string& path);

// Appends `entry`; a list without a first program becomes that one entry.
// Returns the new entry's index.
std::size_t addProgram(std::vector<ProgramEntry>& list, ProgramEntry entry);

// Removes entry `k`, moving the default along with the program it names (a
// removed default becomes kNone); the only entry is blanked instead, which
// makes the list count as empty. Blank entries that would come to stand first
// go as well, since they would hide the programs behind them. False, changing nothing, when `k`
// names no entry.
bool removeProgram(std::vector<ProgramEntry>& list, std::int32_t& defaultIndex, std::size_t k);

} // namespace tolm
