// The link a hotspot gets from the address the user typed in the info dialog.
#pragma once

#include <string>

enum class LinkEdit {
    create,  // a freshly drawn hotspot: the address as typed
    modify,  // an existing hotspot: spaces removed, scheme and host in lower case
};

// Trims half- and full-width spaces at both ends. An address that contains
// "http://" or "https://" (in any letter case) keeps its scheme; any other gets
// "http://" in front. When modifying, every space is removed first and the scheme
// and host are lowered; the path, query and fragment keep their case.
std::string hotspotLink(const std::string& typed, LinkEdit edit);

// Trims ASCII and ideographic (U+3000) spaces at both ends.
std::string trimSpaces(const std::string& s);
