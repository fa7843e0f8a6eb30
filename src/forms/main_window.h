// MainWindow: the canvas on the left, the panel of four groups on the right, the
// status bar along the bottom, and the hidden popup menu. Built from its control table.
#pragma once

#include <wx/frame.h>

#include <array>
#include <memory>

#include "core/app_state.h"
#include "core/document.h"
#include "core/hotspot_list.h"
#include "core/hotspot_resize.h"
#include "core/undo_history.h"

class CanvasCtrl;
class DocumentView;
class RepaintThread;
class wxButton;
class wxColourPickerCtrl;
class wxListBox;
class wxListCtrl;
class wxMenu;
class wxMenuBar;
class wxMenuItem;
struct ProjectSession;
struct DesktopSession;
class wxPanel;
class wxSlider;
class wxStaticBox;
class wxControl;
class wxStatusBar;
class wxTextCtrl;

// A 5 x 5 blue selection marker; a window of its own so it stays above the canvas.
class HandleLabel;

// Indexes of the eight handle labels, in the order of the control table.
enum HandleIndex {
    kHandleTopLeft,      // 标签左上
    kHandleMiddleLeft,   // 标签左中
    kHandleBottomLeft,   // 标签左下
    kHandleBottomMiddle, // 标签下中
    kHandleBottomRight,  // 标签下右
    kHandleMiddleRight,  // 标签右中
    kHandleTopRight,     // 标签右上
    kHandleTopMiddle,    // 标签上中
    kHandleCount
};

// Status bar panes.
enum StatusPane { kPanePathLabel, kPanePath, kPaneWidthLabel, kPaneWidth, kPaneHeightLabel, kPaneHeight };

class MainWindow : public wxFrame {
public:
    explicit MainWindow(AppState& state);
    ~MainWindow() override;

    AppState& state;
    // The work: every hotspot, the selection, the colours and the address for the code.
    doc::Document document;
    HotspotList hotspots;  // the document's hotspots as hotspotListBox and hotspotTable show them

    CanvasCtrl* canvas = nullptr;                   // 动画框1
    wxPanel* panel = nullptr;                       // 外形框1
    wxStaticBox* processingGroup = nullptr;         // 分组框2 "信息处理"
    wxButton* loadButton = nullptr;                 // 按钮载入
    wxButton* clearButton = nullptr;                // 按钮清空
    wxButton* previewButton = nullptr;              // 按钮预览
    wxButton* viewCodeButton = nullptr;             // 按钮查看代码
    wxStaticBox* settingsGroup = nullptr;           // 分组框1 "属性设置"
    wxControl* colourLabels = nullptr;           // 标签1
    wxColourPickerCtrl* backgroundPicker = nullptr; // 颜色选择器3
    wxColourPickerCtrl* hotspotPicker = nullptr;    // 颜色选择器1
    wxColourPickerCtrl* borderPicker = nullptr;     // 颜色选择器2
    wxControl* transparencyLabel = nullptr;      // 标签2
    wxTextCtrl* transparencyBox = nullptr;          // 编辑框1
    wxSlider* transparencySlider = nullptr;         // 滑块条1
    wxButton* fixedHotspotButton = nullptr;         // 按钮模拟
    wxStaticBox* focusGroup = nullptr;              // 分组框3 "焦点属性"
    wxListBox* hotspotListBox = nullptr;            // 列表框1
    wxControl* focusLabels = nullptr;            // 标签3
    wxTextCtrl* focusLeft = nullptr;                // 编辑框左
    wxTextCtrl* focusRight = nullptr;               // 编辑框右
    wxTextCtrl* focusTop = nullptr;                 // 编辑框顶
    wxTextCtrl* focusBottom = nullptr;              // 编辑框底
    wxTextCtrl* focusWidth = nullptr;               // 编辑框宽
    wxTextCtrl* focusHeight = nullptr;              // 编辑框高
    wxStaticBox* infoGroup = nullptr;               // 分组框4 "热点信息"
    wxControl* tableHeading = nullptr;           // 标签4
    wxListCtrl* hotspotTable = nullptr;             // 超级列表框1
    wxStatusBar* statusBar = nullptr;               // 状态条1
    std::array<wxWindow*, kHandleCount> handles{};  // 标签左上 ... 标签上中
    wxMenuBar* menuBar = nullptr;
    wxMenu* fileMenu = nullptr;                     // 文件(&F)
    wxMenuItem* menuNewProject = nullptr;
    wxMenuItem* menuOpenProject = nullptr;
    wxMenuItem* menuSaveProject = nullptr;
    wxMenuItem* menuSaveProjectAs = nullptr;
    wxMenuItem* menuImportCode = nullptr;
    wxMenuItem* menuExit = nullptr;
    wxMenu* editMenu = nullptr;                     // 编辑(&E)
    wxMenuItem* menuUndo = nullptr;                 // 撤销 and the step it would take back
    wxMenuItem* menuRedo = nullptr;                 // 重做 and the step it would take again
    wxMenu* hotspotMenu = nullptr;                  // 删除热点 (popup only)
    wxMenuItem* menuDelete = nullptr;               // 删除
    wxMenuItem* menuModify = nullptr;               // 修改
    wxMenuItem* menuLock = nullptr;                 // 锁定 / 解锁

    // Runs the main-window layout (on every move and resize).
    void runLayout();
    // Hides the eight handle labels in the order the layout and the reset use.
    void hideHandles();
    // Sets a status pane's text.
    void setStatusText(StatusPane pane, const wxString& text);
    // Sets a status pane's width in pixels.
    void setStatusWidth(StatusPane pane, int width);
    int statusWidth(StatusPane pane) const;

    // The steps 撤销 and 重做 take back and forward.
    undo::UndoHistory undoHistory;
    // The object the handles were last placed around, and a handle being dragged.
    int handlesObject = 0;
    HandleDrag handleDrag;
    bool focusWritePending = false;  // the focus boxes wait for the resize's latest size
    // Wheel rotation short of a pixel, across and down.
    Point wheelRemainder;

    // The project being worked on: its file, what was saved, the recovery file.
    std::unique_ptr<ProjectSession> session;
    // The window's remembered place and the recent projects.
    std::unique_ptr<DesktopSession> desktop;

private:
    void buildControls();
    void buildMenuBar();
    void onCreated();
    std::unique_ptr<HotspotListView> listView_;
    std::unique_ptr<DocumentView> documentView_;
    std::unique_ptr<RepaintThread> repaintThread_;
    int openMenus_ = 0;  // menus of the bar and popups now open: an Esc is theirs
    std::array<int, 6> paneWidths_{{65, 250, 66, 80, 66, 80}};
};

// Every subsystem wires its handlers onto the main window through one of these.
void bindPictureLoading(MainWindow& window);  // load button, drop handler
void bindHotspotEditing(MainWindow& window);  // create, select, delete, lock, colours, close
void bindCanvasHandlers(MainWindow& window);  // press, drag, popup menu
void bindCodeOutput(MainWindow& window);      // 查看代码
void bindHotspotInfo(MainWindow& window);     // 修改, double clicks on a hotspot
void bindDrawOverlay(MainWindow& window);     // Shift: the drawing overlay
void bindProjectFiles(MainWindow& window);    // the 文件 menu, unsaved changes, recovery
void bindPreview(MainWindow& window);         // 预览
void bindUndo(MainWindow& window);            // 撤销, 重做 and their keys
void bindCanvasEditing(MainWindow& window);   // handles, arrow keys, Delete, the wheel
void bindFocusValues(MainWindow& window);     // values typed into the six focus boxes
