// The settings file's text and the wxFileConfig it stands for, both ways; with no
// file of its own, so the reading can be checked (and fuzzed) apart from the disk.
#pragma once

#include <memory>
#include <string>

class wxFileConfig;

namespace settings {

// The settings in `bytes`: none at all when the text is larger than the limit or
// not UTF-8; lines that are not settings are left out. Values are taken as written.
std::unique_ptr<wxFileConfig> fromBytes(const std::string& bytes);
// The text of `config` as the file holds it (UTF-8); false when it cannot be made.
bool toBytes(wxFileConfig& config, std::string& bytes);

}  // namespace settings
