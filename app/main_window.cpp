// The main window: creation from the control table, its window procedure
// and the handlers it dispatches to.
#include "app/main_window.h"

#include <commctrl.h>

#include "app/banner.h"
#include "app/commands.h"
#include "app/control_table.h"
#include "app/main_window_state.h"
#include "app/resource_ids.h"
#include "app/status_bar.h"
#include "appearance/links.h"

namespace {

constexpr int kWindowWidth = 630;
constexpr int kWindowHeight = 495;
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr UINT_PTR kGroupSubclassId = 0x4742;  // "GB"

struct ColumnSpec {
    const char* title;
    int width;
};
constexpr ColumnSpec kColumns[] = {{"序号", 40}, {"文件名", 130}, {"文件路径", 350}};

// The window owns a heap cell holding a shared reference to its state.
using StateCell = std::shared_ptr<MainWindowState>;

StateCell* CellOf(HWND w) {
    return reinterpret_cast<StateCell*>(GetWindowLongPtrA(w, GWLP_USERDATA));
}

// The group box hands its children's notifications on to the main window.
LRESULT CALLBACK GroupBoxProc(HWND group, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
            return SendMessageA(GetParent(group), msg, wp, lp);
        case WM_ERASEBKGND: {
            // The window clips its children, so the group box fills its own
            // interior before the frame and caption are drawn.
            RECT rc;
            GetClientRect(group, &rc);
            FillRect(reinterpret_cast<HDC>(wp), &rc, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(group, GroupBoxProc, id);
            break;
    }
    return DefSubclassProc(group, msg, wp, lp);
}

void SetupResultList(HWND list) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES);
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    SendMessageA(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA col = {};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.fmt = LVCFMT_LEFT;
        col.cx = kColumns[i].width;
        col.pszText = const_cast<char*>(kColumns[i].title);
        col.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&col));
    }
}

bool CreateControls(HWND window, HINSTANCE instance) {
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (int i = 0; i < kControlCount; ++i) {
        const ControlSpec& c = kControlTable[i];
        HWND parent = c.parent ? MainControl(window, c.parent) : window;
        HWND w = CreateWindowExA(
            c.exStyle, c.className, c.text, c.style, c.left, c.top, c.width, c.height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        if (!w) return false;
        SendMessageA(w, WM_SETFONT, font, FALSE);
    }
    HWND bar = CreateStatusBar(window, kIdStatusBar);
    if (!bar) return false;
    SendMessageA(bar, WM_SETFONT, font, FALSE);

    SetWindowSubclass(MainControl(window, kIdGroup), GroupBoxProc, kGroupSubclassId, 0);
    SendMessageA(MainControl(window, kIdPathBox), EM_LIMITTEXT, 0, 0);
    SetupResultList(MainControl(window, kIdResultList));

    for (int i = 0; i < kControlCount; ++i)
        ShowWindow(MainControl(window, kControlTable[i].id), SW_SHOW);
    ShowWindow(bar, SW_SHOW);
    return true;
}

// The window-created event: the start-up work done before the window shows.
void OnWindowCreated(MainWindowState& state) {
    AddStatusPart(state.statusBar, kReadyText, 220);
    AddStatusPart(state.statusBar, kSupportLine, -1, kSupportLine);
}

void OnButtonClicked(HWND window, int id) {
    std::shared_ptr<MainWindowState> state = StateOf(window);
    if (!state) return;
    switch (id) {
        case kIdBrowse:
            OnBrowseClicked(state);
            break;
        case kIdClear:
            OnClearClicked(state);
            break;
        case kIdSave:
            OnSaveClicked(state);
            break;
        case kIdHelp:
            OnHelpClicked(state);
            break;
        case kIdWebSite:
            OnWebSiteClicked(state);
            break;
    }
}

LRESULT OnActivate(HWND window, WPARAM wp) {
    std::shared_ptr<MainWindowState> state = StateOf(window);
    if (!state) return 0;
    if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) state->lastFocus = focus;
        return 0;
    }
    HWND target = state->lastFocus;
    if (!target || !IsWindow(target) || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
        target = state->browse;
    }
    SetFocus(target);
    return 0;
}

LRESULT OnCtlColorStatic(HDC dc) {
    // The group box caption: black on the button face.
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void OnClose(HWND window) {
    // A walk running nested under this message stops before the window goes.
    if (std::shared_ptr<MainWindowState> state = StateOf(window); state && state->activeWalk) {
        state->activeWalk->stop = true;
    }
    DestroyWindow(window);
}

LRESULT CALLBACK MainWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NCCREATE: {
            auto* cell = new StateCell(std::make_shared<MainWindowState>());
            (*cell)->window = w;
            SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cell));
            break;
        }
        case WM_COMMAND:
            if (HIWORD(wp) == BN_CLICKED && lp) OnButtonClicked(w, LOWORD(wp));
            return 0;
        case WM_ACTIVATE:
            return OnActivate(w, wp);
        case WM_SETFONT:
            if (auto state = StateOf(w)) state->font = reinterpret_cast<HFONT>(wp);
            return 0;
        case WM_GETFONT: {
            auto state = StateOf(w);
            return state ? reinterpret_cast<LRESULT>(state->font) : 0;
        }
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wp));
        case WM_CLOSE:
            OnClose(w);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            delete CellOf(w);
            SetWindowLongPtrA(w, GWLP_USERDATA, 0);
            break;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

bool RegisterMainWindowClass(HINSTANCE instance, HICON icon) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainWindowClass;
    return RegisterClassExA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

std::shared_ptr<MainWindowState> StateOf(HWND mainWindow) {
    StateCell* cell = mainWindow ? CellOf(mainWindow) : nullptr;
    return cell ? *cell : nullptr;
}

HWND MainControl(HWND mainWindow, ControlId id) {
    switch (id) {
        case kIdPathBox:
        case kIdBrowse:
        case kIdResultList:
            return GetDlgItem(GetDlgItem(mainWindow, kIdGroup), id);
        default:
            return GetDlgItem(mainWindow, id);
    }
}

HWND CreateMainWindow(HINSTANCE instance) {
    // One shared icon: the same picture as large and small window icon.
    auto icon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_FILNOR), IMAGE_ICON, 32, 32, LR_SHARED));
    if (!RegisterMainWindowClass(instance, icon) || !RegisterBannerClass(instance)) return nullptr;

    const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
    HWND window = CreateWindowExA(0, kMainWindowClass, kMainWindowTitle, kWindowStyle, left, top,
                                  kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
    if (!window) return nullptr;
    RECT rc;
    GetWindowRect(window, &rc);
    if (rc.right - rc.left != kWindowWidth || rc.bottom - rc.top != kWindowHeight) {
        SetWindowPos(window, nullptr, 0, 0, kWindowWidth, kWindowHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);

    if (!CreateControls(window, instance)) {
        DestroyWindow(window);
        return nullptr;
    }
    std::shared_ptr<MainWindowState> state = StateOf(window);
    state->pathBox = MainControl(window, kIdPathBox);
    state->browse = MainControl(window, kIdBrowse);
    state->resultList = MainControl(window, kIdResultList);
    state->statusBar = MainControl(window, kIdStatusBar);

    OnWindowCreated(*state);

    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetFocus(state->browse);
    return window;
}
