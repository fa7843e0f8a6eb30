// MainWindow's own texts, byte for byte. "\r\n" stands where a caption breaks its line.
#pragma once

namespace mainform {

inline constexpr const char* kTitle = "绘栈热点生成器";
inline constexpr const char* kProcessingGroup = "信息处理";
inline constexpr const char* kLoad = "加载图片";
inline constexpr const char* kClear = "清空";
inline constexpr const char* kPreview = "预览";
inline constexpr const char* kViewCode = "查看代码";
inline constexpr const char* kSettingsGroup = "属性设置";
inline constexpr const char* kColourLabels = "背景颜色：\r\n\r\n热点颜色：\r\n\r\n边框颜色：\r\n";
inline constexpr const char* kTransparencyLabel = "热点透明度：";
inline constexpr const char* kFixedHotspot =
    "固定热点\r\n150×100\r\n按住Shift键\r\n拖动鼠标可自\r\n由绘制热点区\r\n";
inline constexpr const char* kFocusGroup = "焦点属性";
inline constexpr const char* kFocusLabels =
    "焦点左边：\r\n\r\n焦点右边：\r\n\r\n焦点顶边：\r\n\r\n焦点底边：\r\n\r\n焦点宽度：\r\n\r\n焦点高度：\r\n\r\n\r\n";
inline constexpr const char* kInfoGroup = "热点信息";
inline constexpr const char* kTableHeading = " 序号         连接地址           提示文本 ";

struct TableColumn {
    const char* title;
    int width;
};
inline constexpr TableColumn kTableColumns[4] = {
    {"序号", 40}, {"链接地址", 135}, {"提示文字", 95}, {"", 10}};

inline constexpr const char* kStatusTexts[6] = {"图片路径：", "尚未加载图片", "图片宽度：", "",
                                                "图片高度：", ""};
inline constexpr const char* kNoPicture = "尚未加载图片";

inline constexpr const char* kHandleNames[8] = {"标签左上", "标签左中", "标签左下", "标签下中",
                                                "标签下右", "标签右中", "标签右上", "标签上中"};
inline constexpr int kHandleDesignLeft[8] = {16, 24, 32, 44, 56, 72, 88, 104};

// The menu bar.
inline constexpr const char* kFileMenu = "文件(&F)";
inline constexpr const char* kMenuNewProject = "新建工程(&N)";
inline constexpr const char* kMenuOpenProject = "打开工程(&O)…\tCtrl+O";
inline constexpr const char* kMenuSaveProject = "保存工程(&S)\tCtrl+S";
inline constexpr const char* kMenuSaveProjectAs = "工程另存为(&A)…\tCtrl+Shift+S";
inline constexpr const char* kMenuImportCode = "导入代码(&I)…";
inline constexpr const char* kMenuExit = "退出(&X)";
inline constexpr const char* kEditMenu = "编辑(&E)";
// Followed by the name of the step they would take; alone when there is none.
inline constexpr const char* kMenuUndo = "撤销";
inline constexpr const char* kMenuRedo = "重做";

inline constexpr const char* kMenuTitle = "删除热点";
inline constexpr const char* kMenuDelete = "删除";
inline constexpr const char* kMenuModify = "修改";
inline constexpr const char* kMenuLock = "锁定";
inline constexpr const char* kMenuUnlock = "解锁";

}  // namespace mainform
