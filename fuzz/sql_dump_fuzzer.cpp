// Arbitrary bytes as a database dump script. Nothing may crash or hang; the
// rows read must not depend on how the script was cut into pieces, and every
// row has one value per column asked for.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "import/sql_dump.h"

using namespace tolm;

namespace {

struct Read {
    std::vector<std::string> rows;
    bool ok = false;
};

Read readIn(std::string_view script, std::size_t piece) {
    static const std::vector<SqlTableRequest> wanted = {{"entries", {"id", "title"}},
                                                        {"labels", {"name"}}};
    Read out;
    SqlDumpReader reader(wanted, [&](std::size_t table, std::span<const SqlValue> values) {
        if (values.size() != wanted[table].columns.size())
            __builtin_trap();
        std::string row = std::to_string(table);
        for (const SqlValue& v : values)
            row += v.null ? std::string("|\\N") : "|" + v.text;
        out.rows.push_back(row);
    });
    bool ok = true;
    for (std::size_t at = 0; ok && at < script.size(); at += piece)
        ok = reader.feed(script.substr(at, piece));
    out.ok = ok && reader.finish();
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    const Read whole = readIn(script, size == 0 ? 1 : size);
    const Read bytes = readIn(script, 1);
    if (whole.ok != bytes.ok || whole.rows != bytes.rows)
        __builtin_trap();
    return 0;
}
