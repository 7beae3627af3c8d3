// The layout of the main window's controls, as data.
#pragma once

#include <windows.h>

#include "app/main_window.h"

struct ControlSpec {
    const char* name;  // the control's name in the layout
    ControlId id;
    const char* className;
    ControlId parent;              // 0: the main window itself
    int left, top, width, height;  // relative to the parent's client area
    DWORD style;                   // without WS_VISIBLE: controls are shown after creation
    DWORD exStyle;
    const char* text;
};

// Every control but the status bar, which docks itself (see status_bar.h).
// Parents come before their children.
extern const ControlSpec kControlTable[];
extern const int kControlCount;

// The order in which Tab moves the focus.
extern const ControlId kFocusOrder[];
extern const int kFocusOrderCount;

// The description shown as the group box's caption.
inline constexpr char kDescriptionText[] =
    "软件功能：批量提取指定文件夹（包含子文件夹）下所有文件的文件名，保存到桌面文本文件中";
