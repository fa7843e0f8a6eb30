// Undo and redo on the main window: each user action recorded as a named step,
// the 编辑 menu's 撤销 and 重做 items that name it, and their keys.
#pragma once

#include <string>

#include "core/undo_history.h"

class MainWindow;

// The names the steps go by in the menu: "撤销" or "重做" and the name.
inline constexpr const char* kStepAdd = "添加热点";
inline constexpr const char* kStepMove = "移动热点";
inline constexpr const char* kStepResize = "调整热点大小";
inline constexpr const char* kStepEdit = "修改热点信息";
inline constexpr const char* kStepLock = "锁定热点";
inline constexpr const char* kStepUnlock = "解锁热点";
inline constexpr const char* kStepDelete = "删除热点";
inline constexpr const char* kStepHotspotColour = "修改热点颜色";
inline constexpr const char* kStepBorderColour = "修改边框颜色";
inline constexpr const char* kStepBackground = "修改背景颜色";
inline constexpr const char* kStepTransparency = "修改热点透明度";
inline constexpr const char* kStepImport = "导入代码";

// The pickers and the slider as set by the program's own code (not by the user, whose
// changes are steps) become the document's settings.
void takeSettingsFromControls(MainWindow& window);

// A step begins with the work as it is now and ends with the work as it is then;
// ending notes the work (title, recovery file) and updates the menu. Steps with
// the same merge key less than a second apart are one step.
void beginUndoStep(MainWindow& window, const char* name, const std::string& mergeKey = {});
void endUndoStep(MainWindow& window);

// One step around a handler's work, from here to the end of the scope.
class UndoStep {
  public:
    UndoStep(MainWindow& window, const char* name, const std::string& mergeKey = {});
    ~UndoStep();
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

  private:
    MainWindow& window_;
};

// A colour picked or the transparency changed: the controls have the new value already.
void recordSettingsStep(MainWindow& window, const char* name, const std::string& mergeKey = {});

// Takes the last step back, or forward again. Nothing happens while the mouse
// button still holds a drag.
void undoLastStep(MainWindow& window);
void redoLastStep(MainWindow& window);

// Forgets every step: the work was replaced (清空, a project opened, a new picture).
void forgetUndoSteps(MainWindow& window);

// 撤销 and 重做 name the step they would take, and are disabled without one.
void refreshUndoMenu(MainWindow& window);
