// Pixels of a window as shown on the screen, for checking what was drawn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

    COLORREF At(int x, int y) const;
    bool SaveBmp(const std::string& path) const;
};

// The client area of `window` as it appears on the screen now.
Capture CaptureClient(HWND window);

// Whether two colours differ by at most `tolerance` in every channel.
bool Near(COLORREF a, COLORREF b, int tolerance);

// "#RRGGBB" for messages.
std::string ColourText(COLORREF c);
