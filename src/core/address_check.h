// The checks a network picture address goes through before it is downloaded.
#pragma once

#include <string>

enum class AddressVerdict {
    Ok,
    Empty,         // nothing but spaces, or a bare scheme
    BadScheme,     // does not begin with http:// or https://
    BadExtension,  // its last four bytes name no picture type
};

// Runs the three checks in order on the address as the user typed it (UTF-8).
AddressVerdict checkPictureAddress(const std::string& typed);

// The message the user sees for a refused address; empty for Ok.
std::string addressMessage(AddressVerdict verdict);

// True when the last 4 GBK bytes of the lower-case address contain jpg, png, ico,
// bmp, gif or jpng.
bool hasPictureExtension(const std::string& lowerAddress);
