// Window-level keyboard handling of the main window (focus cycle, Esc),
// applied to every message before it reaches the focused control.
#pragma once

#include <windows.h>

// Returns true when the message was consumed at window level.
bool PreTranslateKeyboard(const MSG& msg);
