// 导入代码: image-map code pasted or opened in ImportCodeDialog becomes hotspots
// on the loaded picture, with their links and tips, in document order.
#include <wx/textctrl.h>

#include "canvas/canvas_ctrl.h"
#include "core/hotspot_resize.h"
#include "core/import_fit.h"
#include "core/limits.h"
#include "core/map_import.h"
#include "forms/import_code_dialog.h"
#include "forms/main_window.h"
#include "hotspots/hotspot_ops.h"
#include "hotspots/undo_ui.h"
#include "image/decode_wait.h"
#include "image/picture_install.h"
#include "project/project_session.h"
#include "toolkit/message_box.h"
#include "toolkit/widgets.h"

namespace {

std::string skippedNote(int skipped) {
    if (skipped == 0) return {};
    return "，跳过了 " + text::number(skipped) + " 个圆形、多边形或无法识别的区域";
}

std::string outsideMapNote(const mapimport::ImportResult& found) {
    if (!found.outsideMap) return {};
    return "。代码中没有 map 元素，这些区域是从 map 之外导入的，在网页上要放进 map 才能点击";
}

const char* const kImportBusyTitle = "导入代码";
const char* const kImportBusyText = "正在读取代码，请稍候……";

}  // namespace

void importCode(MainWindow& window) {
    std::string code;
    {
        ImportCodeDialog dialog(&window);
        if (dialog.ShowModal() != wxID_OK) return;
        code = toolkit::toUtf8(dialog.codeBox->GetValue());
    }
    mapimport::ImportResult found;
    runWhileResponsive(window, kImportBusyTitle, kImportBusyText,
                       [&](const std::atomic<bool>& cancel) {
                           mapimport::ImportLimits limits;
                           limits.cancel = &cancel;
                           found = mapimport::importMapCode(code, limits);
                       });
    if (!found.error.empty()) {
        showMessage(found.error);
        return;
    }
    if (found.areas.empty()) {
        showMessage("代码中没有矩形热点区域，没有导入任何热点" + skippedNote(found.skipped));
        return;
    }
    AppState& state = window.state;
    if (state.pictureObject == 0) {
        // The code names its picture: offer it as the network address to load first.
        if (found.pictureAddress.empty()) {
            showMessage("请先加载图片，再导入热点代码");
            return;
        }
        loadNetworkPicture(window, toolkit::fromUtf8(found.pictureAddress));
        if (state.pictureObject == 0) return;
    }
    mapimport::fitToPicture(found, state.imageWidth, state.imageHeight);
    if (found.areas.empty()) {
        showMessage("代码中的热点区域都在图片之外，没有导入任何热点" + skippedNote(found.skipped));
        return;
    }
    // Only what a project can keep is taken: what could not be saved and opened
    // again is left out, and the user is told how much and why.
    const std::string leftOut =
        mapimport::leftOutNote(mapimport::fitToLimits(found.areas, window.document.count()));
    if (found.areas.empty()) {
        showMessage("没有导入任何热点" + leftOut);
        return;
    }
    long long faces = 0;
    for (const mapimport::ImportedArea& a : found.areas)
        faces += static_cast<long long>(a.x2 - a.x1) * (a.y2 - a.y1);
    if (faces > kMaxAllHotspotPixels) {
        showMessage("代码中的热点总面积过大，没有导入任何热点");
        return;
    }
    const int left = window.canvas->objectLeft(state.pictureObject);
    const int top = window.canvas->objectTop(state.pictureObject);
    std::vector<NewHotspot> spots;
    for (const mapimport::ImportedArea& a : found.areas)
        spots.push_back({left + a.x1, top + a.y1, a.x2 - a.x1, a.y2 - a.y1, a.link, a.tip, false});
    {
        UndoStep step(window, kStepImport);
        createHotspots(window, spots);
    }
    noteWork(window);
    showMessage("已导入 " + text::number(static_cast<long long>(found.areas.size())) + " 个热点" +
                skippedNote(found.skipped) + leftOut + outsideMapNote(found));
}
