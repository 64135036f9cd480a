#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/files.h"

namespace tolm::platform {

// An INI file with private-profile semantics: section and key names match
// ignoring letter case, the first match wins, blanks around a value are
// trimmed and one pair of enclosing quotes is stripped. Values are held as
// UTF-8; the file is Windows-1252.
class ProfileFile {
public:
    static ProfileFile parse(std::string_view fileBytes);

    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;

    // Replaces the value of an existing key, or appends the key (and its
    // section) in the order of the calls.
    void set(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes: "[section]" lines followed by "key=value" lines, CR LF.
    std::string serialize() const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::unordered_map<std::string, std::size_t> index; // lower-case key -> first entry
    };
    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    Section& addSection(std::string name, std::string lowered);

    std::vector<Section> sections_;
    // Lower-case section name -> its place: settings look keys up by the
    // thousand, and a hand-made file may hold thousands of sections.
    std::unordered_map<std::string, std::size_t> sectionIndex_;
};

// A missing file reads as an empty profile; an unreadable one is an error.
IoResult readProfileFile(const std::string& path, ProfileFile& out);

} // namespace tolm::platform
