#include "platform/profile.h"

#include "core/text.h"
#include "platform/codepage.h"

namespace tolm::platform {
namespace {

std::string_view stripQuotes(std::string_view s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

// A value must stay on its line, or it would turn into keys of its own.
std::string oneLine(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

// `name` in lower case, in a buffer kept for the thread: settings look up
// keys by the thousand, and each would otherwise cost an allocation.
const std::string& loweredInto(std::string& scratch, std::string_view name) {
    scratch.assign(name);
    for (char& c : scratch)
        c = lowerAscii(c);
    return scratch;
}

} // namespace

ProfileFile ProfileFile::parse(std::string_view bytes) {
    ProfileFile profile;
    Section* current = nullptr;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view line = trimBlanks(bytes.substr(pos, end - pos));
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r')
            ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n')
            ++pos;

        if (line.empty())
            continue;
        if (line.front() == '[') {
            std::string_view name = line.substr(1);
            const auto close = name.find(']');
            if (close != std::string_view::npos)
                name = name.substr(0, close);
            std::string utf8 = ansiToUtf8(trimBlanks(name));
            std::string lowered = lowerAscii(utf8);
            const auto known = profile.sectionIndex_.find(lowered);
            current = known != profile.sectionIndex_.end()
                          ? &profile.sections_[known->second]
                          : &profile.addSection(std::move(utf8), std::move(lowered));
            continue;
        }
        const auto eq = line.find('=');
        if (!current || eq == std::string_view::npos)
            continue; // not a key line: ignored, as the system's reader does
        Entry entry{ansiToUtf8(trimBlanks(line.substr(0, eq))),
                    ansiToUtf8(stripQuotes(trimBlanks(line.substr(eq + 1))))};
        current->index.emplace(lowerAscii(entry.key), current->entries.size());
        current->entries.push_back(std::move(entry));
    }
    return profile;
}

ProfileFile::Section* ProfileFile::findSection(std::string_view name) {
    return const_cast<Section*>(static_cast<const ProfileFile*>(this)->findSection(name));
}

const ProfileFile::Section* ProfileFile::findSection(std::string_view name) const {
    thread_local std::string scratch;
    const auto it = sectionIndex_.find(loweredInto(scratch, name));
    return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

ProfileFile::Section& ProfileFile::addSection(std::string name, std::string lowered) {
    sectionIndex_.emplace(std::move(lowered), sections_.size());
    sections_.push_back(Section{std::move(name), {}, {}});
    return sections_.back();
}

std::optional<std::string> ProfileFile::find(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    thread_local std::string scratch;
    const auto it = s->index.find(loweredInto(scratch, key));
    if (it == s->index.end())
        return std::nullopt;
    return s->entries[it->second].value;
}

std::string ProfileFile::getString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
    if (auto v = find(section, key))
        return *v;
    return std::string(defaultValue);
}

void ProfileFile::set(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = findSection(section);
    if (!s)
        s = &addSection(std::string(section), lowerAscii(section));
    const std::string lowered = lowerAscii(key);
    const auto it = s->index.find(lowered);
    if (it != s->index.end()) {
        s->entries[it->second].value = std::string(value);
        return;
    }
    s->index.emplace(lowered, s->entries.size());
    s->entries.push_back(Entry{std::string(key), std::string(value)});
}

std::string ProfileFile::serialize() const {
    std::string out;
    for (const Section& s : sections_) {
        out += '[';
        appendUtf8AsAnsi(out, oneLine(s.name));
        out += "]\r\n";
        for (const Entry& e : s.entries) {
            appendUtf8AsAnsi(out, oneLine(e.key));
            out += '=';
            appendUtf8AsAnsi(out, oneLine(e.value));
            out += "\r\n";
        }
    }
    return out;
}

IoResult readProfileFile(const std::string& path, ProfileFile& out) {
    std::error_code ec;
    if (!std::filesystem::exists(nativePath(path), ec)) {
        out = ProfileFile{};
        return IoResult::success();
    }
    std::string bytes;
    IoResult r = readFile(path, bytes);
    if (!r)
        return r;
    out = ProfileFile::parse(bytes);
    return IoResult::success();
}

} // namespace tolm::platform
