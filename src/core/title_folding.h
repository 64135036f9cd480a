#pragma once

#include <string>
#include <string_view>

namespace tolm {

// A game title reduced to what tells one game from another, for matching
// names written by different hands: letter case, blanks and punctuation
// ignored; a trailing article (", The", ", A", ", An") read at the front;
// Roman numerals II to VIII read as digits when they stand as words; every
// bracketed part ("[a]", "(1983)(Bug-Byte)") dropped. Non-ASCII letters are
// kept as they are. "Hobbit, The [a]" and "The HOBBIT" fold alike, as do
// "Rambo III" and "Rambo 3". Empty when nothing is left.
std::string foldTitle(std::string_view title);

} // namespace tolm
