#include "output/code_ui.h"

#include <wx/button.h>

#include "canvas/canvas_ctrl.h"
#include "core/map_code.h"
#include "core/preview_document.h"
#include "core/text.h"
#include "forms/code_window.h"
#include "forms/main_window.h"
#include "platform/files.h"
#include "toolkit/input_box.h"
#include "toolkit/message_box.h"
#include "toolkit/widgets.h"

namespace {
const char* const kAddressTitle = "本地图片地址替换成网络地址";
const char* const kAddressPrompt = "请将本地图片上传到图片空间并复制链接粘贴到下方框内";
const char* const kAddressEmpty = "图片地址位置不能为空";
}  // namespace

std::string generateMapCode(const MainWindow& window, MapVariant variant) {
    const AppState& s = window.state;
    const auto areas = mapcode::collectMapAreas(window.document);
    // Our tips are UTF-8 already, so the preview's conversion to UTF-8 keeps them whole.
    if (variant == MapVariant::preview)
        return mapcode::generateMapCode(
            preview::pictureSource(s.imagePath, s.loadMode == 1, platform::kPathSeparators),
            s.imageWidth, s.imageHeight, std::nullopt, areas);
    return mapcode::generateMapCode(window.document.codeAddress(), s.imageWidth, s.imageHeight,
                                    mapcode::drawMapName(), areas);
}

void viewCode(MainWindow& window) {
    AppState& s = window.state;
    std::string address;
    if (s.loadMode == 1) {
        address = s.imagePath;
    } else {
        // The address last typed for this picture, ready to confirm or change.
        const std::string last =
            s.codeImageAddressPicture == s.imagePath ? window.document.codeAddress() : std::string();
        wxString typed;
        if (!askInput(toolkit::fromUtf8(kAddressTitle), toolkit::fromUtf8(kAddressPrompt),
                      toolkit::fromUtf8(last), typed))
            return;
        address = toolkit::toUtf8(typed);
        if (text::removeSpaces(address).empty()) {
            showMessage(kAddressEmpty);
            return;
        }
    }
    window.document.setCodeAddress(address);
    s.codeImageAddressPicture = s.imagePath;

    CodeWindow codeWindow(&window);
    bindCodeWindow(codeWindow,
                   [&window] { return window.canvas->objectHeight(window.state.pictureObject); });
    std::optional<std::string> code;
    if (!s.imagePath.empty()) code = generateMapCode(window, MapVariant::code);
    codeWindow.showCode(code);
    codeWindow.ShowModal();
}

void bindCodeOutput(MainWindow& window) {
    window.viewCodeButton->Bind(wxEVT_BUTTON, [&window](wxCommandEvent&) { viewCode(window); });
}
