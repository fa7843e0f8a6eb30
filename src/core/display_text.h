// How file names and addresses are shown: names from other systems, long
// addresses cut in the middle, file patterns that ignore letter case.
#pragma once

#include <string>

namespace text {

// True when the bytes are well-formed UTF-8.
bool isUtf8(const std::string& bytes);
// A file name's bytes as text: UTF-8 as it is, anything else read as GBK (names
// from Windows archives of Chinese systems).
std::string fileNameText(const std::string& bytes);
// The text cut to at most `maxChars` characters by replacing its middle with "…".
std::string elideMiddle(const std::string& utf8, int maxChars);
// A file pattern such as "*.jpg" that matches in any letter case: "*.[jJ][pP][gG]".
std::string anyCasePattern(const std::string& pattern);

}  // namespace text
