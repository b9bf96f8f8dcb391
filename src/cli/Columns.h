// Text in columns for the terminal: the width of a text is its length in code page 932 bytes (a
// double-byte character is two columns wide, a half-width one one column).
#pragma once

#include <string>

// Pads UTF-8 text with blanks to a display width.
std::string PadRight(const std::string& utf8, std::size_t width);
// Puts blanks in front of ASCII text up to a width.
std::string PadLeft(const std::string& text, std::size_t width);
// The display width of UTF-8 text.
std::size_t DisplayWidth(const std::string& utf8);
