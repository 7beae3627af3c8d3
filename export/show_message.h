// ShowMessage: a message box that is modal to the whole program.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Shows `text` in a message box with the button and icon bits of `style`, the
// caption "信息：" unless one is given, and `owner` (none when null). The box
// is task-modal unless the style asks for a system-modal one. Returns the
// closing button: OK 0, Cancel 1, Abort 2, Retry 3, Ignore 4, Yes 5, No 6;
// -1 when the box could not be shown or closed with another button.
int ShowMessage(const std::string& text, UINT style = 0,
                const std::optional<std::string>& caption = {}, HWND owner = nullptr);
