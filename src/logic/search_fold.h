#pragma once
// Stored text read as characters for searching: as UTF-8 when the bytes are valid
// UTF-8, otherwise as Windows-1252, the same rule the display follows. A search typed
// in one encoding so finds the same letters stored in the other.
#include <string>
#include <string_view>

// True for valid UTF-8: no overlong form, surrogate, or code point past U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// The text in UTF-8: as it is when valid UTF-8, otherwise read as Windows-1252.
std::string utf8Of(std::string_view bytes);

// True when every byte is below 0x80.
bool isAsciiText(std::string_view bytes);

// The upper case of a letter of the Latin (ASCII, Latin-1, Latin Extended-A), Greek
// or Cyrillic alphabets; every other character stays as it is.
char32_t upperChar(char32_t c);

// The text in upper case, kept in the encoding it came in.
std::string upperText(std::string_view bytes);

// The text in upper case and in UTF-8, appended to out: the one form search words and
// lines are compared in. Pure ASCII text costs a table look-up a byte.
void appendSearchForm(std::string_view bytes, std::string& out);
// The same for the end of text, from byte `from` on, in place.
void toSearchForm(std::string& text, size_t from);
std::string searchForm(std::string_view bytes);
