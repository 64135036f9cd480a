// Arbitrary bytes as SGD's settings file. The fields never hold more than
// the file; the GameDir entries hold no spaces and are never more than the
// fields; resolving any field against a made-up tree changes letter case only.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "core/text.h"
#include "fuzz_tree.h"
#include "import/sgd_ini.h"
#include "platform/codepage.h"

using namespace tolm;
using tolm::fuzz::fail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> fields = sgdIniFields(bytes);
    std::size_t total = 0;
    for (const std::string& field : fields)
        total += field.size();
    if (total > size)
        fail();

    const std::vector<std::string> entries = gameDirEntries(bytes);
    if (entries.size() > fields.size())
        fail();
    for (const std::string& entry : entries)
        if (entry.find(' ') != std::string::npos)
            fail();

    std::set<std::string> asked;
    platform::ListingLongPaths longPaths(fuzz::fuzzTreeLister(asked));
    for (const std::string& field : fields) {
        const std::string path = platform::ansiToUtf8(field);
        if (!equalsIgnoringCase(longPaths.longPathOf(path), path))
            fail();
    }
    const std::vector<std::string> dirs = gameDirsFromIni(bytes, longPaths);
    if (dirs.size() != entries.size())
        fail();
    for (std::size_t i = 0; i < dirs.size(); ++i)
        if (!equalsIgnoringCase(dirs[i], entries[i]))
            fail();
    return 0;
}
