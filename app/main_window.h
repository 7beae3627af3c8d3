// The main window: creation with all its controls, and access to them.
#pragma once

#include <windows.h>

// Window classes registered by the program.
inline constexpr char kMainWindowClass[] = "FilnorMainWindow";
inline constexpr char kBannerClass[] = "FilnorBanner";

// Main window title.
inline constexpr char kMainWindowTitle[] = "Filnor v1.7 免费版";

// Control identifiers (WM_COMMAND ids and GetDlgItem on the control's parent).
enum ControlId : int {
    kIdBanner = 1001,      // 图片框_banner
    kIdGroup = 1002,       // 分组框2
    kIdPathBox = 1003,     // 编辑框2 (in the group box)
    kIdBrowse = 1004,      // 按钮_浏览2 (in the group box)
    kIdResultList = 1005,  // 超级列表框1 (in the group box)
    kIdWebSite = 1006,     // 按钮_官网
    kIdHelp = 1007,        // 按钮_帮助
    kIdClear = 1008,       // 按钮_清空
    kIdSave = 1009,        // 按钮_保存
    kIdStatusBar = 1010,   // 状态条1
};

// Creates the main window and its controls, runs the start-up work and shows
// it with the focus on the browse button. Returns null when the window
// cannot be created.
HWND CreateMainWindow(HINSTANCE instance);

// Finds a control of the main window by its id, whichever its parent.
HWND MainControl(HWND mainWindow, ControlId id);
