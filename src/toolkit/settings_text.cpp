#include "toolkit/settings_text.h"

#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/sstream.h>

#include "core/limits.h"

namespace settings {

std::unique_ptr<wxFileConfig> fromBytes(const std::string& bytes) {
    wxLogNull quiet;  // lines it cannot read are left out, not reported
    wxString text;
    if (bytes.size() <= limits::kMaxSettingsBytes)
        text = wxString::FromUTF8(bytes.data(), bytes.size());
    wxStringInputStream in(text);
    auto config = std::make_unique<wxFileConfig>(in, wxConvUTF8);
    // A '$' in a folder's name is no variable.
    config->SetExpandEnvVars(false);
    return config;
}

bool toBytes(wxFileConfig& config, std::string& bytes) {
    wxString text;
    {
        wxStringOutputStream out(&text, wxConvUTF8);
        if (!config.Save(out, wxConvUTF8)) return false;
    }
    const wxScopedCharBuffer utf8 = text.utf8_str();
    bytes.assign(utf8.data(), utf8.length());
    return true;
}

}  // namespace settings
