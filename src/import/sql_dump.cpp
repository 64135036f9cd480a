#include "import/sql_dump.h"

#include <algorithm>

#include "core/text.h"

namespace tolm {
namespace {

// A wanted value longer than this is no text of a catalogue's: the script
// is refused rather than held.
constexpr std::size_t kLongestValue = 1 << 20;

enum class TokenKind { Word, Name, String, Punct };

bool isWordByte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || c == '.' || c >= 0x80;
}

bool isBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool sameWord(std::string_view a, std::string_view b) {
    return compareIgnoringCase(a, b) == 0;
}

char unescaped(char c) {
    switch (c) {
    case '0':
        return '\0';
    case 'b':
        return '\b';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'Z':
        return '\x1A';
    default:
        return c;
    }
}

} // namespace

struct SqlDumpReader::State {
    // --- what was asked for
    std::vector<SqlTableRequest> wanted;
    RowSink sink;
    std::vector<std::vector<int>> columnMaps; // per wanted table: table column -> request index
    std::vector<bool> defined;

    // --- the tokenizer
    enum class Lex {
        Normal,
        Word,
        Name,         // inside `...`
        String,       // inside '...' or "..."
        StringEscape, // after a backslash
        StringQuote,  // after the closing quote: a doubled one, or the end
        NameQuote,    // after a closing back-quote
        Dash,         // one '-' seen
        DashDash,     // "--" seen: a comment if a blank follows
        Slash,        // '/' seen
        LineComment,
        BlockComment,
        BlockStar, // '*' inside a block comment
    };
    Lex lex = Lex::Normal;
    char quote = 0;
    std::string token;
    bool keepText = true; // false while scanning rows nobody wants

    // --- the statement parser
    enum class Stmt {
        Start,
        Skip,
        CreateWhat,
        CreateName,
        CreateColumns,
        InsertInto,
        InsertName,
        InsertColumns,
        InsertValuesWord,
        TupleOrEnd,
        TupleValue,
        AfterTuple,
    };
    Stmt stmt = Stmt::Start;
    std::string table;
    std::vector<std::string> columns; // of the statement's table
    int depth = 0;
    bool itemStart = false;
    int wantedIndex = -1;       // the statement's table among the requests
    std::vector<int> insertMap; // value position -> request index, for this INSERT
    std::size_t valuePosition = 0;
    bool negative = false; // a '-' before a number
    std::vector<SqlValue> row;
    std::uint64_t rows = 0;
    std::string error;

    // ---------------------------------------------------------------------
    bool fail(std::string message) {
        if (error.empty())
            error = std::move(message);
        return false;
    }

    int requestOf(std::string_view name) const {
        for (std::size_t i = 0; i < wanted.size(); ++i)
            if (sameWord(wanted[i].table, name))
                return static_cast<int>(i);
        return -1;
    }

    std::vector<int> mapColumns(int request, const std::vector<std::string>& names) const {
        std::vector<int> map(names.size(), -1);
        const auto& asked = wanted[static_cast<std::size_t>(request)].columns;
        for (std::size_t c = 0; c < names.size(); ++c)
            for (std::size_t a = 0; a < asked.size(); ++a)
                if (sameWord(names[c], asked[a]))
                    map[c] = static_cast<int>(a);
        return map;
    }

    // ---------------------------------------------------------------------
    // The statement parser, a token at a time.

    bool onToken(TokenKind kind, std::string_view text) {
        const bool punct = kind == TokenKind::Punct;
        const char p = punct ? text[0] : '\0';
        const bool name = kind == TokenKind::Name || kind == TokenKind::Word;
        if (punct && p == ';')
            return endStatement();
        switch (stmt) {
        case Stmt::Start:
            if (kind == TokenKind::Word && sameWord(text, "CREATE"))
                stmt = Stmt::CreateWhat;
            else if (kind == TokenKind::Word &&
                     (sameWord(text, "INSERT") || sameWord(text, "REPLACE")))
                stmt = Stmt::InsertInto;
            else
                stmt = Stmt::Skip;
            return true;
        case Stmt::Skip:
            return true;
        case Stmt::CreateWhat:
            if (kind == TokenKind::Word && sameWord(text, "TABLE"))
                stmt = Stmt::CreateName;
            else if (!(kind == TokenKind::Word &&
                       (sameWord(text, "TEMPORARY") || sameWord(text, "OR") ||
                        sameWord(text, "REPLACE"))))
                stmt = Stmt::Skip; // a view, a database, ...
            return true;
        case Stmt::CreateName:
            if (kind == TokenKind::Word &&
                (sameWord(text, "IF") || sameWord(text, "NOT") || sameWord(text, "EXISTS")))
                return true;
            if (name) {
                table.assign(text);
                return true;
            }
            if (punct && p == '.')
                return true; // database.table: the table's name follows
            if (punct && p == '(' && !table.empty()) {
                stmt = Stmt::CreateColumns;
                depth = 1;
                itemStart = true;
                columns.clear();
                return true;
            }
            stmt = Stmt::Skip;
            return true;
        case Stmt::CreateColumns:
            return onColumnDefinition(kind, text);
        case Stmt::InsertInto:
            if (kind == TokenKind::Word &&
                (sameWord(text, "INTO") || sameWord(text, "IGNORE") ||
                 sameWord(text, "LOW_PRIORITY") || sameWord(text, "DELAYED") ||
                 sameWord(text, "HIGH_PRIORITY")))
                return true;
            if (name) {
                table.assign(text);
                stmt = Stmt::InsertName;
                return true;
            }
            return fail("An INSERT statement names no table.");
        case Stmt::InsertName:
            return onInsertName(kind, text);
        case Stmt::InsertColumns:
            if (name) {
                columns.emplace_back(text);
                return true;
            }
            if (punct && p == ',')
                return true;
            if (punct && p == ')') {
                if (wantedIndex >= 0)
                    insertMap = mapColumns(wantedIndex, columns);
                stmt = Stmt::InsertValuesWord;
                return true;
            }
            return fail("The column list of an INSERT into " + table + " is not valid.");
        case Stmt::InsertValuesWord:
            if (kind == TokenKind::Word && (sameWord(text, "VALUES") || sameWord(text, "VALUE"))) {
                stmt = Stmt::TupleOrEnd;
                return true;
            }
            stmt = Stmt::Skip; // INSERT ... SELECT, INSERT ... SET
            return true;
        case Stmt::TupleOrEnd:
            if (punct && p == '(') {
                beginTuple();
                return true;
            }
            return fail("A row of table " + table + " does not begin with \"(\".");
        case Stmt::TupleValue:
            return onTupleToken(kind, text);
        case Stmt::AfterTuple:
            if (punct && p == ',') {
                stmt = Stmt::TupleOrEnd;
                return true;
            }
            if (kind == TokenKind::Word && sameWord(text, "ON")) {
                stmt = Stmt::Skip; // ON DUPLICATE KEY UPDATE ...
                return true;
            }
            return fail("Rows of table " + table + " are not separated by \",\".");
        }
        return true;
    }

    bool endStatement() {
        switch (stmt) {
        case Stmt::Start:
        case Stmt::Skip:
        case Stmt::AfterTuple:
        case Stmt::CreateWhat:
        case Stmt::CreateName:
        case Stmt::InsertValuesWord:
            break;
        case Stmt::CreateColumns:
            return fail("The definition of table " + table + " ends too soon.");
        default:
            return fail("An INSERT into " + table + " ends too soon.");
        }
        stmt = Stmt::Start;
        table.clear();
        wantedIndex = -1;
        keepText = true;
        return true;
    }

    bool onColumnDefinition(TokenKind kind, std::string_view text) {
        if (kind == TokenKind::Punct) {
            const char p = text[0];
            if (p == '(')
                ++depth;
            else if (p == ')')
                --depth;
            else if (p == ',' && depth == 1)
                itemStart = true;
            if (depth == 0)
                defineTable();
            return true;
        }
        if (depth == 1 && itemStart) {
            itemStart = false;
            static constexpr std::string_view kNotColumns[] = {
                "PRIMARY", "KEY",      "UNIQUE",  "INDEX", "CONSTRAINT",
                "FOREIGN", "FULLTEXT", "SPATIAL", "CHECK", "PERIOD"};
            const bool keyword = kind == TokenKind::Word &&
                                 std::any_of(std::begin(kNotColumns), std::end(kNotColumns),
                                             [&](std::string_view k) { return sameWord(text, k); });
            if (!keyword)
                columns.emplace_back(text);
        }
        return true;
    }

    void defineTable() {
        stmt = Stmt::Skip; // the table's options follow
        const int request = requestOf(table);
        if (request < 0)
            return;
        const auto r = static_cast<std::size_t>(request);
        columnMaps[r] = mapColumns(request, columns);
        const std::size_t found = static_cast<std::size_t>(std::count_if(
            columnMaps[r].begin(), columnMaps[r].end(), [](int m) { return m >= 0; }));
        defined[r] = found == wanted[r].columns.size();
    }

    bool onInsertName(TokenKind kind, std::string_view text) {
        if (kind == TokenKind::Punct && text[0] == '.')
            return true;
        if (kind == TokenKind::Name ||
            (kind == TokenKind::Word && !sameWord(text, "VALUES") && !sameWord(text, "VALUE") &&
             !sameWord(text, "SELECT") && !sameWord(text, "SET"))) {
            table.assign(text); // after "database."
            return true;
        }
        wantedIndex = requestOf(table);
        keepText = wantedIndex >= 0;
        if (wantedIndex >= 0) {
            if (columnMaps[static_cast<std::size_t>(wantedIndex)].empty())
                insertMap.clear();
            else
                insertMap = columnMaps[static_cast<std::size_t>(wantedIndex)];
        }
        if (kind == TokenKind::Punct && text[0] == '(') {
            columns.clear();
            stmt = Stmt::InsertColumns;
            return true;
        }
        if (wantedIndex >= 0 && insertMap.empty())
            return fail("Rows of table " + table + " come before its definition.");
        stmt = Stmt::InsertValuesWord;
        return onToken(kind, text);
    }

    void beginTuple() {
        stmt = Stmt::TupleValue;
        depth = 1;
        valuePosition = 0;
        negative = false;
        if (wantedIndex >= 0)
            row.assign(wanted[static_cast<std::size_t>(wantedIndex)].columns.size(), SqlValue{});
    }

    bool onTupleToken(TokenKind kind, std::string_view text) {
        if (kind == TokenKind::Punct) {
            const char p = text[0];
            if (p == '(') {
                ++depth; // a function call's arguments: not a value of ours
            } else if (p == ')') {
                if (--depth == 0)
                    return endTuple();
            } else if (p == ',' && depth == 1) {
                ++valuePosition;
                negative = false;
            } else if (p == '-' && depth == 1) {
                negative = !negative;
            }
            return true;
        }
        if (depth != 1 || wantedIndex < 0)
            return true;
        if (valuePosition >= insertMap.size())
            return fail("A row of table " + table + " has more values than the table has columns.");
        const int target = insertMap[valuePosition];
        if (target < 0)
            return true;
        SqlValue& value = row[static_cast<std::size_t>(target)];
        if (kind == TokenKind::Word && sameWord(text, "NULL")) {
            value = SqlValue{};
        } else if (kind == TokenKind::Word && !text.empty() && text[0] == '_') {
            // A character set introducer (_binary, _utf8mb4): the string follows.
        } else {
            value.null = false;
            value.text.assign(kind == TokenKind::Word && negative ? "-" : "");
            value.text.append(text);
        }
        negative = false;
        return true;
    }

    bool endTuple() {
        stmt = Stmt::AfterTuple;
        if (wantedIndex < 0)
            return true;
        if (valuePosition + 1 != insertMap.size())
            return fail("A row of table " + table +
                        " has fewer values than the table has columns.");
        ++rows;
        sink(static_cast<std::size_t>(wantedIndex), row);
        return true;
    }

    // ---------------------------------------------------------------------
    // The tokenizer, a byte at a time.

    bool emit(TokenKind kind) {
        const bool ok = onToken(kind, token);
        token.clear();
        return ok;
    }
    bool punct(char c) {
        const char text[1] = {c};
        return onToken(TokenKind::Punct, std::string_view(text, 1));
    }
    bool keep(char c) {
        if (!keepText && (lex == Lex::String || lex == Lex::StringEscape))
            return true;
        if (token.size() >= kLongestValue)
            return fail("The script holds a value too long to be a catalogue's text.");
        token.push_back(c);
        return true;
    }

    bool feed(std::string_view bytes) {
        for (const char ch : bytes) {
            if (!error.empty())
                return false;
            if (!step(ch))
                return false;
        }
        return error.empty();
    }

    bool step(char ch) {
        const auto c = static_cast<unsigned char>(ch);
        switch (lex) {
        case Lex::Word:
            if (isWordByte(c))
                return keep(ch);
            lex = Lex::Normal;
            if (!emit(TokenKind::Word))
                return false;
            return step(ch);
        case Lex::Name:
            if (ch == '`') {
                lex = Lex::NameQuote;
                return true;
            }
            return keep(ch);
        case Lex::NameQuote:
            if (ch == '`') { // a doubled back-quote stands for one
                lex = Lex::Name;
                return keep(ch);
            }
            lex = Lex::Normal;
            if (!emit(TokenKind::Name))
                return false;
            return step(ch);
        case Lex::String:
            if (ch == '\\') {
                lex = Lex::StringEscape;
                return true;
            }
            if (ch == quote) {
                lex = Lex::StringQuote;
                return true;
            }
            return keep(ch);
        case Lex::StringEscape:
            lex = Lex::String;
            if (ch == '%' || ch == '_') // kept escaped, as the server does
                return keep('\\') && keep(ch);
            return keep(unescaped(ch));
        case Lex::StringQuote:
            if (ch == quote) {
                lex = Lex::String;
                return keep(ch);
            }
            lex = Lex::Normal;
            if (!emit(TokenKind::String))
                return false;
            return step(ch);
        case Lex::Dash:
            if (ch == '-') {
                lex = Lex::DashDash;
                return true;
            }
            lex = Lex::Normal;
            return punct('-') && step(ch);
        case Lex::DashDash:
            if (isBlank(c)) {
                lex = ch == '\n' ? Lex::Normal : Lex::LineComment;
                return true;
            }
            lex = Lex::Normal;
            return punct('-') && punct('-') && step(ch);
        case Lex::Slash:
            if (ch == '*') {
                lex = Lex::BlockComment;
                return true;
            }
            lex = Lex::Normal;
            return punct('/') && step(ch);
        case Lex::LineComment:
            if (ch == '\n')
                lex = Lex::Normal;
            return true;
        case Lex::BlockComment:
            if (ch == '*')
                lex = Lex::BlockStar;
            return true;
        case Lex::BlockStar:
            lex = ch == '/' ? Lex::Normal : ch == '*' ? Lex::BlockStar : Lex::BlockComment;
            return true;
        case Lex::Normal:
            break;
        }
        if (isBlank(c))
            return true;
        if (c == '\0')
            return fail("The file is not a database script: it holds binary data.");
        if (isWordByte(c)) {
            lex = Lex::Word;
            return keep(ch);
        }
        switch (ch) {
        case '`':
            lex = Lex::Name;
            return true;
        case '\'':
        case '"':
            lex = Lex::String;
            quote = ch;
            return true;
        case '-':
            lex = Lex::Dash;
            return true;
        case '/':
            lex = Lex::Slash;
            return true;
        case '#':
            lex = Lex::LineComment;
            return true;
        default:
            return punct(ch);
        }
    }

    bool finish() {
        if (!error.empty())
            return false;
        switch (lex) {
        case Lex::Word:
            lex = Lex::Normal;
            if (!emit(TokenKind::Word))
                return false;
            break;
        case Lex::NameQuote:
        case Lex::StringQuote:
            // The last token ended with the file; an unfinished statement is
            // caught below.
            lex = Lex::Normal;
            break;
        case Lex::Dash:
        case Lex::DashDash:
        case Lex::Slash:
        case Lex::LineComment:
        case Lex::Normal:
            lex = Lex::Normal;
            break;
        default:
            return fail("The script ends too soon, inside a string, name or comment.");
        }
        if (stmt != Stmt::Start && stmt != Stmt::Skip)
            return fail("The script ends too soon, inside a statement.");
        if (stmt == Stmt::Skip)
            stmt = Stmt::Start; // a last statement without ";" that is of no interest
        return true;
    }
};

SqlDumpReader::SqlDumpReader(std::vector<SqlTableRequest> wanted, RowSink sink)
    : state_(std::make_unique<State>()) {
    state_->columnMaps.resize(wanted.size());
    state_->defined.assign(wanted.size(), false);
    state_->wanted = std::move(wanted);
    state_->sink = std::move(sink);
}

SqlDumpReader::~SqlDumpReader() = default;

bool SqlDumpReader::feed(std::string_view bytes) {
    return state_->feed(bytes);
}

bool SqlDumpReader::finish() {
    return state_->finish();
}

const std::string& SqlDumpReader::error() const {
    return state_->error;
}

bool SqlDumpReader::tableDefined(std::size_t table) const {
    return table < state_->defined.size() && state_->defined[table];
}

std::uint64_t SqlDumpReader::rowsRead() const {
    return state_->rows;
}

} // namespace tolm
