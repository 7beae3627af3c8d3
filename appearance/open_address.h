// Opening a web address in the user's default browser through the shell.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// The shell call OpenAddress makes, with ShellExecuteA's arguments.
using ShellOpen = std::function<void(HWND owner, const char* verb, const char* file,
                                     const char* parameters, const char* directory, int show)>;

// Opens `address` through the shell (ShellExecuteA, verb "open",
// SW_SHOWNORMAL). An address given as the empty text is passed on empty;
// only when none is given at all the web site address is used. A top-level
// window titled "Microsoft Internet Explorer", if any, owns whatever the
// shell shows. Reports nothing: the shell's result is ignored.
void OpenAddress(const std::optional<std::string>& address = std::nullopt);

// The same, with the shell call made by `shell` in place of ShellExecuteA.
void OpenAddress(const std::optional<std::string>& address, const ShellOpen& shell);
