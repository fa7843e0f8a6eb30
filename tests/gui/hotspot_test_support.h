// Helpers for the hotspot tests: a picture put straight on the canvas, the mouse
// driven over the canvas, and a few readers.
#pragma once

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <ostream>
#include <vector>

#include "canvas/canvas_ctrl.h"
#include "gui_test.h"
#include "hotspots/document_view.h"
#include "hotspots/hotspot_ops.h"
#include "output/code_ui.h"

// Readable values in failure messages.
inline void PrintTo(const RectXYWH& r, std::ostream* os) {
    *os << r.x << "," << r.y << " " << r.w << "x" << r.h;
}
inline void PrintTo(const Point& p, std::ostream* os) { *os << p.x << "," << p.y; }

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
        // Each movement is awaited, and made again while it has not arrived: GTK may
        // hold back a movement that comes within the same frame as the one before it.
        seenMotion_ = wxPoint(-1000000, -1000000);
        window->canvas->Bind(wxEVT_MOTION, &HotspotWindowTest::noteMotion, this);
        for (const wxPoint& p : path) {
            const wxPoint target = onScreen(p.x, p.y);
            sim.MouseMove(target);
            int polls = 0;
            EXPECT_TRUE(waitFor("the canvas to see the pointer move", [&] {
                if (seenMotion_ == p) return true;
                if (++polls % 100 == 0) sim.MouseMove(target);
                return false;
            }));
        }
        window->canvas->Unbind(wxEVT_MOTION, &HotspotWindowTest::noteMotion, this);
        drainEvents();
    }
    void noteHandleMotion(wxMouseEvent& e) {
        handleFelt_ = true;
        e.Skip();
    }
    bool handleFelt_ = false;
    void noteMotion(wxMouseEvent& e) {
        seenMotion_ = e.GetPosition();
        e.Skip();
    }
    wxPoint seenMotion_;
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
        // A locked hotspot's handle takes no press: nothing to wait for then.
        const doc::Hotspot* h = window->document.find(window->handlesObject);
        const bool resizes = h && !h->locked;
        sim.MouseMove(from);
        drainEvents();
        // A handle just shown may not be on the screen yet: the press must land on it,
        // so the pointer is moved over it again until the handle itself feels it.
        if (resizes) {
            handleFelt_ = false;
            handle->Bind(wxEVT_MOTION, &HotspotWindowTest::noteHandleMotion, this);
            int polls = 0;
            EXPECT_TRUE(waitFor("the handle to feel the pointer", [&] {
                if (handleFelt_) return true;
                if (++polls % 50 == 0) sim.MouseMove(from + wxPoint((polls / 50) % 2, 0));
                return false;
            }));
            handle->Unbind(wxEVT_MOTION, &HotspotWindowTest::noteHandleMotion, this);
            sim.MouseMove(from);
            drainEvents();
        }
        sim.MouseDown();
        if (resizes) {
            EXPECT_TRUE(waitFor("the press to reach the handle",
                                [&] { return window->handleDrag.active(); }));
        }
        drainEvents();
        for (int k = 1; k <= 3; ++k) {
            sim.MouseMove(from + wxPoint(dx * k / 3, dy * k / 3));
            drainEvents();
        }
        sim.MouseUp();
        // The release comes after every movement: once it is handled, so are they.
        if (resizes) {
            EXPECT_TRUE(waitFor("the handle to be let go",
                                [&] { return !window->handleDrag.active(); }));
        }
        drainEvents();
    }

    // Every view shows the document: for each hotspot in list order, its list box
    // entry (text and item data), its table row, its canvas object (place and size
    // through the view) and, when it is the selected one, the list and table selection.
    void expectViewsMatchDocument() const {
        const doc::Document& d = window->document;
        ASSERT_EQ(static_cast<int>(window->hotspotListBox->GetCount()), d.count());
        ASSERT_EQ(window->hotspotTable->GetItemCount(), d.count());
        ASSERT_EQ(window->hotspots.hotspotCount(), d.count());
        const ViewTransform view = canvasView(*window);
        for (int i = 0; i < d.count(); ++i) {
            const doc::Hotspot& h = *d.at(i);
            SCOPED_TRACE("hotspot " + std::to_string(h.id) + " at " + std::to_string(i));
            EXPECT_EQ(s8(window->hotspotListBox->GetString(i)),
                      HotspotList::hotspotEntryText(h.number, h.locked));
            EXPECT_EQ(reinterpret_cast<intptr_t>(window->hotspotListBox->GetClientData(i)), h.id);
            EXPECT_EQ(s8(window->hotspotTable->GetItemText(i, 0)), std::to_string(h.number));
            EXPECT_EQ(s8(window->hotspotTable->GetItemText(i, 1)), h.link);
            EXPECT_EQ(s8(window->hotspotTable->GetItemText(i, 2)), h.tip);
            const CanvasObject* o = window->canvas->store().find(h.id);
            ASSERT_NE(o, nullptr);
            const RectXYWH r = view.toCanvas(h.rect);
            EXPECT_EQ((RectXYWH{window->canvas->objectLeft(h.id), window->canvas->objectTop(h.id),
                                o->picture.width, o->picture.height}),
                      r);
            EXPECT_EQ(o->transparency, h.look.transparency);
        }
        if (const int selected = d.selected()) {
            EXPECT_EQ(window->hotspotListBox->GetSelection(), d.indexOf(selected));
            EXPECT_EQ(tableSelection(), d.indexOf(selected));
        }
    }

    wxUIActionSimulator sim;
};

}  // namespace guitest
