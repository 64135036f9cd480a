#pragma once

#include <string>
#include <string_view>

// Files hold Windows-1252 text; memory holds UTF-8. The mapping covers all
// 256 bytes (the five unassigned ones go to the C1 controls of the same
// value), so any file read and written back is unchanged byte for byte.
namespace tolm::platform {

// Appends the UTF-8 form of `bytes` (Windows-1252) to `out`.
void appendAnsiAsUtf8(std::string& out, std::string_view bytes);
std::string ansiToUtf8(std::string_view bytes);

// Characters outside the code page, and malformed UTF-8, become '?'.
void appendUtf8AsAnsi(std::string& out, std::string_view utf8);
std::string utf8ToAnsi(std::string_view utf8);

// Writes the Windows-1252 form of `utf8` to `out`, which must have room for
// utf8.size() bytes (the form is never longer); returns the bytes written.
std::size_t writeUtf8AsAnsi(char* out, std::string_view utf8);

// True when `utf8` is well-formed and every character has a Windows-1252
// byte, so that it reads back from a file unchanged.
bool isAnsiRepresentable(std::string_view utf8);

// Number of bytes the Windows-1252 form of `utf8` takes.
std::size_t ansiLength(std::string_view utf8);

// The nearest text to `utf8` that a file can hold, still UTF-8: a letter
// with a diacritic the code page lacks becomes its base letter ("Łódź" gives
// "Lódz"), typographic punctuation and spaces their ASCII kind, combining
// marks and invisible joiners go, and anything else is '?'. Characters the
// code page has are kept. `changed`, when given, tells whether any had to give.
std::string nearestAnsiText(std::string_view utf8, bool* changed = nullptr);

} // namespace tolm::platform
