#include "platform/profile.h"

#include "platform/codepage.h"

namespace tolm::platform {
namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::string_view StripQuotes(std::string_view s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

// A value must stay on its line, or it would turn into keys of its own.
std::string OneLine(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

} // namespace

ProfileFile ProfileFile::Parse(std::string_view bytes) {
    ProfileFile profile;
    Section* current = nullptr;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view line = Trim(bytes.substr(pos, end - pos));
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
            const std::string utf8 = AnsiToUtf8(Trim(name));
            current = profile.FindSection(utf8);
            if (!current) {
                profile.sections_.push_back(Section{utf8, {}, {}});
                current = &profile.sections_.back();
            }
            continue;
        }
        const auto eq = line.find('=');
        if (!current || eq == std::string_view::npos)
            continue; // not a key line: ignored, as the system's reader does
        Entry entry{AnsiToUtf8(Trim(line.substr(0, eq))),
                    AnsiToUtf8(StripQuotes(Trim(line.substr(eq + 1))))};
        current->index.emplace(Lower(entry.key), current->entries.size());
        current->entries.push_back(std::move(entry));
    }
    return profile;
}

ProfileFile::Section* ProfileFile::FindSection(std::string_view name) {
    return const_cast<Section*>(static_cast<const ProfileFile*>(this)->FindSection(name));
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view name) const {
    const std::string wanted = Lower(name);
    for (const Section& s : sections_)
        if (Lower(s.name) == wanted)
            return &s;
    return nullptr;
}

std::optional<std::string> ProfileFile::Find(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s)
        return std::nullopt;
    const auto it = s->index.find(Lower(key));
    if (it == s->index.end())
        return std::nullopt;
    return s->entries[it->second].value;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
    if (auto v = Find(section, key))
        return *v;
    return std::string(defaultValue);
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = FindSection(section);
    if (!s) {
        sections_.push_back(Section{std::string(section), {}, {}});
        s = &sections_.back();
    }
    const std::string lowered = Lower(key);
    const auto it = s->index.find(lowered);
    if (it != s->index.end()) {
        s->entries[it->second].value = std::string(value);
        return;
    }
    s->index.emplace(lowered, s->entries.size());
    s->entries.push_back(Entry{std::string(key), std::string(value)});
}

std::string ProfileFile::Serialize() const {
    std::string out;
    for (const Section& s : sections_) {
        out += '[';
        AppendUtf8AsAnsi(out, OneLine(s.name));
        out += "]\r\n";
        for (const Entry& e : s.entries) {
            AppendUtf8AsAnsi(out, OneLine(e.key));
            out += '=';
            AppendUtf8AsAnsi(out, OneLine(e.value));
            out += "\r\n";
        }
    }
    return out;
}

IoResult ReadProfileFile(const std::string& path, ProfileFile& out) {
    std::error_code ec;
    if (!std::filesystem::exists(NativePath(path), ec)) {
        out = ProfileFile{};
        return IoResult::Success();
    }
    std::string bytes;
    IoResult r = ReadFile(path, bytes);
    if (!r)
        return r;
    out = ProfileFile::Parse(bytes);
    return IoResult::Success();
}

IoResult WriteProfileFile(const std::string& path, const ProfileFile& profile) {
    return ReplaceFile(path, profile.Serialize());
}

} // namespace tolm::platform
