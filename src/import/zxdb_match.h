#pragma once

// Finding a catalogue game among ZXDB's programs, and ZXDB's genres in Tolm's.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "import/zxdb_index.h"

namespace tolm::zxdb {

struct Candidate {
    std::size_t entry = 0; // position in Index::entries
    bool byFile = false;   // one of its known files has the game's file name
    bool byTitle = false;  // its title or an alias folds as the game's name does
    bool agrees = false;   // its year and publisher agree with the game's, where it has them
    bool operator==(const Candidate&) const = default;
};

enum class MatchKind { None, Unique, Ambiguous };

struct Match {
    MatchKind kind = MatchKind::None;
    std::vector<Candidate> candidates; // best first; for Unique the first is the match
};

// The index's titles, aliases and file names made ready for look-ups. Holds
// `index` by reference: it must outlive the matcher.
class Matcher {
public:
    explicit Matcher(const Index& index);

    // Candidates by the game's name (folded as the duplicates finder folds
    // titles) and by its ROM file's name (ignoring case, folders and the
    // compression extension). Those whose year and publisher agree with the
    // game's rank first; a unique best is a match, several equal best an
    // ambiguity.
    Match match(std::string_view name, std::int32_t year, std::string_view publisher,
                std::string_view romFile) const;

    const Index& index() const { return index_; }

private:
    // Keys (folded titles, file names) and the entries that have them, held
    // flat: a catalogue is matched in one pass of tens of thousands of look-ups.
    class KeyIndex {
    public:
        void add(std::string_view key, std::uint32_t entry);             // empty keys are not kept
        void finish();                                                   // before the first find
        std::span<const std::uint32_t> find(std::string_view key) const; // ascending

    private:
        struct Run {
            std::uint64_t hash = 0;
            std::uint32_t key = 0, keySize = 0; // in keys_
            std::uint32_t first = 0, count = 0; // in entries_
        };
        std::string keys_;
        std::vector<Run> runs_;              // one per key while adding, then per distinct key
        std::vector<std::uint32_t> entries_; // by run
        std::vector<std::uint32_t> slots_;   // run + 1 by hash, open addressing; 0 is free
    };

    const Index& index_;
    KeyIndex byTitle_;
    KeyIndex byFile_;
};

// Tolm's genre for ZXDB's genre text: the nearest of the 130, its group's
// "[uncategorized]" entry for a text the table does not know, demos and
// programming tools their own; nothing for entries that are not games.
std::optional<std::int32_t> genreFromZxdb(std::string_view genreText);

} // namespace tolm::zxdb
