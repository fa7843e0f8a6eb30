// Text helpers. Every text is held as UTF-8; where the program counts bytes of
// a text it counts the bytes the text has in GBK, the shop pages' encoding.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

namespace text {

// The text in GBK; characters GBK cannot hold become '?'.
std::string toGbk(const std::string& utf8);
// GBK bytes back to UTF-8; bytes that are not GBK become U+FFFD.
std::string fromGbk(const std::string& gbk);
// Number of bytes the text takes in GBK.
int gbkLength(const std::string& utf8);
// The last n GBK bytes of the text (all of it when it is shorter), as raw GBK bytes.
std::string lastGbkBytes(const std::string& utf8, int n);

// Removes every ASCII space and every ideographic (full-width) space U+3000.
std::string removeSpaces(const std::string& s);
// Lower-cases A-Z only; every other byte, multi-byte characters included, is kept.
std::string asciiLower(const std::string& s);

// Plain decimal: optional minus sign and digits, no padding.
std::string number(long long value);
// Up to 13 significant digits, no decimal point when the value is whole.
std::string number13(double value);
// Reads the leading numeric part as a double, 0 when there is none (like atof).
double leadingNumber(const std::string& s);
// Reads an optional minus sign and the digits after it, all that can be typed into
// a short-integer box; 0 when there are none. Whatever follows (a pasted exponent,
// hex digits, letters) is ignored; very long numbers are capped at +-1e15.
double leadingInteger(const std::string& s);
// Whether the text holds nothing but digits and minus signs.
bool onlyDigitsAndMinus(const std::string& s);
// Truncates toward zero into an int (saturating at the int range).
int truncToInt(double value);

// Splits a UTF-8 text into whole characters.
std::vector<std::string> characters(const std::string& utf8);
// Replaces every occurrence of `find` (non-empty) by `with`, left to right, never rescanning.
std::string replaceAll(const std::string& s, const std::string& find, const std::string& with);

}  // namespace text
