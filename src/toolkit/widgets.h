// Small builders for the controls of the control tables, and shared window chores.
#pragma once

#include <wx/colour.h>
#include <wx/font.h>
#include <wx/string.h>

#include <string>

class wxButton;
class wxColourPickerCtrl;
class wxStaticBox;
class wxControl;
class wxTextCtrl;
class wxWindow;

namespace toolkit {

struct Geo {
    int left, top, width, height;
};

// Where a control goes. A control placed in a group box is created beside the box,
// on the box's own parent, offset by the box's position: GTK would otherwise push a
// group box's children below its caption. The box stays its parent in the design.
struct Place {
    wxWindow* host;
    int dx = 0;
    int dy = 0;
    wxWindow* designParent = nullptr;
};
inline Place on(wxWindow* window) { return Place{window, 0, 0, window}; }
Place in(wxStaticBox* group);
// The parent a control has in its window's control table.
wxWindow* designParent(wxWindow* control);
// A control's geometry relative to its design parent.
wxRect designRect(wxWindow* control);

inline wxString fromUtf8(const char* s) { return wxString::FromUTF8(s); }
inline wxString fromUtf8(const std::string& s) { return wxString::FromUTF8(s.data(), s.size()); }
inline std::string toUtf8(const wxString& s) {
    const wxScopedCharBuffer b = s.utf8_str();
    return std::string(b.data(), b.length());
}
// A caption as the widgets show it: CR LF line breaks become plain line feeds.
wxString displayText(const char* caption);

// The compact Chinese UI font the windows are designed for, 9 points unless told.
wxFont uiFont(int points = 9);
// Switches the themed drawing of standard controls on (style 1 to 3) for all windows.
void applyThemedStyle(int style);

// A plain Esc (no Ctrl, Shift or Alt) anywhere in `window` closes it like its close box.
void closeOnPlainEscape(wxWindow* window);

// Position and size for a control placed at `g` in `p`; records the design parent.
wxPoint pos(const Place& p, Geo g);
inline wxSize size(Geo g) { return wxSize(g.width, g.height); }
// Records `control`'s design parent (done by the builders below).
void placed(wxWindow* control, const Place& p);

wxStaticBox* groupBox(const Place& p, const char* name, const char* caption, Geo g);
wxButton* button(const Place& p, const char* name, const char* caption, Geo g);
// A label: a plain one, or for several lines one with the designed 12-pixel line pitch.
wxControl* label(const Place& p, const char* name, const char* caption, Geo g);
wxTextCtrl* editBox(const Place& p, const char* name, const char* text, Geo g, long style = 0);
wxColourPickerCtrl* colourPicker(const Place& p, const char* name, const wxColour& c, Geo g);

}  // namespace toolkit
