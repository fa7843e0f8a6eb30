#include "image/picture_install.h"

#include <wx/button.h>
#include <wx/log.h>

#include "canvas/canvas_ctrl.h"
#include "core/limits.h"
#include "forms/main_window.h"
#include "hotspots/document_view.h"
#include "hotspots/hotspot_ops.h"
#include "hotspots/undo_ui.h"
#include "image/decode_wait.h"
#include "platform/files.h"
#include "toolkit/message_box.h"
#include "toolkit/path_text.h"
#include "toolkit/widgets.h"

namespace {

// No picture file worth showing is this large; reading one would only exhaust memory.

std::string sizeText(int pixels) { return text::number(pixels) + "(xp)"; }

// The installation proper, for a picture already decoded.
// A picture put over a loaded one: the hotspots keep their place relative to the
// picture, now the new one at (0, 0), and stay above it so they can still be
// pressed, edited and deleted.
void carryHotspotsOnto(MainWindow& window) {
    followPicture(window);
    for (const doc::Hotspot& h : window.document.hotspots()) window.canvas->raiseObject(h.id);
    if (const int selected = window.document.selected()) reselectHotspot(window, selected);
}

void installDecoded(MainWindow& window, Picture picture) {
    AppState& state = window.state;
    const int previous = state.pictureObject;
    const int id = window.canvas->createObject(0, 0);
    window.canvas->setPicture(id, std::move(picture));
    state.pictureObject = id;
    if (previous != 0) carryHotspotsOnto(window);
    window.setStatusWidth(kPanePath, 6 * text::gbkLength(state.imagePath) + 25);
    window.setStatusText(kPanePath, toolkit::fromUtf8(state.imagePath));
    state.imageWidth = window.canvas->objectWidth(id);
    state.imageHeight = window.canvas->objectHeight(id);
    window.setStatusText(kPaneWidth, toolkit::fromUtf8(sizeText(state.imageWidth)));
    window.setStatusText(kPaneHeight, toolkit::fromUtf8(sizeText(state.imageHeight)));
    // The steps so far were made on another picture.
    forgetUndoSteps(window);
}

// Decodes off the UI thread. A refused picture is explained; a cancelled one needs no word.
bool decodeForInstall(MainWindow& window, const Bytes& data, Picture& picture) {
    DecodeResult result = decodeWhileResponsive(window, data);
    if (result.status == DecodeStatus::Ok) {
        picture = std::move(result.picture);
        return true;
    }
    const std::string message = decodeMessage(result, pictureLimits());
    if (!message.empty()) showMessage(message);
    return false;
}

}  // namespace

bool installPicture(MainWindow& window) {
    Picture picture;
    if (!decodeForInstall(window, window.state.imageData, picture)) return false;
    installDecoded(window, std::move(picture));
    return true;
}

bool bringInPicture(MainWindow& window, const std::string& path, Bytes data,
                    const std::string* lastPicked) {
    // Decoded once, before anything changes: a refused picture leaves everything as it was.
    Picture picture;
    if (!decodeForInstall(window, data, picture)) return false;
    AppState& state = window.state;
    state.imagePath = path;
    state.imageData = std::move(data);
    if (lastPicked) state.lastPickedPath = *lastPicked;
    installDecoded(window, std::move(picture));
    window.canvas->SetFocus();
    window.loadButton->Disable();
    return true;
}

bool readPictureFile(const wxString& path, Bytes& out, std::string& error) {
    std::string bytes, why;
    if (!platform::readWholeFile(toolkit::fileSystemPath(path), bytes, why,
                                 limits::kMaxPictureBytes)) {
        if (why == "文件过大")
            error = "图片文件过大（超过 256 MB），无法载入";
        else if (why == "不是普通文件")
            error = "图片读取失败，不是普通文件：" + toolkit::pathText(path);
        else
            error = "图片读取失败，无法打开文件：" + toolkit::pathText(path);
        return false;
    }
    out.assign(bytes.begin(), bytes.end());
    return true;
}
