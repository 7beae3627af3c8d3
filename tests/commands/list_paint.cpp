// The list repaint check (see list_paint.h).
#include "tests/commands/list_paint.h"

#include <vector>

#include "app/gdi_handles.h"
#include "extract/result_list.h"

namespace commands_test {

namespace {

// Releases a window DC when it goes out of scope.
class WindowDc {
  public:
    explicit WindowDc(HWND w) : w_(w), dc_(GetDC(w)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(w_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND w_;
    HDC dc_;
};

// The dark pixels (text) of the list's client area as it is on screen.
size_t DarkPixelsOnScreen(HWND list, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    WindowDc screen(list);
    MemoryDc dc(screen.get());
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen.get() || !dc.get() || !bitmap.get() || !bits) return 0;
    SelectedObject selected(dc.get(), bitmap.get());
    BitBlt(dc.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    GdiFlush();
    const auto pixels = static_cast<const DWORD*>(bits);
    size_t dark = 0;
    for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i) {
        const DWORD p = pixels[i];
        if (((p >> 16) & 0xFF) < 96 && ((p >> 8) & 0xFF) < 96 && (p & 0xFF) < 96) ++dark;
    }
    return dark;
}

}  // namespace

bool ListRepaintsNewRow(HWND list) {
    RECT rc;
    GetClientRect(list, &rc);
    if (rc.right <= 0 || rc.bottom <= 0) return false;
    UpdateWindow(list);
    {
        WindowDc screen(list);
        GdiObject<HBRUSH> magenta(CreateSolidBrush(RGB(255, 0, 255)));
        FillRect(screen.get(), &rc, magenta.get());
    }
    GdiFlush();
    if (DarkPixelsOnScreen(list, rc.right, rc.bottom) != 0) return false;  // the cover failed

    const int row = InsertRow(list, std::nullopt, "88");
    SetCellText(list, row, 1, "新的一行.txt");
    UpdateWindow(list);
    GdiFlush();
    const bool painted = DarkPixelsOnScreen(list, rc.right, rc.bottom) > 10;
    // Leave the whole list to be painted properly again.
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return painted;
}

}  // namespace commands_test
