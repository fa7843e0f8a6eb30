// The program's message boxes: caption "绘栈提示", an information icon, OK (or OK
// and Cancel), no owner window, modal for the whole program.
#pragma once

#include <string>

// Returns wxID_OK or wxID_CANCEL (closing the box counts as Cancel).
int showMessage(const std::string& utf8Text, bool withCancel = false);

inline constexpr const char* kMessageCaption = "绘栈提示";
inline constexpr const char* kOkLabel = "确定";
inline constexpr const char* kCancelLabel = "取消";
