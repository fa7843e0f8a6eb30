// The program's message boxes: caption "绘栈提示", an information icon, OK (or OK
// and Cancel), no owner window, modal for the whole program.
#pragma once

#include <string>

// Returns wxID_OK or wxID_CANCEL (closing the box counts as Cancel).
int showMessage(const std::string& utf8Text, bool withCancel = false);

// The question before unsaved work is thrown away, with the buttons 保存, 不保存
// and 取消: returns wxID_YES, wxID_NO or wxID_CANCEL (closing the box counts as 取消).
int askSaveChanges(const std::string& utf8Text);

inline constexpr const char* kMessageCaption = "绘栈提示";
inline constexpr const char* kOkLabel = "确定";
inline constexpr const char* kCancelLabel = "取消";
