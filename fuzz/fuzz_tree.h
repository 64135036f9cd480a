#pragma once

// A small made-up directory tree for the import fuzzers: the long-path
// resolver lists it instead of the disk, so no path a fuzzer makes up ever
// reaches the file system. Asking for one directory twice is a failure: the
// resolver promises to list each once.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/longpath.h"

namespace tolm::fuzz {

[[noreturn]] inline void fail() {
    __builtin_trap();
}

inline platform::DirectoryLister fuzzTreeLister(std::set<std::string>& asked) {
    return [&asked](const std::string& directory) -> std::optional<std::vector<std::string>> {
        static const std::map<std::string, std::vector<std::string>> tree = {
            {"/", {"sgd", "Games", "games", "tmp"}},
            {"/sgd", {"Games", "MORE", "sgd.ini"}},
            {"/sgd/Games", {"jsw.tap", "JSW.TAP", "Manic.tap", "x.z80", "X.Z80", "y.sna"}},
            {"/sgd/MORE", {"a.tap", "B.TAP", "cafe.tap"}},
            {"/Games", {"one.tap"}},
            {".", {"Here.tap", "sgd"}},
            {"sgd", {"Games"}},
            {"sgd/Games", {"jsw.tap"}}};
        if (!asked.insert(directory).second)
            fail();
        const auto at = tree.find(directory);
        if (at == tree.end())
            return std::nullopt;
        return at->second;
    };
}

} // namespace tolm::fuzz
