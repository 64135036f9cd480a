#include "core/title_folding.h"

#include <array>
#include <vector>

#include "core/text.h"

namespace tolm {
namespace {

bool isWordByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           byte >= 0x80;
}

// The text outside every round and square bracket; an unclosed bracket hides
// the rest, as it would in the name it came from.
std::string withoutBrackets(std::string_view title) {
    std::string kept;
    kept.reserve(title.size());
    int depth = 0;
    for (const char c : title) {
        if (c == '(' || c == '[') {
            ++depth;
        } else if ((c == ')' || c == ']') && depth > 0) {
            --depth;
        } else if (depth == 0) {
            kept += c;
        }
    }
    return kept;
}

// The words of `text` lowered, a Roman numeral II..VIII as its digits.
void appendWords(std::string_view text, std::string& out) {
    static constexpr std::array<std::string_view, 7> kNumerals = {"ii", "iii", "iv",  "v",
                                                                  "vi", "vii", "viii"};
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isWordByte(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isWordByte(text[end]))
            ++end;
        const std::string word = lowerAscii(text.substr(i, end - i));
        bool numeral = false;
        for (std::size_t n = 0; n < kNumerals.size(); ++n) {
            if (word == kNumerals[n]) {
                out += std::to_string(n + 2);
                numeral = true;
                break;
            }
        }
        if (!numeral)
            out += word;
        i = end;
    }
}

} // namespace

std::string foldTitle(std::string_view title) {
    const std::string bare = withoutBrackets(title);
    std::string_view text = trimBlanks(bare);
    std::string folded;
    const std::size_t comma = text.rfind(',');
    if (comma != std::string_view::npos) {
        const std::string article = lowerAscii(trimBlanks(text.substr(comma + 1)));
        if (article == "the" || article == "a" || article == "an") {
            folded = article;
            text = text.substr(0, comma);
        }
    }
    appendWords(text, folded);
    return folded;
}

} // namespace tolm
