#pragma once
// The program's 8-bit code page (Windows-1251) at the edges of the program, and the case
// conversions of its letters (Latin and Cyrillic), and the Unicode upper case of any text.
#include <string>
#include <string_view>

namespace kv {

// UTF-8 text in Windows-1251; a character the code page lacks becomes "?".
std::string Utf8ToCp1251(std::string_view text);
// The same into out, which has room for text.size() bytes (no character takes more bytes in the
// code page than in UTF-8); returns the number of bytes written.
size_t Utf8ToCp1251(std::string_view text, char* out);
// The characters of the UTF-8 text that Windows-1251 lacks, each once, in the order they come.
std::string CharactersOutsideCp1251(std::string_view text);
// Windows-1251 text in UTF-8.
std::string Cp1251ToUtf8(std::string_view text);

std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);
// Case-insensitive comparison of Latin and Cyrillic letters.
bool AnsiSameText(std::string_view a, std::string_view b);
// The text with its first letter in upper case.
std::string AnsiUpperFirst(std::string_view text);
// Every letter of any script in upper case by the Unicode rules ("straße" -> "STRASSE"); letters
// outside the code page stay themselves instead of becoming "?".
std::string UnicodeUpperCase(std::string_view text);

}  // namespace kv
