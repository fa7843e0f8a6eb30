#include "forms/code_window.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/panel.h>
#include <wx/stc/stc.h>
#include <wx/textctrl.h>

#include "core/full_screen.h"
#include "toolkit/widgets.h"

using toolkit::fromUtf8;

CodeWindow::CodeWindow(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, fromUtf8(codeform::kCaption), wxDefaultPosition, wxSize(718, 590),
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU, "CodeWindow"),
      templateText(fullscreen::fullScreenTemplate) {
    SetFont(toolkit::uiFont());
    buildControls();
    configureEditor();
    SetSize(718, 590);
    CentreOnScreen();
    // A plain Esc closes the window like its close box.
    toolkit::closeOnPlainEscape(this);
}

void CodeWindow::buildControls() {
    using namespace codeform;
    using toolkit::Place;
    const Place self = toolkit::on(this);

    frame = new wxPanel(this, wxID_ANY, wxPoint(0, 0), wxSize(712, 480), wxBORDER_NONE,
                        fromUtf8("外形框1"));
    toolkit::placed(frame, self);
    frame->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(frame);
        dc.SetPen(wxPen(wxColour(128, 128, 128)));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(frame->GetClientRect());
    });

    editor = new wxStyledTextCtrl(frame, wxID_ANY, wxPoint(3, 3), wxSize(706, 474), 0,
                                  fromUtf8("代码编辑框1"));
    toolkit::placed(editor, toolkit::on(frame));

    note = toolkit::label(self, "标签1", kNote, {7, 486, 572, 28});
    copyButton = toolkit::button(self, "按钮复制", kCopy, {590, 488, 112, 28});

    fullScreenCheck = new wxCheckBox(this, wxID_ANY, fromUtf8(kFullScreen), wxPoint(11, 528),
                                     wxSize(213, 24), 0, wxDefaultValidator, fromUtf8("选择框1"));
    toolkit::placed(fullScreenCheck, self);

    wxArrayString editionItems;
    for (const auto& e : fullscreen::editions()) editionItems.Add(fromUtf8(e.item));
    editionChoice = new wxChoice(this, wxID_ANY, wxPoint(235, 529), wxSize(104, 20), editionItems,
                                 0, wxDefaultValidator, fromUtf8("组合框1"));
    toolkit::placed(editionChoice, self);
    editionChoice->SetSelection(0);
    editionChoice->Disable();

    offsetLabel = toolkit::label(self, "标签2", kOffset, {350, 527, 42, 24});
    offsetBox = toolkit::editBox(self, "编辑框1", kInitialOffset, {396, 527, 40, 24});
    offsetBox->Disable();
    gapLabel = toolkit::label(self, "标签3", kRemoveGap, {445, 527, 64, 24});

    wxArrayString gapItems;
    for (const auto& g : fullscreen::topGaps()) gapItems.Add(fromUtf8(g.item));
    // 70 px rather than 61: GTK's drop-down arrow leaves 61 px too little for "不消除".
    gapChoice = new wxChoice(this, wxID_ANY, wxPoint(514, 529), wxSize(70, 20), gapItems, 0,
                             wxDefaultValidator, fromUtf8("组合框2"));
    toolkit::placed(gapChoice, self);
    gapChoice->SetSelection(0);
    gapChoice->Disable();

    convertButton = toolkit::button(self, "按钮1", kConvert, {590, 523, 112, 28});
    convertButton->SetFont(toolkit::uiFont().Bold());
    convertButton->Disable();
}

void CodeWindow::configureEditor() {
    // A plain-text editor: no lexer, one style for everything.
    editor->SetLexer(wxSTC_LEX_NULL);
    editor->StyleSetFont(wxSTC_STYLE_DEFAULT, toolkit::uiFont());
    editor->StyleClearAll();
    editor->SetUseHorizontalScrollBar(true);
    editor->SetUseVerticalScrollBar(true);
    editor->SetWrapMode(wxSTC_WRAP_NONE);
    editor->SetIndentationGuides(wxSTC_IV_NONE);
    editor->SetViewWhiteSpace(wxSTC_WS_INVISIBLE);
    editor->SetViewEOL(false);
    editor->SetEOLMode(wxSTC_EOL_CRLF);
    editor->SetSelForeground(true, *wxWHITE);
    editor->SetSelBackground(true, wxColour(0, 0, 128));
    editor->SetCaretForeground(*wxBLACK);
    editor->SetCaretWidth(1);
    editor->SetCaretPeriod(500);
    editor->SetMarginWidth(0, 0);
    editor->SetMarginWidth(1, 0);  // the symbol margin
    editor->SetMarginWidth(2, 0);
    editor->SetReadOnly(false);
}

void CodeWindow::showCode(const std::optional<std::string>& code) {
    if (!code) {
        SetTitle(fromUtf8(codeform::kTitleNoCode));
        return;
    }
    SetTitle(fromUtf8(codeform::kTitleCode));
    // The editor holds UTF-8: hand the bytes over as they are. Nothing listens to
    // the change notification, which would copy the whole text into an event.
    const int mask = editor->GetModEventMask();
    editor->SetModEventMask(0);
    editor->AddTextRaw(code->data(), static_cast<int>(code->size()));
    editor->SetModEventMask(mask);
}
