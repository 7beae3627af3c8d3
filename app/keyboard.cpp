// Window-level keyboard handling of the main window.
#include "app/keyboard.h"

bool PreTranslateKeyboard(const MSG&) { return false; }
