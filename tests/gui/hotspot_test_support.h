// Helpers for the hotspot tests: a picture put straight on the canvas, the mouse
// driven over the canvas, and a few readers.
#pragma once

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <vector>

#include "canvas/canvas_ctrl.h"
#include "gui_test.h"
#include "hotspots/hotspot_ops.h"
#include "output/code_ui.h"

namespace guitest {

class HotspotWindowTest : public MainWindowTest {
  protected:
    // A solid grey picture at canvas (0, 0), as installing a picture leaves it.
    int putPicture(int w = 400, int h = 300, const char* path = "/tmp/picture.png") {
        const int id = window->canvas->createObject(0, 0);
        window->canvas->setPicture(
            id, Picture::fromPlanes(
                    w, h, std::vector<std::uint8_t>(static_cast<size_t>(w) * h * 3, 200)));
        state->pictureObject = id;
        state->imagePath = path;
        window->loadButton->Disable();
        return id;
    }
    wxPoint onScreen(int x, int y) const { return window->canvas->ClientToScreen(wxPoint(x, y)); }
    wxPoint centreOf(wxWindow* w) const {
        return w->GetScreenRect().GetPosition() + w->GetSize() / 2;
    }
    void click(wxWindow* w) {
        sim.MouseMove(centreOf(w));
        drainEvents();
        sim.MouseClick();
        drainEvents();
    }
    // Presses the left button at `from` on the canvas and moves through `path`.
    void drag(wxPoint from, std::initializer_list<wxPoint> path) {
        sim.MouseMove(onScreen(from.x, from.y));
        drainEvents();
        sim.MouseDown();
        EXPECT_TRUE(waitFor("the press to reach the canvas",
                            [&] { return window->canvas->pressedObject() != 0; }));
        for (const wxPoint& p : path) {
            sim.MouseMove(onScreen(p.x, p.y));
            drainEvents();
        }
    }
    void release() {
        sim.MouseUp();
        drainEvents();
    }
    wxPoint objectAt(int id) const {
        return wxPoint(window->canvas->objectLeft(id), window->canvas->objectTop(id));
    }
    int lastObject() const {
        return window->hotspots.hotspotObjectAt(window->hotspots.hotspotCount() - 1);
    }
    std::vector<std::string> focusTexts() const {
        std::vector<std::string> out;
        for (wxTextCtrl* b : {window->focusLeft, window->focusRight, window->focusTop,
                              window->focusBottom, window->focusWidth, window->focusHeight})
            out.push_back(s8(b->GetValue()));
        return out;
    }
    std::vector<std::string> listTexts() const {
        std::vector<std::string> out;
        for (unsigned i = 0; i < window->hotspotListBox->GetCount(); ++i)
            out.push_back(s8(window->hotspotListBox->GetString(i)));
        return out;
    }
    long tableSelection() const {
        return window->hotspotTable->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    }
    // The handle's top-left corner, or (-100, -100) when hidden.
    wxPoint handleAt(int index) const {
        wxWindow* h = window->handles[index];
        return h->IsShown() ? h->GetPosition() : wxPoint(-100, -100);
    }

    // The generated code from its first area line to its end tag, byte for byte.
    std::string areaCode() const {
        const std::string code = generateMapCode(*window, MapVariant::preview);
        const size_t at = code.find("  <area");
        return code.substr(at == std::string::npos ? code.rfind("</map>") : at);
    }
    // One area line as the generator writes it.
    static std::string area(int x1, int y1, int x2, int y2, const std::string& link = "未添加热点链接",
                            const std::string& tip = "热点提示") {
        return "  <area shape=\"rect\" coords=\"" + std::to_string(x1) + "," + std::to_string(y1) + "," +
               std::to_string(x2) + "," + std::to_string(y2) + "\" href=\"" + link + "\" alt=\"" +
               tip + "\" title=\"" + tip + "\" target=\"_blank\" />\r\n";
    }
    // Presses a handle with the mouse, moves it by (dx, dy) in steps and lets go.
    void dragHandle(int index, int dx, int dy) {
        wxWindow* handle = window->handles[index];
        const wxPoint from = centreOf(handle);
        sim.MouseMove(from);
        drainEvents();
        sim.MouseDown();
        drainEvents();
        for (int k = 1; k <= 3; ++k) {
            sim.MouseMove(from + wxPoint(dx * k / 3, dy * k / 3));
            drainEvents();
        }
        sim.MouseUp();
        drainEvents();
    }

    wxUIActionSimulator sim;
};

}  // namespace guitest
