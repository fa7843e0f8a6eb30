// A minimal clipboard keeper for the test display, as desktops run one: it owns
// CLIPBOARD_MANAGER, answers a program's SAVE_TARGETS request by fetching the
// clipboard text from it, and once that program's window has gone it takes the
// clipboard and serves the text itself, so copied text outlives the program. Prints "ready" once it owns the manager
// selection; runs until killed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

Display* display = nullptr;
Window self = 0;
Atom aClipboard, aManager, aSaveTargets, aTargets, aUtf8, aText, aKept, aIncr;
std::string kept;
bool haveText = false;
Window savedFrom = 0;  // the window whose clipboard was saved

void notify(const XSelectionRequestEvent& req, Atom property) {
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = req.display;
    reply.xselection.requestor = req.requestor;
    reply.xselection.selection = req.selection;
    reply.xselection.target = req.target;
    reply.xselection.property = property;
    reply.xselection.time = req.time;
    XSendEvent(display, req.requestor, False, 0, &reply);
    XFlush(display);
}

// Waits for the answer to our own conversion request and reads the text.
bool fetchClipboardText(Time time) {
    XConvertSelection(display, aClipboard, aUtf8, aKept, self, time);
    XFlush(display);
    for (;;) {
        XEvent e;
        XNextEvent(display, &e);
        if (e.type != SelectionNotify || e.xselection.selection != aClipboard) continue;
        if (e.xselection.property == None) return false;
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        XGetWindowProperty(display, self, aKept, 0, 1L << 24, True, AnyPropertyType, &type, &format,
                           &count, &after, &data);
        if (type == aIncr) {
            if (data) XFree(data);
            return false;  // large transfers are not needed by the tests
        }
        kept.assign(reinterpret_cast<const char*>(data), count);
        if (data) XFree(data);
        return true;
    }
}

void serve(const XSelectionRequestEvent& req) {
    const Atom property = req.property == None ? req.target : req.property;
    if (req.selection == aManager && req.target == aSaveTargets) {
        // The program is about to hand over its clipboard.
        haveText = fetchClipboardText(req.time);
        notify(req, haveText ? property : None);
        if (haveText) {
            // The program still owns the clipboard; take it over when its window goes.
            savedFrom = req.requestor;
            XSelectInput(display, savedFrom, StructureNotifyMask);
        }
        XFlush(display);
        return;
    }
    if (req.selection == aClipboard && haveText) {
        if (req.target == aTargets) {
            const Atom targets[] = {aTargets, aUtf8, aText, XA_STRING};
            XChangeProperty(display, req.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(targets), 4);
            notify(req, property);
            return;
        }
        if (req.target == aUtf8 || req.target == aText || req.target == XA_STRING) {
            XChangeProperty(display, req.requestor, property, aUtf8, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(kept.data()),
                            static_cast<int>(kept.size()));
            notify(req, property);
            return;
        }
    }
    notify(req, None);
}

}  // namespace

int main() {
    display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "clipboard_keeper: no display\n");
        return 1;
    }
    self = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    aClipboard = XInternAtom(display, "CLIPBOARD", False);
    aManager = XInternAtom(display, "CLIPBOARD_MANAGER", False);
    aSaveTargets = XInternAtom(display, "SAVE_TARGETS", False);
    aTargets = XInternAtom(display, "TARGETS", False);
    aUtf8 = XInternAtom(display, "UTF8_STRING", False);
    aText = XInternAtom(display, "TEXT", False);
    aKept = XInternAtom(display, "KEEPER_DATA", False);
    aIncr = XInternAtom(display, "INCR", False);
    XSetSelectionOwner(display, aManager, self, CurrentTime);
    if (XGetSelectionOwner(display, aManager) != self) {
        std::fprintf(stderr, "clipboard_keeper: another keeper runs\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        XEvent e;
        XNextEvent(display, &e);
        if (e.type == SelectionRequest) serve(e.xselectionrequest);
        if (e.type == DestroyNotify && e.xdestroywindow.window == savedFrom && haveText) {
            XSetSelectionOwner(display, aClipboard, self, CurrentTime);
            XFlush(display);
        }
        if (e.type == SelectionClear && e.xselectionclear.selection == aClipboard) haveText = false;
    }
}
