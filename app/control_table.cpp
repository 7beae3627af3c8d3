// The layout of the main window's controls, as data.
#include "app/control_table.h"

#include <commctrl.h>

namespace {
constexpr DWORD kPushButton =
    WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
constexpr ControlId kWindow = static_cast<ControlId>(0);
}  // namespace

const ControlSpec kControlTable[] = {
    {"图片框_banner", kIdBanner, kBannerClass, kWindow, 16, 16, 590, 64, WS_CHILD, 0, ""},
    // The group box clips its children so its own painting never covers them.
    {"分组框2", kIdGroup, "BUTTON", kWindow, 16, 96, 590, 296,
     WS_CHILD | WS_CLIPCHILDREN | BS_GROUPBOX | BS_LEFT, 0, kDescriptionText},
    {"编辑框2", kIdPathBox, "EDIT", kIdGroup, 24, 26, 456, 20,
     WS_CHILD | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, ""},
    {"按钮_浏览2", kIdBrowse, "BUTTON", kIdGroup, 488, 18, 80, 32, kPushButton, 0, "浏览"},
    {"超级列表框1", kIdResultList, WC_LISTVIEWA, kIdGroup, 24, 60, 544, 216,
     WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL, WS_EX_CLIENTEDGE, ""},
    {"按钮_官网", kIdWebSite, "BUTTON", kWindow, 16, 400, 80, 32, kPushButton, 0, "官网"},
    {"按钮_帮助", kIdHelp, "BUTTON", kWindow, 112, 400, 80, 32, kPushButton, 0, "帮助"},
    {"按钮_清空", kIdClear, "BUTTON", kWindow, 432, 400, 80, 32, kPushButton, 0, "清空"},
    {"按钮_保存", kIdSave, "BUTTON", kWindow, 526, 400, 80, 32, kPushButton, 0, "保存"},
};
const int kControlCount = sizeof kControlTable / sizeof kControlTable[0];

const ControlId kFocusOrder[] = {kIdBrowse, kIdPathBox, kIdResultList, kIdWebSite,
                                 kIdHelp,   kIdSave,    kIdClear};
const int kFocusOrderCount = sizeof kFocusOrder / sizeof kFocusOrder[0];
