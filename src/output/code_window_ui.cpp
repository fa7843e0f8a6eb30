#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/stc/stc.h>
#include <wx/textctrl.h>

#include "core/full_screen.h"
#include "core/text.h"
#include "forms/code_window.h"
#include "output/code_ui.h"
#include "toolkit/clipboard.h"
#include "toolkit/message_box.h"
#include "toolkit/widgets.h"

namespace {
const char* const kNoCode = "代码复制失败，原因：无代码";
const char* const kCopied = "代码已成功复制到剪辑板中，粘贴即可使用";
const char* const kCopyFailed = "代码复制失败，请手动复制";
const char* const kConverted = "代码已转换完成并已复到，安装到店铺任意自定义模块内即可";

void copyCode(CodeWindow& w) {
    const std::string code = toolkit::toUtf8(w.editor->GetText());
    if (code.empty()) {
        showMessage(kNoCode);
        return;
    }
    showMessage(toolkit::copyToClipboard(code) ? kCopied : kCopyFailed);
}

void switchConversion(CodeWindow& w) {
    const bool on = w.fullScreenCheck->GetValue();
    w.note->SetLabel(toolkit::fromUtf8(on ? codeform::kWideWarning : codeform::kNote));
    w.editionChoice->Enable(on);
    w.offsetBox->Enable(on);
    w.convertButton->Enable(on);
    w.gapChoice->Enable(on);
}

void chooseEdition(CodeWindow& w) {
    const int row = w.editionChoice->GetSelection();
    if (!w.fullScreenCheck->GetValue() || row < 0 ||
        row >= static_cast<int>(fullscreen::editions().size()))
        return;
    w.offsetBox->SetValue(toolkit::fromUtf8(fullscreen::editions()[row].offset));
}

void chooseTopGap(CodeWindow& w) {
    const int row = w.gapChoice->GetSelection();
    if (row < 0 || row >= static_cast<int>(fullscreen::topGaps().size())) return;
    w.topGapValue = fullscreen::topGaps()[row].value;
}

void convert(CodeWindow& w, const std::function<int()>& pictureHeight) {
    // The offset lands in the page's CSS: anything but a plain integer is refused.
    const std::string offset = toolkit::toUtf8(w.offsetBox->GetValue());
    if (!fullscreen::isValidOffset(offset)) {
        showMessage(fullscreen::kBadOffsetMessage);
        return;
    }
    fullscreen::Settings settings;
    settings.code = toolkit::toUtf8(w.editor->GetText());
    settings.enabled = w.fullScreenCheck->GetValue();
    settings.edition = w.editionChoice->GetSelection();
    settings.offset = offset;
    settings.topGap = w.topGapValue;
    w.pictureHeight = text::number(pictureHeight ? pictureHeight() : 0);
    settings.pictureHeight = w.pictureHeight;
    w.workingCopy = fullscreen::convertToFullScreen(settings);
    const bool copied = toolkit::copyToClipboard(w.workingCopy);
    w.note->SetLabel(toolkit::fromUtf8(copied ? kConverted : kCopyFailed));
}
}  // namespace

void bindCodeWindow(CodeWindow& w, std::function<int()> pictureHeight) {
    w.copyButton->Bind(wxEVT_BUTTON, [&w](wxCommandEvent&) { copyCode(w); });
    w.fullScreenCheck->Bind(wxEVT_CHECKBOX, [&w](wxCommandEvent&) { switchConversion(w); });
    w.editionChoice->Bind(wxEVT_CHOICE, [&w](wxCommandEvent&) { chooseEdition(w); });
    w.gapChoice->Bind(wxEVT_CHOICE, [&w](wxCommandEvent&) { chooseTopGap(w); });
    w.convertButton->Bind(wxEVT_BUTTON,
                          [&w, pictureHeight](wxCommandEvent&) { convert(w, pictureHeight); });
}
