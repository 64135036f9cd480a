#include "platform/process.h"

namespace tolm::platform {
namespace {

// The C runtime's rules: blanks and tabs separate arguments unless quoted;
// 2n backslashes before a quote give n backslashes and the quote delimits,
// 2n+1 give n backslashes and a literal quote; other backslashes are literal.
void appendArgument(std::string& line, const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) {
        line += argument;
        return;
    }
    line += '"';
    for (std::size_t i = 0;; ++i) {
        std::size_t backslashes = 0;
        while (i < argument.size() && argument[i] == '\\') {
            ++backslashes;
            ++i;
        }
        if (i == argument.size()) {
            line.append(backslashes * 2, '\\'); // the closing quote must stay a quote
            break;
        }
        if (argument[i] == '"')
            line.append(backslashes * 2 + 1, '\\');
        else
            line.append(backslashes, '\\');
        line += argument[i];
    }
    line += '"';
}

} // namespace

std::string windowsCommandLine(const std::string& program,
                               const std::vector<std::string>& arguments) {
    // The program's own name is read up to the next quote, without escapes;
    // a path cannot hold a quote, so quoting it whole is always right.
    std::string line = "\"" + program + "\"";
    for (const std::string& argument : arguments) {
        line += ' ';
        appendArgument(line, argument);
    }
    return line;
}

} // namespace tolm::platform
