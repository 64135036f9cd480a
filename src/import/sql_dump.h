#pragma once

// Reads the rows of chosen tables out of a MySQL/MariaDB dump script, as the
// dump tools write it: CREATE TABLE statements name each table's columns,
// multi-row INSERT statements hold the rows. The script is fed in pieces of
// any size, so a script of hundreds of megabytes streams through without
// being held: a row of a table nobody asked for is scanned and forgotten,
// and a wanted row is handed on as soon as it is complete.
//
// Understood: back-quoted and bare names, single- and double-quoted strings
// with backslash escapes and doubled quotes, NULL, numbers, `--` and `#`
// line comments, `/* */` and `/*!...*/` comments (the latter are the dump
// tools' settings for the server, of no interest here), and every other
// statement (SET, LOCK TABLES, DROP TABLE, ...) skipped to its ";". Column
// order comes from the script itself, so columns and tables added later
// still read.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolm {

struct SqlValue {
    bool null = true;
    std::string text; // a string's bytes unescaped, a number as written
};

struct SqlTableRequest {
    std::string table;                // compared ignoring case
    std::vector<std::string> columns; // the columns wanted, in the order rows give them
};

class SqlDumpReader {
public:
    // Gets a wanted row: the index of its table among the requests, and one
    // value per requested column (null where the table lacks the column).
    using RowSink = std::function<void(std::size_t table, std::span<const SqlValue> values)>;

    SqlDumpReader(std::vector<SqlTableRequest> wanted, RowSink sink);
    ~SqlDumpReader();
    SqlDumpReader(const SqlDumpReader&) = delete;
    SqlDumpReader& operator=(const SqlDumpReader&) = delete;

    // Reads the next piece of the script. False once the script is found not
    // to be one (error() says why); later pieces are then ignored.
    bool feed(std::string_view bytes);
    // The script ended: false when it ended inside a statement, a string or
    // a comment (a file cut short).
    bool finish();

    const std::string& error() const;
    // Whether a CREATE TABLE for request `table` was seen, with every
    // requested column.
    bool tableDefined(std::size_t table) const;
    // Rows handed on so far, over all wanted tables.
    std::uint64_t rowsRead() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace tolm
