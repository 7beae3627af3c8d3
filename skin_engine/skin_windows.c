/* Window discovery and subclassing (see skin_windows.h).
 *
 * Known kinds, and only inside a window of class "FilnorMainWindow": the
 * main window itself, the banner ("FilnorBanner"), push buttons and group
 * boxes ("Button") and the status bar ("msctls_statusbar32"). Everything
 * else (edit boxes, list views, message boxes, the folder browser and their
 * buttons) keeps the standard look. */
#include "skin_engine/skin_windows.h"

#include <commctrl.h>

#include "skin_engine/skin_engine.h"
#include "skin_engine/skin_paint.h"

enum WindowKind { kMain, kBanner, kPushButton, kGroupBox, kStatusBar, kUnknown };

/* Per-window state, kept in a window property. */
typedef struct SkinnedWindow {
    WNDPROC original;
    enum WindowKind kind;
    int hot; /* mouse over the button */
} SkinnedWindow;

static const WCHAR kStateProperty[] = L"Filnor.SkinnedWindow";

/* Process-wide by necessity: a CBT hook procedure and the subclass procedure
 * receive no user context, so the theme and the hook live here. They are
 * written only on the attaching thread, which is the only one that uses them. */
static SkinTheme g_theme;
static HHOOK g_hook;
static DWORD g_thread;

static int ClassIs(HWND window, const WCHAR* name) {
    WCHAR cls[64];
    return GetClassNameW(window, cls, 64) > 0 && lstrcmpiW(cls, name) == 0;
}

static int IsPushButtonStyle(LONG style) {
    LONG type = style & BS_TYPEMASK;
    return (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && !(style & (BS_BITMAP | BS_ICON));
}

/* Which kind a window is, given its class, style and parent. */
static enum WindowKind Classify(HWND window, LONG style, HWND parent) {
    if (ClassIs(window, L"FilnorMainWindow")) return (style & WS_CHILD) ? kUnknown : kMain;
    if (!(style & WS_CHILD) || !parent) return kUnknown;
    HWND root = GetAncestor(parent, GA_ROOT);
    if (!root || !ClassIs(root, L"FilnorMainWindow")) return kUnknown;
    if (ClassIs(window, L"FilnorBanner")) return kBanner;
    if (ClassIs(window, STATUSCLASSNAMEW)) return kStatusBar;
    if (ClassIs(window, L"Button")) {
        if ((style & BS_TYPEMASK) == BS_GROUPBOX) return kGroupBox;
        if (IsPushButtonStyle(style)) return kPushButton;
    }
    return kUnknown;
}

static SkinnedWindow* StateOf(HWND window) {
    return (SkinnedWindow*)GetPropW(window, kStateProperty);
}

/* Paints a button at once, over whatever its own procedure may just have
 * drawn straight onto the screen. */
static void RepaintNow(HWND window) {
    SkinnedWindow* s = StateOf(window);
    if (!s || !IsWindowVisible(window)) return;
    HDC dc = GetDC(window);
    if (!dc) return;
    SkinPaintButton(window, dc, &g_theme, s->hot);
    ReleaseDC(window, dc);
}

static void PaintKind(HWND window, HDC dc, const SkinnedWindow* s) {
    switch (s->kind) {
        case kPushButton:
            SkinPaintButton(window, dc, &g_theme, s->hot);
            break;
        case kGroupBox:
            SkinPaintGroupBox(window, dc, &g_theme);
            break;
        case kStatusBar:
            SkinPaintStatusBar(window, dc, &g_theme);
            break;
        default:
            break;
    }
}

/* Whether the window still has the style its kind was chosen for (a
 * program may change a button's style later; then the standard look). */
static int StillMatches(HWND window, const SkinnedWindow* s) {
    LONG style = GetWindowLongW(window, GWL_STYLE);
    if (s->kind == kPushButton) return IsPushButtonStyle(style);
    if (s->kind == kGroupBox) return (style & BS_TYPEMASK) == BS_GROUPBOX;
    return 1;
}

static LRESULT CALLBACK SkinProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    SkinnedWindow* s = StateOf(window);
    if (!s) return DefWindowProcW(window, msg, wp, lp);
    WNDPROC original = s->original;

    if (msg == WM_NCDESTROY) {
        RemovePropW(window, kStateProperty);
        if ((WNDPROC)GetWindowLongPtrW(window, GWLP_WNDPROC) == SkinProc)
            SetWindowLongPtrW(window, GWLP_WNDPROC, (LONG_PTR)original);
        HeapFree(GetProcessHeap(), 0, s);
        return CallWindowProcW(original, window, msg, wp, lp);
    }

    switch (s->kind) {
        case kMain:
        case kBanner:
            if (msg == WM_ERASEBKGND) {
                SkinPaintFace(window, (HDC)wp, &g_theme);
                return 1;
            }
            break;
        case kGroupBox:
        case kStatusBar:
        case kPushButton: {
            if (!StillMatches(window, s)) break;
            if (msg == WM_ERASEBKGND) return 1;
            if (msg == WM_PAINT) {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(window, &ps);
                if (dc) PaintKind(window, dc, s);
                EndPaint(window, &ps);
                return 0;
            }
            if (msg == WM_PRINTCLIENT) {
                PaintKind(window, (HDC)wp, s);
                return 0;
            }
            if (s->kind == kStatusBar) {
                /* Text and layout changes repaint through WM_PAINT. */
                LRESULT r = CallWindowProcW(original, window, msg, wp, lp);
                switch (msg) {
                    case SB_SETTEXTA:
                    case SB_SETTEXTW:
                    case SB_SETPARTS:
                    case SB_SIMPLE:
                    case SB_SETICON:
                    case WM_SETTEXT:
                    case WM_SIZE:
                        InvalidateRect(window, NULL, FALSE);
                        break;
                }
                return r;
            }
            if (s->kind != kPushButton) break;
            if (msg == WM_MOUSEMOVE && !s->hot) {
                s->hot = 1;
                TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
                TrackMouseEvent(&track);
                LRESULT r = CallWindowProcW(original, window, msg, wp, lp);
                RepaintNow(window);
                return r;
            }
            if (msg == WM_MOUSELEAVE) s->hot = 0;
            switch (msg) {
                case WM_MOUSELEAVE:
                case WM_SETFOCUS:
                case WM_KILLFOCUS:
                case WM_ENABLE:
                case WM_SETTEXT:
                case WM_SETFONT:
                case WM_LBUTTONDOWN:
                case WM_LBUTTONDBLCLK:
                case WM_LBUTTONUP:
                case WM_KEYDOWN:
                case WM_KEYUP:
                case WM_CHAR:
                case WM_CAPTURECHANGED:
                case WM_CANCELMODE:
                case WM_UPDATEUISTATE:
                case BM_SETSTATE:
                case BM_SETSTYLE:
                case BM_CLICK: {
                    /* Let the button act first (a click may run the program's
                     * handler, even destroy the button), then show the state
                     * it ended in. */
                    LRESULT r = CallWindowProcW(original, window, msg, wp, lp);
                    if (IsWindow(window)) RepaintNow(window);
                    return r;
                }
            }
            break;
        }
        default:
            break;
    }
    return CallWindowProcW(original, window, msg, wp, lp);
}

static void Subclass(HWND window, enum WindowKind kind) {
    if (kind == kUnknown || StateOf(window)) return;
    SkinnedWindow* s = (SkinnedWindow*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *s);
    if (!s) return; /* no memory: this window keeps the standard look */
    s->kind = kind;
    if (!SetPropW(window, kStateProperty, s)) {
        HeapFree(GetProcessHeap(), 0, s);
        return;
    }
    s->original = (WNDPROC)SetWindowLongPtrW(window, GWLP_WNDPROC, (LONG_PTR)SkinProc);
    if (!s->original) {
        RemovePropW(window, kStateProperty);
        HeapFree(GetProcessHeap(), 0, s);
    }
}

static LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) {
        HWND window = (HWND)wp;
        const CREATESTRUCTW* cs = ((const CBT_CREATEWNDW*)lp)->lpcs;
        if (cs) Subclass(window, Classify(window, cs->style, cs->hwndParent));
    }
    return CallNextHookEx(g_hook, code, wp, lp);
}

static BOOL CALLBACK SkinChild(HWND child, LPARAM lp) {
    (void)lp;
    Subclass(child, Classify(child, GetWindowLongW(child, GWL_STYLE), GetParent(child)));
    return TRUE;
}

/* Skins a main window of the thread that exists already, with its children. */
static BOOL CALLBACK SkinExisting(HWND window, LPARAM lp) {
    (void)lp;
    if (Classify(window, GetWindowLongW(window, GWL_STYLE), NULL) != kMain) return TRUE;
    Subclass(window, kMain);
    EnumChildWindows(window, SkinChild, 0);
    RedrawWindow(window, NULL, NULL,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return TRUE;
}

int SkinAttachThread(const SkinTheme* theme) {
    DWORD thread = GetCurrentThreadId();
    if (g_hook && g_thread != thread) return SKIN_E_OTHER_THREAD;
    if (!g_hook) {
        g_hook = SetWindowsHookExW(WH_CBT, CreationHook, NULL, thread);
        if (!g_hook) return SKIN_E_HOOK;
        g_thread = thread;
    }
    g_theme = *theme;
    EnumThreadWindows(thread, SkinExisting, 0);
    return SKIN_OK;
}
