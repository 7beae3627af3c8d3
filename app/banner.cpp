// The banner picture box window class.
#include "app/banner.h"

#include "app/gdi_handles.h"
#include "app/main_window.h"
#include "app/resource_ids.h"

namespace {

LRESULT CALLBACK BannerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NCCREATE: {
            // The bitmap belongs to this window and is freed with it.
            HBITMAP bmp = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                          MAKEINTRESOURCEA(IDB_BANNER),
                                                          IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bmp));
            break;
        }
        case WM_NCDESTROY:
            GdiObject<HBITMAP>(reinterpret_cast<HBITMAP>(GetWindowLongPtrA(w, GWLP_USERDATA)));
            SetWindowLongPtrA(w, GWLP_USERDATA, 0);
            break;
        case WM_ERASEBKGND:
            return 1;  // painted whole in WM_PAINT
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(w, &ps);
            RECT rc;
            GetClientRect(w, &rc);
            FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
            auto bmp = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(w, GWLP_USERDATA));
            BITMAP info;
            if (bmp && GetObjectA(bmp, sizeof info, &info)) {
                MemoryDc mem(dc);
                SelectedObject keep(mem.get(), bmp);
                BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, mem.get(), 0, 0, SRCCOPY);
            }
            EndPaint(w, &ps);
            return 0;
        }
    }
    return DefWindowProcA(w, msg, wp, lp);
}

}  // namespace

bool RegisterBannerClass(HINSTANCE instance) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = BannerProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kBannerClass;
    return RegisterClassExA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
