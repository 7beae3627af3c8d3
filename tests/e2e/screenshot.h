// A picture of a window as it is on the screen, saved as a BMP file.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Copies the screen area of `window` (any process) into a 24-bit bottom-up
// BMP file at `path`. False when the screen could not be read or the file
// not written.
bool SaveWindowImage(HWND window, const std::string& path);

}  // namespace e2e
