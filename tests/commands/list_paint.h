// Whether a list view repaints when rows are added: with its redraw off, a
// new row does not invalidate the list and so never reaches the screen.
#pragma once

#include <windows.h>

namespace commands_test {

// Covers the list's client area on screen with magenta, adds one row with
// text, lets the list paint what the addition invalidated, and reports
// whether row text reached the screen. The row is left in the list.
bool ListRepaintsNewRow(HWND list);

}  // namespace commands_test
