// Screen captures for the skin tests (see screen_capture.h).
#include "tests/skin_engine/screen_capture.h"

#include <cstdio>
#include <cstdlib>

COLORREF Capture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    uint32_t p = pixels[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool Capture::SaveBmp(const std::string& path) const {
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    DWORD bytes = static_cast<DWORD>(pixels.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + bytes;
    std::string out(reinterpret_cast<const char*>(&file), sizeof file);
    out.append(reinterpret_cast<const char*>(&info), sizeof info);
    out.append(reinterpret_cast<const char*>(pixels.data()), bytes);
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == out.size();
}

Capture CaptureClient(HWND window) {
    Capture c;
    RECT rc;
    GetClientRect(window, &rc);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    c.width = rc.right;
    c.height = rc.bottom;
    if (c.width <= 0 || c.height <= 0) return c;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = c.width;
    bi.bmiHeader.biHeight = -c.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp && bits) {
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, c.width, c.height, screen, origin.x, origin.y, SRCCOPY);
        GdiFlush();
        auto* p = static_cast<const uint32_t*>(bits);
        c.pixels.assign(p, p + static_cast<size_t>(c.width) * c.height);
        SelectObject(mem, old);
    }
    if (bmp) DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return c;
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string ColourText(COLORREF c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}
