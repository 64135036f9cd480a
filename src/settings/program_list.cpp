#include "settings/program_list.h"

#include "platform/files.h"

namespace tolm {

ProgramRows programRows(const std::vector<ProgramEntry>& list, std::int32_t& defaultIndex) {
    ProgramRows out;
    if (hasFirstProgram(list)) {
        out.rows.reserve(list.size());
        for (std::size_t i = 0; i < list.size(); ++i) {
            const ProgramEntry& entry = list[i];
            if (entry.name.empty() || entry.path.empty())
                continue;
            const bool isDefault = defaultIndex >= 0 && static_cast<std::size_t>(defaultIndex) == i;
            if (isDefault)
                out.defaultRow = out.rows.size();
            out.rows.push_back({isDefault ? entry.name + " (default)" : entry.name, i});
        }
    }
    if (!out.defaultRow)
        defaultIndex = kNone;
    return out;
}

std::string proposedProgramName(const std::string& path) {
    const std::size_t separator = path.find_last_of(platform::kPathSeparator);
    std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    static constexpr std::string_view kSuffix = ".exe";
    for (std::size_t at = name.find(kSuffix); at != std::string::npos; at = name.find(kSuffix, at))
        name.erase(at, kSuffix.size());
    return name;
}

std::size_t addProgram(std::vector<ProgramEntry>& list, ProgramEntry entry) {
    if (!hasFirstProgram(list))
        list.clear();
    list.push_back(std::move(entry));
    return list.size() - 1;
}

bool removeProgram(std::vector<ProgramEntry>& list, std::int32_t& defaultIndex, std::size_t k) {
    if (k >= list.size())
        return false;
    if (list.size() == 1) {
        list[0] = ProgramEntry{};
        defaultIndex = kNone;
        return true;
    }
    const auto removed = static_cast<std::int32_t>(k);
    if (defaultIndex == removed)
        defaultIndex = kNone;
    else if (defaultIndex > removed)
        --defaultIndex;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(k));
    // A blank entry that comes to stand first would hide every program after
    // it (and the next save would drop them): it goes too.
    while (list.size() > 1 && list.front().path.empty()) {
        list.erase(list.begin());
        if (defaultIndex == 0)
            defaultIndex = kNone;
        else if (defaultIndex > 0)
            --defaultIndex;
    }
    return true;
}

} // namespace tolm
