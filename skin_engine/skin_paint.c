/* Painters for the skinned window kinds (see skin_paint.h). Everything is
 * drawn into an off-screen bitmap first and copied in one go, so a repaint
 * never flickers and regions stay in the bitmap's own coordinates even when
 * the target is a printing DC with a moved origin. */
#include "skin_engine/skin_paint.h"

#include <commctrl.h>

enum { kMaxStatusParts = 256, kMaxText = 32768 };

typedef struct Canvas {
    HDC target, dc;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    RECT rect;
} Canvas;

static void CanvasBegin(Canvas* c, HWND window, HDC target) {
    c->target = target;
    GetClientRect(window, &c->rect);
    c->dc = CreateCompatibleDC(target);
    c->bitmap = c->dc ? CreateCompatibleBitmap(target, c->rect.right > 0 ? c->rect.right : 1,
                                               c->rect.bottom > 0 ? c->rect.bottom : 1)
                      : NULL;
    if (!c->bitmap) {
        if (c->dc) DeleteDC(c->dc);
        c->dc = target; /* no memory for a buffer: draw straight on */
        c->oldBitmap = NULL;
        return;
    }
    c->oldBitmap = SelectObject(c->dc, c->bitmap);
}

static void CanvasEnd(Canvas* c) {
    if (c->dc == c->target) return;
    BitBlt(c->target, 0, 0, c->rect.right, c->rect.bottom, c->dc, 0, 0, SRCCOPY);
    SelectObject(c->dc, c->oldBitmap);
    DeleteObject(c->bitmap);
    DeleteDC(c->dc);
}

static void FillSolid(HDC dc, const RECT* r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush) return;
    FillRect(dc, r, brush);
    DeleteObject(brush);
}

static COLORREF Mix(COLORREF a, COLORREF b, int num, int den) {
    if (den <= 0) return a;
    int r = GetRValue(a) + (GetRValue(b) - GetRValue(a)) * num / den;
    int g = GetGValue(a) + (GetGValue(b) - GetGValue(a)) * num / den;
    int bl = GetBValue(a) + (GetBValue(b) - GetBValue(a)) * num / den;
    return RGB(r, g, bl);
}

/* A rounded rectangle filled top to bottom from `top` to `bottom`, with a
 * one-pixel frame in `border`. */
static void RoundedPanel(HDC dc, const RECT* r, int radius, COLORREF top, COLORREF bottom,
                         COLORREF border) {
    int h = r->bottom - r->top;
    if (h <= 0 || r->right <= r->left) return;
    HRGN shape =
        CreateRoundRectRgn(r->left, r->top, r->right + 1, r->bottom + 1, radius * 2, radius * 2);
    if (!shape) return;
    int saved = SaveDC(dc);
    ExtSelectClipRgn(dc, shape, RGN_AND);
    for (int y = 0; y < h; ++y) {
        RECT row = {r->left, r->top + y, r->right, r->top + y + 1};
        FillSolid(dc, &row, Mix(top, bottom, y, h > 1 ? h - 1 : 1));
    }
    RestoreDC(dc, saved);
    HBRUSH frame = CreateSolidBrush(border);
    if (frame) {
        FrameRgn(dc, shape, frame, 1, 1);
        DeleteObject(frame);
    }
    DeleteObject(shape);
}

/* The focus rectangle: every other pixel of the frame (left, top) to
 * (right, bottom), both inclusive, in the skin's focus colour. */
static void DottedFrame(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    for (int x = left; x <= right; x += 2) {
        SetPixelV(dc, x, top, colour);
        SetPixelV(dc, x, bottom, colour);
    }
    for (int y = top; y <= bottom; y += 2) {
        SetPixelV(dc, left, y, colour);
        SetPixelV(dc, right, y, colour);
    }
}

static HFONT WindowFont(HWND window) {
    HFONT font = (HFONT)SendMessageW(window, WM_GETFONT, 0, 0);
    return font ? font : (HFONT)GetStockObject(DEFAULT_GUI_FONT);
}

/* The window's text in a heap buffer (free with HeapFree); null if none. */
static WCHAR* WindowTextCopy(HWND window) {
    int len = GetWindowTextLengthW(window);
    if (len <= 0 || len > kMaxText) return NULL;
    WCHAR* text = (WCHAR*)HeapAlloc(GetProcessHeap(), 0, (len + 1) * sizeof(WCHAR));
    if (!text) return NULL;
    if (GetWindowTextW(window, text, len + 1) <= 0) {
        HeapFree(GetProcessHeap(), 0, text);
        return NULL;
    }
    return text;
}

int SkinIsGroupBox(HWND window) {
    WCHAR cls[16];
    if (!window || !GetClassNameW(window, cls, 16) || lstrcmpiW(cls, L"Button") != 0) return 0;
    return (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

/* The colour a control sits on: the card of a group box or the window face. */
static COLORREF BackdropOf(HWND window, const SkinTheme* theme) {
    HWND parent = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : NULL;
    return parent && SkinIsGroupBox(parent) ? theme->groupFace : theme->windowFace;
}

void SkinPaintFace(HWND window, HDC dc, const SkinTheme* theme) {
    RECT rc;
    GetClientRect(window, &rc);
    FillSolid(dc, &rc, BackdropOf(window, theme));
}

void SkinPaintButton(HWND button, HDC dc, const SkinTheme* theme, int hot) {
    Canvas c;
    CanvasBegin(&c, button, dc);
    RECT rc = c.rect;
    FillSolid(c.dc, &rc, BackdropOf(button, theme));

    LONG style = GetWindowLongW(button, GWL_STYLE);
    LRESULT state = SendMessageW(button, BM_GETSTATE, 0, 0);
    int enabled = IsWindowEnabled(button);
    int focused = enabled && GetFocus() == button;
    int look = !enabled               ? SKIN_BUTTON_DISABLED
               : (state & BST_PUSHED) ? SKIN_BUTTON_PRESSED
               : hot                  ? SKIN_BUTTON_HOT
               : focused              ? SKIN_BUTTON_FOCUSED
                                      : SKIN_BUTTON_NORMAL;
    const SkinButtonLook* l = &theme->button[look];
    RECT face = {rc.left, rc.top, rc.right - 1, rc.bottom - 1};
    RoundedPanel(c.dc, &face, theme->buttonRadius, l->faceTop, l->faceBottom, l->border);
    int accent = focused || (enabled && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    if (accent && look != SKIN_BUTTON_PRESSED) {
        /* A second ring inside the frame marks the focused (or default) button. */
        RECT ring = {face.left + 1, face.top + 1, face.right - 1, face.bottom - 1};
        HRGN inner = CreateRoundRectRgn(ring.left, ring.top, ring.right + 1, ring.bottom + 1,
                                        theme->buttonRadius * 2, theme->buttonRadius * 2);
        HBRUSH brush = CreateSolidBrush(theme->focusRing);
        if (inner && brush) FrameRgn(c.dc, inner, brush, 1, 1);
        if (brush) DeleteObject(brush);
        if (inner) DeleteObject(inner);
    }

    WCHAR* text = WindowTextCopy(button);
    if (text) {
        HGDIOBJ oldFont = SelectObject(c.dc, WindowFont(button));
        SetBkMode(c.dc, TRANSPARENT);
        SetTextColor(c.dc, l->text);
        UINT format = DT_NOCLIP;
        switch (style & BS_CENTER) {
            case BS_LEFT:
                format |= DT_LEFT;
                break;
            case BS_RIGHT:
                format |= DT_RIGHT;
                break;
            default:
                format |= DT_CENTER;
        }
        if (SendMessageW(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) format |= DT_HIDEPREFIX;
        RECT box = {rc.left + 6, rc.top + 3, rc.right - 6, rc.bottom - 3};
        LONG vertical = style & BS_VCENTER;
        if (style & BS_MULTILINE) {
            RECT need = box;
            DrawTextW(c.dc, text, -1, &need, format | DT_WORDBREAK | DT_CALCRECT);
            int height = need.bottom - need.top;
            int room = box.bottom - box.top;
            if (vertical == BS_TOP) {
                box.bottom = box.top + height;
            } else if (vertical == BS_BOTTOM) {
                box.top = box.bottom - height;
            } else {
                box.top += (room - height) / 2;
                box.bottom = box.top + height;
            }
            DrawTextW(c.dc, text, -1, &box, format | DT_WORDBREAK);
        } else {
            format |= DT_SINGLELINE | (vertical == BS_TOP      ? DT_TOP
                                       : vertical == BS_BOTTOM ? DT_BOTTOM
                                                               : DT_VCENTER);
            DrawTextW(c.dc, text, -1, &box, format);
        }
        SelectObject(c.dc, oldFont);
        HeapFree(GetProcessHeap(), 0, text);
    }
    if (focused)
        DottedFrame(c.dc, rc.left + 3, rc.top + 3, rc.right - 4, rc.bottom - 4, theme->focusRing);
    CanvasEnd(&c);
}

void SkinPaintGroupBox(HWND group, HDC dc, const SkinTheme* theme) {
    Canvas c;
    CanvasBegin(&c, group, dc);
    RECT rc = c.rect;
    FillSolid(c.dc, &rc, BackdropOf(group, theme));

    HGDIOBJ oldFont = SelectObject(c.dc, WindowFont(group));
    TEXTMETRICW tm;
    int lineHeight = GetTextMetricsW(c.dc, &tm) ? tm.tmHeight : 12;
    RECT card = {rc.left, rc.top + lineHeight / 2, rc.right - 1, rc.bottom - 1};
    RoundedPanel(c.dc, &card, theme->groupRadius, theme->groupFace, theme->groupFace,
                 theme->groupBorder);

    WCHAR* text = WindowTextCopy(group);
    if (text) {
        RECT need = {0, 0, rc.right, lineHeight};
        DrawTextW(c.dc, text, -1, &need, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        int width = need.right - need.left;
        int maxWidth = rc.right - 2 * (theme->groupRadius + 4) - 16;
        if (width > maxWidth) width = maxWidth > 0 ? maxWidth : 0;
        LONG align = GetWindowLongW(group, GWL_STYLE) & BS_CENTER;
        int left = align == BS_RIGHT    ? rc.right - theme->groupRadius - 12 - width
                   : align == BS_CENTER ? (rc.right - width) / 2 - 6
                                        : theme->groupRadius + 4;
        /* The caption sits on a small tab that interrupts the card's top edge. */
        RECT tab = {left, rc.top, left + width + 12, rc.top + lineHeight + 1};
        RoundedPanel(c.dc, &tab, lineHeight / 2 > 2 ? 3 : 0, theme->groupFace, theme->groupFace,
                     theme->groupBorder);
        RECT words = {left + 6, rc.top, left + 6 + width, rc.top + lineHeight + 1};
        SetBkMode(c.dc, TRANSPARENT);
        SetTextColor(c.dc, theme->groupCaption);
        DrawTextW(c.dc, text, -1, &words,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
        HeapFree(GetProcessHeap(), 0, text);
    }
    SelectObject(c.dc, oldFont);

    /* The group box holds controls; their areas are theirs to paint. */
    int saved = SaveDC(dc);
    for (HWND child = GetWindow(group, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(NULL, group, (POINT*)&r, 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    CanvasEnd(&c);
    RestoreDC(dc, saved);
}

/* One status bar part: icon, then up to three tab-separated pieces placed
 * left, centred and right. */
static void PaintStatusPart(HWND bar, HDC dc, int part, RECT r) {
    LRESULT info = SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0);
    if (HIWORD(info) & SBT_OWNERDRAW) return; /* the owner draws such parts */
    HICON icon = (HICON)SendMessageW(bar, SB_GETICON, part, 0);
    r.left += 8;
    if (icon) {
        int size = GetSystemMetrics(SM_CYSMICON);
        DrawIconEx(dc, r.left, r.top + (r.bottom - r.top - size) / 2, icon, size, size, 0, NULL,
                   DI_NORMAL);
        r.left += size + 4;
    }
    int len = LOWORD(info);
    if (len <= 0) return;
    WCHAR* text = (WCHAR*)HeapAlloc(GetProcessHeap(), 0, (len + 1) * sizeof(WCHAR));
    if (!text) return;
    text[0] = 0;
    SendMessageW(bar, SB_GETTEXTW, part, (LPARAM)text);
    text[len] = 0;
    r.right -= 6;
    static const UINT kAlign[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    WCHAR* piece = text;
    for (int i = 0; i < 3 && piece; ++i) {
        WCHAR* tab = piece;
        while (*tab && *tab != L'\t') ++tab;
        WCHAR* next = *tab ? tab + 1 : NULL;
        *tab = 0;
        if (*piece) {
            DrawTextW(dc, piece, -1, &r,
                      kAlign[i] | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        piece = next;
    }
    HeapFree(GetProcessHeap(), 0, text);
}

void SkinPaintStatusBar(HWND bar, HDC dc, const SkinTheme* theme) {
    Canvas c;
    CanvasBegin(&c, bar, dc);
    RECT rc = c.rect;
    FillSolid(c.dc, &rc, theme->statusFace);
    RECT edge = {rc.left, rc.top, rc.right, rc.top + 1};
    FillSolid(c.dc, &edge, theme->statusBorder);

    HGDIOBJ oldFont = SelectObject(c.dc, WindowFont(bar));
    SetBkMode(c.dc, TRANSPARENT);
    SetTextColor(c.dc, theme->statusText);
    if (SendMessageW(bar, SB_ISSIMPLE, 0, 0)) {
        RECT whole = {rc.left, rc.top + 1, rc.right, rc.bottom};
        PaintStatusPart(bar, c.dc, SB_SIMPLEID, whole);
    } else {
        int edges[kMaxStatusParts];
        int count = (int)SendMessageW(bar, SB_GETPARTS, kMaxStatusParts, (LPARAM)edges);
        if (count > kMaxStatusParts) count = kMaxStatusParts;
        for (int i = 0; i < count; ++i) {
            RECT r;
            if (!SendMessageW(bar, SB_GETRECT, i, (LPARAM)&r) || r.right <= r.left) continue;
            r.top = rc.top + 1;
            r.bottom = rc.bottom;
            PaintStatusPart(bar, c.dc, i, r);
            int style = HIWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, i, 0));
            if (i + 1 < count && edges[i] != -1 && !(style & SBT_NOBORDERS)) {
                RECT line = {r.right - 1, rc.top + 5, r.right, rc.bottom - 4};
                FillSolid(c.dc, &line, theme->statusSeparator);
            }
        }
    }
    SelectObject(c.dc, oldFont);
    CanvasEnd(&c);
}
