// libFuzzer target over the settings file: its text read as the program reads it
// at start, every value the program takes from it, and each of those values saved
// and read again unchanged (a folder or a recent project must come back as it was).
#include <wx/fileconf.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "toolkit/settings_text.h"

namespace {

// The keys the program writes and reads.
const char* const kKeys[] = {
    "/Window/X",
    "/Window/Y",
    "/Window/Width",
    "/Window/Height",
    "/Window/Maximized",
    "/Folders/Pictures",
    "/Folders/Projects",
    "/Folders/Import",
    "/RecentProjects/file1",
    "/RecentProjects/file2",
    "/RecentProjects/file3",
    "/RecentProjects/file4",
    "/RecentProjects/file5",
    "/RecentProjects/file6",
    "/RecentProjects/file7",
    "/RecentProjects/file8",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static wxInitializer wx;
    wxLogNull quiet;  // values of another type are reported, and read as absent
    const auto config = settings::fromBytes(std::string(reinterpret_cast<const char*>(data), size));
    // What the program writes: a fresh set of settings, values taken as written.
    wxFileConfig copy(wxEmptyString, wxEmptyString, wxEmptyString, wxEmptyString, 0);
    copy.SetExpandEnvVars(false);
    for (const char* key : kKeys) {
        wxString text;
        long number = 0;
        bool flag = false;
        config->Read(key, &number);
        config->Read(key, &flag);
        if (config->Read(key, &text)) copy.Write(key, text);
    }
    std::string saved;
    if (!settings::toBytes(copy, saved)) std::abort();
    const auto again = settings::fromBytes(saved);
    for (const char* key : kKeys) {
        wxString before, after;
        if (copy.Read(key, &before) != again->Read(key, &after) || before != after) std::abort();
    }
    return 0;
}
