// ShowMessage (see show_message.h).
#include "export/show_message.h"

int ShowMessage(const std::string& text, UINT style, const std::optional<std::string>& caption,
                HWND owner) {
    if (!(style & MB_SYSTEMMODAL)) style |= MB_TASKMODAL;
    const char* title = caption ? caption->c_str() : "信息：";
    const int button = MessageBoxA(owner, text.c_str(), title, style);
    // IDOK (1) to IDNO (7) map in order onto 0 to 6.
    if (button >= IDOK && button <= IDNO) return button - IDOK;
    return -1;
}
