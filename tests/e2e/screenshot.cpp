// Window screenshots (see screenshot.h).
#include "tests/e2e/screenshot.h"

#include <vector>

#include "app/gdi_handles.h"
#include "tests/support/test_support.h"

namespace e2e {

namespace {

// The screen's DC, released when it goes out of scope.
class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

template <typename T>
void Append(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

bool SaveWindowImage(HWND window, const std::string& path) {
    RECT rc;
    if (!GetWindowRect(window, &rc)) return false;
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0) return false;

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as BMP files store rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t imageSize = stride * static_cast<size_t>(height);
    header.biSizeImage = static_cast<DWORD>(imageSize);

    ScreenDc screen;
    MemoryDc dc(screen.get());
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(dc.get(), reinterpret_cast<BITMAPINFO*>(&header),
                                               DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen.get() || !dc.get() || !bitmap.get() || !bits) return false;
    {
        SelectedObject selected(dc.get(), bitmap.get());
        if (!BitBlt(dc.get(), 0, 0, width, height, screen.get(), rc.left, rc.top, SRCCOPY)) {
            return false;
        }
        GdiFlush();
    }

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + imageSize);
    std::string bytes;
    bytes.reserve(file.bfSize);
    Append(bytes, file);
    Append(bytes, header);
    bytes.append(static_cast<const char*>(bits), imageSize);
    return testing_support::WriteBytes(path, bytes);
}

}  // namespace e2e
