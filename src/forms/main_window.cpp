#include "forms/main_window.h"

#include <wx/button.h>
#include <wx/clrpicker.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/menuitem.h>
#include <wx/panel.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include <algorithm>

#include "app/desktop.h"
#include "app/repaint_thread.h"
#include "canvas/canvas_ctrl.h"
#include "core/main_layout.h"
#include "forms/main_window_texts.h"
#include "hotspots/document_view.h"
#include "hotspots/hotspot_list_view.h"
#include "project/project_session.h"
#include "toolkit/widgets.h"

class HandleLabel : public wxWindow {
public:
    HandleLabel(wxWindow* parent, const wxPoint& pos, const wxString& name)
        : wxWindow(parent, wxID_ANY, pos, wxSize(5, 5), wxBORDER_NONE, name) {
        SetBackgroundColour(wxColour(0, 0, 255));
    }
    bool AcceptsFocus() const override { return false; }
};

MainWindow::MainWindow(AppState& appState)
    : wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(mainform::kTitle), wxDefaultPosition,
              wxSize(971, 682), wxDEFAULT_FRAME_STYLE, "MainWindow"),
      state(appState) {
    SetFont(toolkit::uiFont());
    buildControls();
    SetSize(971, 682);
    // The menu bar comes on top of the designed client area: the window grows by
    // its height, so the layout sees the size it was designed for.
    const wxSize designedClient = GetClientSize();
    buildMenuBar();
    SetClientSize(designedClient);
    Centre();
    onCreated();
    // Loading the window fires its moved and resized events once each.
    Bind(wxEVT_MOVE, [this](wxMoveEvent& e) {
        runLayout();
        e.Skip();
    });
    // GTK re-sends the frame's unchanged size whenever a child (a handle) is shown;
    // only a real change of size runs the layout.
    Bind(wxEVT_SIZE, [this, laidOut = std::make_pair(wxSize(), wxSize())](wxSizeEvent& e) mutable {
        const auto now = std::make_pair(e.GetSize(), GetClientSize());
        if (now != laidOut) {
            laidOut = now;
            runLayout();
        }
        e.Skip();
    });
    // A plain Esc closes the window (and so ends the program), unless it closes
    // an open menu: then it is the menu's alone.
    Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& e) {
        ++openMenus_;
        e.Skip();
    });
    Bind(wxEVT_MENU_CLOSE, [this](wxMenuEvent& e) {
        openMenus_ = std::max(0, openMenus_ - 1);
        e.Skip();
    });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_ESCAPE && e.GetModifiers() == wxMOD_NONE && openMenus_ == 0) {
            // Once the key is done with: a close question opened inside the key
            // handler would take this very Esc on Windows and vanish at once.
            CallAfter([this] { Close(); });
            return;
        }
        e.Skip();
    });
    runLayout();
    runLayout();
}

MainWindow::~MainWindow() {
    session.reset();
    state.repaintStop = 1;
    repaint::noteInvalid();  // wake the thread so it sees the flag at once
    if (repaintThread_) repaintThread_->join();
    document.setObserver(nullptr);
    hotspots.setView(nullptr);
    delete hotspotMenu;  // a popup menu belongs to no menu bar: the window owns it
}

void MainWindow::buildControls() {
    using namespace mainform;
    using toolkit::fromUtf8;
    canvas = new CanvasCtrl(this, wxID_ANY, wxPoint(11, 34), wxSize(637, 462), fromUtf8("动画框1"));
    toolkit::placed(canvas, toolkit::on(this));

    panel = new wxPanel(this, wxID_ANY, wxPoint(664, 7), wxSize(295, 625), wxBORDER_NONE,
                        fromUtf8("外形框1"));
    toolkit::placed(panel, toolkit::on(this));

    processingGroup = toolkit::groupBox(toolkit::on(panel), "分组框2", kProcessingGroup, {2, 9, 292, 48});
    processingGroup->SetForegroundColour(wxColour(0, 96, 192));
    loadButton = toolkit::button(toolkit::in(processingGroup), "按钮载入", kLoad, {8, 15, 63, 24});
    clearButton = toolkit::button(toolkit::in(processingGroup), "按钮清空", kClear, {79, 15, 63, 24});
    previewButton = toolkit::button(toolkit::in(processingGroup), "按钮预览", kPreview, {150, 15, 63, 24});
    viewCodeButton = toolkit::button(toolkit::in(processingGroup), "按钮查看代码", kViewCode, {223, 15, 63, 24});

    settingsGroup = toolkit::groupBox(toolkit::on(panel), "分组框1", kSettingsGroup, {2, 62, 292, 143});
    colourLabels = toolkit::label(toolkit::in(settingsGroup), "标签1", kColourLabels, {18, 23, 64, 60});
    backgroundPicker = toolkit::colourPicker(toolkit::in(settingsGroup), "颜色选择器3", wxColour(255, 255, 255), {77, 16, 96, 24});
    hotspotPicker = toolkit::colourPicker(toolkit::in(settingsGroup), "颜色选择器1", wxColour(255, 0, 255), {77, 40, 96, 24});
    borderPicker = toolkit::colourPicker(toolkit::in(settingsGroup), "颜色选择器2", wxColour(0, 128, 0), {77, 63, 96, 24});
    transparencyLabel = toolkit::label(toolkit::in(settingsGroup), "标签2", kTransparencyLabel, {18, 94, 104, 16});
    transparencyBox = toolkit::editBox(toolkit::in(settingsGroup), "编辑框1", "", {88, 91, 82, 20});
    // A short-integer box: only digits and the minus sign can be typed.
    wxTextValidator digits(wxFILTER_INCLUDE_CHAR_LIST);
    digits.SetCharIncludes("0123456789-");
    transparencyBox->SetValidator(digits);
    const toolkit::Place settings = toolkit::in(settingsGroup);
    transparencySlider = new wxSlider(panel, wxID_ANY, 50, 1, 100, toolkit::pos(settings, {8, 116, 277, 16}),
                                      wxSize(277, 16), wxSL_HORIZONTAL, wxDefaultValidator,
                                      fromUtf8("滑块条1"));
    toolkit::placed(transparencySlider, settings);
    transparencySlider->SetPageSize(5);
    transparencySlider->SetLineSize(1);
    fixedHotspotButton = toolkit::button(toolkit::in(settingsGroup), "按钮模拟", kFixedHotspot, {184, 19, 96, 88});

    focusGroup = toolkit::groupBox(toolkit::on(panel), "分组框3", kFocusGroup, {2, 206, 292, 171});
    focusGroup->SetForegroundColour(wxColour(0, 96, 192));
    const toolkit::Place focus = toolkit::in(focusGroup);
    hotspotListBox = new wxListBox(panel, wxID_ANY, toolkit::pos(focus, {4, 16, 120, 147}),
                                   wxSize(120, 147), 0, nullptr, wxLB_SINGLE, wxDefaultValidator,
                                   fromUtf8("列表框1"));
    toolkit::placed(hotspotListBox, focus);
    focusLabels = toolkit::label(toolkit::in(focusGroup), "标签3", kFocusLabels, {131, 20, 64, 138});
    // A value typed into a focus box applies on Enter.
    const long kTyped = wxTE_PROCESS_ENTER;
    focusLeft = toolkit::editBox(toolkit::in(focusGroup), "编辑框左", "", {189, 14, 90, 24}, kTyped);
    focusRight = toolkit::editBox(toolkit::in(focusGroup), "编辑框右", "", {189, 38, 90, 24}, kTyped);
    focusTop = toolkit::editBox(toolkit::in(focusGroup), "编辑框顶", "", {189, 62, 90, 24}, kTyped);
    focusBottom = toolkit::editBox(toolkit::in(focusGroup), "编辑框底", "", {189, 86, 90, 24}, kTyped);
    focusWidth = toolkit::editBox(toolkit::in(focusGroup), "编辑框宽", "", {189, 110, 90, 24}, kTyped);
    focusHeight = toolkit::editBox(toolkit::in(focusGroup), "编辑框高", "", {189, 134, 90, 24}, kTyped);

    infoGroup = toolkit::groupBox(toolkit::on(panel), "分组框4", kInfoGroup, {2, 377, 292, 248});
    infoGroup->SetForegroundColour(wxColour(0, 96, 192));
    tableHeading = toolkit::label(toolkit::in(infoGroup), "标签4", kTableHeading, {6, 16, 272, 16});
    const toolkit::Place info = toolkit::in(infoGroup);
    hotspotTable = new wxListCtrl(panel, wxID_ANY, toolkit::pos(info, {4, 32, 284, 186}),
                                  wxSize(284, 186), wxLC_REPORT | wxLC_SINGLE_SEL,
                                  wxDefaultValidator, fromUtf8("超级列表框1"));
    toolkit::placed(hotspotTable, info);
    for (const TableColumn& c : kTableColumns)
        hotspotTable->AppendColumn(fromUtf8(c.title), wxLIST_FORMAT_LEFT, c.width);

    statusBar = CreateStatusBar(6, wxSTB_DEFAULT_STYLE & ~wxSTB_SIZEGRIP, wxID_ANY,
                                fromUtf8("状态条1"));
    statusBar->SetStatusWidths(6, paneWidths_.data());
    const int styles[6] = {wxSB_FLAT, wxSB_SUNKEN, wxSB_FLAT, wxSB_SUNKEN, wxSB_FLAT, wxSB_SUNKEN};
    statusBar->SetStatusStyles(6, styles);
    for (int i = 0; i < 6; ++i) statusBar->SetStatusText(fromUtf8(kStatusTexts[i]), i);
    // The generic status bar keeps a margin inside each pane: a slightly smaller
    // font lets "图片路径：" fit its 65 pixels.
    statusBar->SetFont(toolkit::uiFont(8));

    // Created after the canvas, so they stack above it.
    for (int i = 0; i < kHandleCount; ++i)
        handles[i] = new HandleLabel(this, wxPoint(kHandleDesignLeft[i], 8), fromUtf8(kHandleNames[i]));

    hotspotMenu = new wxMenu;
    menuDelete = hotspotMenu->Append(wxID_ANY, fromUtf8(kMenuDelete));
    menuModify = hotspotMenu->Append(wxID_ANY, fromUtf8(kMenuModify));
    menuLock = hotspotMenu->Append(wxID_ANY, fromUtf8(kMenuLock));

    listView_ = makeHotspotListView(hotspotListBox, hotspotTable);
    hotspots.setView(listView_.get());
    // The document starts with the settings the controls were built with, then they show it.
    document.setSettings(settingsShown(*this));
    documentView_ = std::make_unique<DocumentView>(*this);
    document.setObserver(documentView_.get());
}

void MainWindow::buildMenuBar() {
    using namespace mainform;
    using toolkit::fromUtf8;
    fileMenu = new wxMenu;
    menuNewProject = fileMenu->Append(wxID_NEW, fromUtf8(kMenuNewProject));
    menuOpenProject = fileMenu->Append(wxID_OPEN, fromUtf8(kMenuOpenProject));
    menuSaveProject = fileMenu->Append(wxID_SAVE, fromUtf8(kMenuSaveProject));
    menuSaveProjectAs = fileMenu->Append(wxID_SAVEAS, fromUtf8(kMenuSaveProjectAs));
    fileMenu->AppendSeparator();
    menuImportCode = fileMenu->Append(wxID_ANY, fromUtf8(kMenuImportCode));
    fileMenu->AppendSeparator();
    menuExit = fileMenu->Append(wxID_EXIT, fromUtf8(kMenuExit));
    editMenu = new wxMenu;
    menuUndo = editMenu->Append(wxID_ANY, fromUtf8(kMenuUndo));
    menuRedo = editMenu->Append(wxID_ANY, fromUtf8(kMenuRedo));
    menuBar = new wxMenuBar;
    menuBar->Append(fileMenu, fromUtf8(kFileMenu));
    menuBar->Append(editMenu, fromUtf8(kEditMenu));
    SetMenuBar(menuBar);
}

// The created steps: themed style, canvas colour, drop area, repaint thread.
void MainWindow::onCreated() {
    toolkit::applyThemedStyle(2);
    wxColour bg = backgroundPicker->GetColour();
    canvas->setCanvasBackground(packRgb(bg.Red(), bg.Green(), bg.Blue()));
    state.repaintStop = 0;
    repaintThread_ = std::make_unique<RepaintThread>();
    repaintThread_->start(&state.repaintStop, [this] {
        CallAfter([this] {
            Update();
            canvas->Update();
        });
    });
}

void MainWindow::hideHandles() {
    static const int order[] = {kHandleTopRight,  kHandleMiddleRight, kHandleBottomRight,
                                kHandleTopLeft,   kHandleMiddleLeft,  kHandleBottomLeft,
                                kHandleBottomMiddle, kHandleTopMiddle};
    for (int i : order) handles[i]->Hide();
}

void MainWindow::runLayout() {
    if (!canvas || !statusBar) return;
    hideHandles();
    // The status bar is part of the client area in the layout's terms.
    const wxSize client = GetClientSize();
    const int statusHeight = statusBar->GetSize().GetHeight();
    const MainLayout l = computeMainLayout(client.GetWidth(), client.GetHeight() + statusHeight,
                                           statusHeight);
    canvas->SetSize(l.canvas.left, l.canvas.top, std::max(0, l.canvas.width),
                    std::max(0, l.canvas.height));
    panel->SetSize(l.panel.left, l.panel.top, l.panel.width, std::max(0, l.panel.height));
    const wxRect g4 = infoGroup->GetRect();
    infoGroup->SetSize(g4.x, g4.y, g4.width, std::max(0, l.group4Height));
    const wxRect t = hotspotTable->GetRect();
    hotspotTable->SetSize(t.x, t.y, t.width, std::max(0, l.tableHeight));
    // Show the slider position in its number box, as the slider handler does.
    transparencyBox->SetValue(wxString::Format("%d", transparencySlider->GetValue()));
}

void MainWindow::setStatusText(StatusPane pane, const wxString& text) {
    statusBar->SetStatusText(text, pane);
}

void MainWindow::setStatusWidth(StatusPane pane, int width) {
    paneWidths_[pane] = width;
    statusBar->SetStatusWidths(6, paneWidths_.data());
}

int MainWindow::statusWidth(StatusPane pane) const { return paneWidths_[pane]; }
