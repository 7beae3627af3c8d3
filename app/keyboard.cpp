// Window-level keyboard handling of the main window: Tab and Shift+Tab move
// the focus through the fixed focus order, Esc closes the window, F1 does
// nothing; every other key goes on to the focused control.
#include "app/keyboard.h"

#include <cstring>

#include "app/control_table.h"
#include "app/main_window.h"

namespace {

bool IsMainWindow(HWND w) {
    char cls[64] = {};
    return w && GetClassNameA(w, cls, sizeof cls) && std::strcmp(cls, kMainWindowClass) == 0;
}

bool CanTakeFocus(HWND w) { return w && IsWindowVisible(w) && IsWindowEnabled(w); }

// Position in the focus order of the control holding (or containing) `focus`.
int FocusIndex(HWND window, HWND focus) {
    for (int i = 0; i < kFocusOrderCount; ++i) {
        HWND c = MainControl(window, kFocusOrder[i]);
        if (c && (c == focus || IsChild(c, focus))) return i;
    }
    return -1;
}

void MoveFocus(HWND window, bool backwards) {
    const int n = kFocusOrderCount;
    int index = FocusIndex(window, GetFocus());
    if (index < 0) index = backwards ? 0 : n - 1;
    for (int step = 1; step <= n; ++step) {
        const int next = ((index + (backwards ? -step : step)) % n + n) % n;
        HWND c = MainControl(window, kFocusOrder[next]);
        if (!CanTakeFocus(c)) continue;
        // Keyboard use shows focus rectangles from now on.
        SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        SetFocus(c);
        if (kFocusOrder[next] == kIdPathBox) SendMessageA(c, EM_SETSEL, 0, -1);
        return;
    }
}

}  // namespace

bool PreTranslateKeyboard(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !msg.hwnd) return false;
    HWND window = GetAncestor(msg.hwnd, GA_ROOT);
    if (!IsMainWindow(window)) return false;
    switch (msg.wParam) {
        case VK_TAB:
            MoveFocus(window, GetKeyState(VK_SHIFT) < 0);
            return true;
        case VK_ESCAPE:
            // Exactly what the close box does.
            PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
        case VK_F1:
            return true;
        default:
            return false;
    }
}
