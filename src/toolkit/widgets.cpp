#include "toolkit/widgets.h"

#include <wx/arrstr.h>
#include <wx/button.h>
#include <wx/clrpicker.h>
#include <wx/dcclient.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "toolkit/drop_down.h"
#include "toolkit/theme.h"

namespace toolkit {

wxString displayText(const char* caption) {
    wxString s = fromUtf8(caption);
    s.Replace("\r\n", "\n");
    return s;
}

wxFont uiFont(int points) { return wxFont(wxFontInfo(points).FaceName(platformUiFaceName())); }

void applyThemedStyle(int style) { platformThemedStyle(style); }

void closeOnPlainEscape(wxWindow* window) {
    window->Bind(wxEVT_CHAR_HOOK, [window](wxKeyEvent& e) {
        // An Esc that closes an open drop-down list is the list's alone.
        if (e.GetKeyCode() == WXK_ESCAPE && e.GetModifiers() == wxMOD_NONE &&
            !dropDownOpen(window)) {
            window->Close();
            return;
        }
        e.Skip();
    });
}

namespace {
// Carries the design parent on the control itself.
class DesignParentData : public wxClientData {
public:
    explicit DesignParentData(wxWindow* p) : parent(p) {}
    wxWindow* parent;
};
}  // namespace

Place in(wxStaticBox* group) {
    const wxPoint at = group->GetPosition();
    return Place{group->GetParent(), at.x, at.y, group};
}

wxPoint pos(const Place& p, Geo g) { return wxPoint(p.dx + g.left, p.dy + g.top); }

void placed(wxWindow* control, const Place& p) {
    static_cast<wxEvtHandler*>(control)->SetClientObject(new DesignParentData(p.designParent));
}

wxWindow* designParent(wxWindow* control) {
    auto* data = dynamic_cast<DesignParentData*>(static_cast<wxEvtHandler*>(control)->GetClientObject());
    return data ? data->parent : control->GetParent();
}

wxRect designRect(wxWindow* control) {
    wxRect r = control->GetRect();
    wxWindow* parent = designParent(control);
    if (parent && parent != control->GetParent()) r.Offset(-parent->GetPosition());
    return r;
}

template <class T>
static T* keep(T* control, const Place& p) {
    placed(control, p);
    return control;
}

wxStaticBox* groupBox(const Place& p, const char* name, const char* caption, Geo g) {
    return keep(new wxStaticBox(p.host, wxID_ANY, fromUtf8(caption), pos(p, g), size(g), 0,
                                fromUtf8(name)), p);
}

wxButton* button(const Place& p, const char* name, const char* caption, Geo g) {
    return keep(new wxButton(p.host, wxID_ANY, displayText(caption), pos(p, g), size(g), 0,
                             wxDefaultValidator, fromUtf8(name)), p);
}

namespace {
// A label whose lines stand a fixed 12 pixels apart, the line pitch of the 9-point
// UI font the forms were laid out with; GTK's own line height would push the lower
// lines out of the label and away from the controls they name.
class PitchedLabel : public wxControl {
public:
    PitchedLabel(wxWindow* parent, const wxString& text, const wxPoint& at, const wxSize& sz,
                 const wxString& name)
        : wxControl(parent, wxID_ANY, at, sz, wxBORDER_NONE, wxDefaultValidator, name) {
        SetLabel(text);
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxPaintDC dc(this);
            dc.SetFont(GetFont());
            dc.SetTextForeground(GetForegroundColour());
            const wxArrayString lines = wxSplit(GetLabel(), '\n', '\0');
            for (size_t i = 0; i < lines.size(); ++i)
                dc.DrawText(lines[i], 0, static_cast<int>(i) * kLinePitch);
        });
    }
    bool AcceptsFocus() const override { return false; }
    void SetLabel(const wxString& text) override {
        wxControl::SetLabel(text);
        Refresh();
    }
    static constexpr int kLinePitch = 12;
};
}  // namespace

wxControl* label(const Place& p, const char* name, const char* caption, Geo g) {
    const wxString text = displayText(caption);
    if (text.Contains("\n"))
        return keep(new PitchedLabel(p.host, text, pos(p, g), size(g), fromUtf8(name)), p);
    return keep(new wxStaticText(p.host, wxID_ANY, text, pos(p, g), size(g), wxST_NO_AUTORESIZE,
                                 fromUtf8(name)), p);
}

wxTextCtrl* editBox(const Place& p, const char* name, const char* text, Geo g, long style) {
    return keep(new wxTextCtrl(p.host, wxID_ANY, fromUtf8(text), pos(p, g), size(g), style,
                               wxDefaultValidator, fromUtf8(name)), p);
}

wxColourPickerCtrl* colourPicker(const Place& p, const char* name, const wxColour& c, Geo g) {
    return keep(new wxColourPickerCtrl(p.host, wxID_ANY, c, pos(p, g), size(g),
                                       wxCLRP_DEFAULT_STYLE, wxDefaultValidator, fromUtf8(name)), p);
}

}  // namespace toolkit
