// The main window as created: frame, position, the layout of every control,
// the result list's columns and the status bar's start-up parts.

#include <string>

#include "tests/window/window_fixture.h"

#include "app/status_bar.h"
#include "appearance/links.h"

using testing_support::WindowText;

namespace {

std::string ClassOf(HWND w) {
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    return cls;
}

// A control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND w) {
    RECT rc;
    GetWindowRect(w, &rc);
    MapWindowPoints(HWND_DESKTOP, GetParent(w), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

struct Expected {
    ControlId id;
    const char* className;
    ControlId parent;  // 0: the main window
    int left, top, width, height;
    DWORD requiredStyle;
    DWORD forbiddenStyle;
    DWORD requiredExStyle;
    const char* text;
};

constexpr DWORD kButtonStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_MULTILINE;
constexpr DWORD kNotDefault = BS_DEFPUSHBUTTON | BS_BITMAP | BS_ICON | WS_DISABLED;

const Expected kLayout[] = {
    {kIdBanner, "FilnorBanner", ControlId(0), 16, 16, 590, 64, WS_CHILD | WS_VISIBLE,
     WS_BORDER | WS_TABSTOP, 0, ""},
    {kIdGroup, "Button", ControlId(0), 16, 96, 590, 296, WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
     WS_TABSTOP, 0,
     "软件功能：批量提取指定文件夹（包含子文件夹）下所有文件的文件名，保存到桌面文本文件中"},
    {kIdPathBox, "Edit", kIdGroup, 24, 26, 456, 20,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
     ES_READONLY | ES_PASSWORD | ES_UPPERCASE | ES_LOWERCASE | ES_NOHIDESEL | ES_CENTER | ES_RIGHT |
         ES_MULTILINE,
     WS_EX_CLIENTEDGE, ""},
    {kIdBrowse, "Button", kIdGroup, 488, 18, 80, 32, kButtonStyle, kNotDefault, 0, "浏览"},
    {kIdResultList, "SysListView32", kIdGroup, 24, 60, 544, 216,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL,
     LVS_SHOWSELALWAYS | LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_EDITLABELS |
         LVS_NOSORTHEADER | LVS_NOCOLUMNHEADER,
     WS_EX_CLIENTEDGE, ""},
    {kIdWebSite, "Button", ControlId(0), 16, 400, 80, 32, kButtonStyle, kNotDefault, 0, "官网"},
    {kIdHelp, "Button", ControlId(0), 112, 400, 80, 32, kButtonStyle, kNotDefault, 0, "帮助"},
    {kIdClear, "Button", ControlId(0), 432, 400, 80, 32, kButtonStyle, kNotDefault, 0, "清空"},
    {kIdSave, "Button", ControlId(0), 526, 400, 80, 32, kButtonStyle, kNotDefault, 0, "保存"},
};

}  // namespace

TEST_F(MainWindowTest, FrameTitleSizeAndPosition) {
    EXPECT_EQ("Filnor v1.7 免费版", WindowText(window));
    RECT rc;
    GetWindowRect(window, &rc);
    EXPECT_EQ(630, rc.right - rc.left);
    EXPECT_EQ(495, rc.bottom - rc.top);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 630) / 2, rc.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 495) / 2, rc.top);

    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(WS_CAPTION, style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP));
    // The system may add the window-edge bit for a captioned window; nothing else.
    EXPECT_EQ(0, GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE);
    EXPECT_EQ(nullptr, GetWindow(window, GW_OWNER));
    EXPECT_TRUE(IsWindowVisible(window));

    EXPECT_NE(0, SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(SendMessageA(window, WM_GETICON, ICON_BIG, 0),
              SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)),
              SendMessageA(window, WM_GETFONT, 0, 0));
}

TEST_F(MainWindowTest, CannotBeResizedOrMaximised) {
    // A drag on the border finds no sizing edge, and a maximise request
    // through the caption double-click path leaves the size alone.
    RECT rc;
    GetWindowRect(window, &rc);
    const LRESULT hit =
        SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(rc.right - 1, rc.bottom - 1));
    EXPECT_NE(HTBOTTOMRIGHT, hit);
    SendMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(rc.left + 50, rc.top + 10));
    testing_support::PumpFor(50);
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_EQ(630, after.right - after.left);
    EXPECT_EQ(495, after.bottom - after.top);
    EXPECT_FALSE(IsZoomed(window));
}

TEST_F(MainWindowTest, EveryControlHasItsPlaceKindStylesAndText) {
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const Expected& e : kLayout) {
        SCOPED_TRACE(e.id);
        HWND c = Control(e.id);
        ASSERT_NE(nullptr, c);
        EXPECT_STRCASEEQ(e.className, ClassOf(c).c_str());
        EXPECT_EQ(e.parent ? Control(e.parent) : window, GetParent(c));
        const RECT rc = RectInParent(c);
        EXPECT_EQ(e.left, rc.left);
        EXPECT_EQ(e.top, rc.top);
        EXPECT_EQ(e.width, rc.right - rc.left);
        EXPECT_EQ(e.height, rc.bottom - rc.top);
        const DWORD style = static_cast<DWORD>(GetWindowLongA(c, GWL_STYLE));
        EXPECT_EQ(e.requiredStyle, style & e.requiredStyle);
        EXPECT_EQ(0u, style & e.forbiddenStyle);
        EXPECT_EQ(e.requiredExStyle,
                  static_cast<DWORD>(GetWindowLongA(c, GWL_EXSTYLE)) & e.requiredExStyle);
        EXPECT_EQ(e.text, WindowText(c));
        if (e.id != kIdBanner) {
            EXPECT_EQ(reinterpret_cast<LRESULT>(font), SendMessageA(c, WM_GETFONT, 0, 0));
        }
        EXPECT_TRUE(IsWindowEnabled(c));
    }
    // Push buttons are plain push buttons, the group box is left-aligned.
    for (ControlId id : {kIdBrowse, kIdWebSite, kIdHelp, kIdClear, kIdSave}) {
        EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongA(Control(id), GWL_STYLE) & BS_TYPEMASK);
    }
    EXPECT_EQ(BS_LEFT, GetWindowLongA(Control(kIdGroup), GWL_STYLE) & (BS_LEFT | BS_RIGHT));
    // Group box children in window client coordinates.
    const struct {
        ControlId id;
        int x, y;
    } inWindow[] = {{kIdPathBox, 40, 122}, {kIdBrowse, 504, 114}, {kIdResultList, 40, 156}};
    for (const auto& p : inWindow) {
        RECT rc;
        GetWindowRect(Control(p.id), &rc);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(p.x, rc.left) << p.id;
        EXPECT_EQ(p.y, rc.top) << p.id;
    }
    // The path box has no length limit beyond the control's maximum.
    EXPECT_GE(static_cast<unsigned long>(SendMessageA(Control(kIdPathBox), EM_GETLIMITTEXT, 0, 0)),
              0x7FFFFFFEul);
}

TEST_F(MainWindowTest, ResultListColumnsAndExtendedStyles) {
    HWND list = Control(kIdResultList);
    const DWORD ex = static_cast<DWORD>(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    const DWORD wanted =
        LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES;
    EXPECT_EQ(wanted, ex & wanted);
    EXPECT_EQ(0u, ex & (LVS_EX_CHECKBOXES | LVS_EX_HEADERDRAGDROP | LVS_EX_TRACKSELECT |
                        LVS_EX_ONECLICKACTIVATE | LVS_EX_TWOCLICKACTIVATE));
    const struct {
        const char* title;
        int width;
    } columns[] = {{"序号", 40}, {"文件名", 130}, {"文件路径", 350}};
    for (int i = 0; i < 3; ++i) {
        char title[64] = {};
        LVCOLUMNA col = {};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        col.pszText = title;
        col.cchTextMax = sizeof title;
        ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&col)));
        EXPECT_STREQ(columns[i].title, title);
        EXPECT_EQ(columns[i].width, col.cx);
        EXPECT_EQ(LVCFMT_LEFT, col.fmt & LVCFMT_JUSTIFYMASK);
    }
    LVCOLUMNA none = {};
    none.mask = LVCF_WIDTH;
    EXPECT_FALSE(SendMessageA(list, LVM_GETCOLUMNA, 3, reinterpret_cast<LPARAM>(&none)));
    EXPECT_EQ(0, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), static_cast<COLORREF>(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0)));
    EXPECT_EQ(RGB(255, 255, 255), static_cast<COLORREF>(SendMessageA(list, LVM_GETBKCOLOR, 0, 0)));
    EXPECT_EQ(0, SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
}

TEST_F(MainWindowTest, ColumnHeaderClickChangesNothing) {
    HWND list = Control(kIdResultList);
    const char* names[] = {"b", "a", "c"};
    for (int i = 0; i < 3; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>(names[i]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    ASSERT_NE(nullptr, header);
    RECT rc;
    SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc));
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
    testing_support::PumpFor(50);
    for (int i = 0; i < 3; ++i) {
        char text[8] = {};
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(names[i], text);
    }
}

TEST_F(MainWindowTest, StatusBarDocksAtBottomWithStartUpParts) {
    HWND bar = Control(kIdStatusBar);
    ASSERT_NE(nullptr, bar);
    EXPECT_STRCASEEQ(STATUSCLASSNAMEA, ClassOf(bar).c_str());
    const LONG style = GetWindowLongA(bar, GWL_STYLE);
    EXPECT_TRUE(style & SBT_TOOLTIPS);
    EXPECT_FALSE(style & SBARS_SIZEGRIP);
    RECT client, rc;
    GetClientRect(window, &client);
    GetWindowRect(bar, &rc);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(client.bottom, rc.bottom);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(client.right, rc.right);
    // No other control reaches into the bar.
    RECT save;
    GetWindowRect(Control(kIdSave), &save);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&save), 2);
    EXPECT_LE(save.bottom, rc.top);

    EXPECT_FALSE(SendMessageA(bar, SB_ISSIMPLE, 0, 0));
    int edges[4] = {};
    ASSERT_EQ(2, SendMessageA(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)));
    EXPECT_EQ(220, edges[0]);
    EXPECT_EQ(-1, edges[1]);
    char text[128] = {};
    SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("准备就绪", text);
    SendMessageA(bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("　技术支持：support@filnor.example", text);
    EXPECT_STREQ(kSupportLine, text);
    char tip[128] = {};
    SendMessageA(bar, SB_GETTIPTEXTA, MAKEWPARAM(1, sizeof tip), reinterpret_cast<LPARAM>(tip));
    EXPECT_STREQ(kSupportLine, tip);
}
