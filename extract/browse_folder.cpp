// BrowseFolder: SHBrowseForFolderA with the program's windows disabled.
#include "extract/browse_folder.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

namespace {

struct RememberedWindow {
    HWND window;
    bool enabled;
};

// Collects the calling thread's top-level windows (those without a parent).
BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto* windows = reinterpret_cast<std::vector<RememberedWindow>*>(param);
    if (GetParent(window) == nullptr) {
        windows->push_back({window, IsWindowEnabled(window) != 0});
    }
    return TRUE;
}

// Releases the shell allocator interface when it goes out of scope.
struct ShellAllocator {
    IMalloc* malloc = nullptr;
    ShellAllocator() {
        if (FAILED(SHGetMalloc(&malloc))) malloc = nullptr;
    }
    ~ShellAllocator() {
        if (malloc) malloc->Release();
    }
    ShellAllocator(const ShellAllocator&) = delete;
    ShellAllocator& operator=(const ShellAllocator&) = delete;
};

void FreeItemList(LPITEMIDLIST items) {
    ShellAllocator allocator;
    if (allocator.malloc) {
        allocator.malloc->Free(items);
    } else {
        // The shell allocator is the COM task allocator.
        CoTaskMemFree(items);
    }
}

}  // namespace

std::string BrowseFolder(const std::string& prompt, bool includeFiles) {
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info = {};
    HWND active = GetActiveWindow();
    if (!IsWindow(active)) active = nullptr;
    const HWND foreground = GetForegroundWindow();
    info.hwndOwner = active;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = prompt.c_str();
    info.ulFlags = includeFiles ? (BIF_EDITBOX | BIF_BROWSEINCLUDEFILES) : BIF_EDITBOX;

    // The whole program is modal to the browser, not only its owner.
    std::vector<RememberedWindow> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
    for (const auto& w : windows) EnableWindow(w.window, FALSE);

    LPITEMIDLIST items = SHBrowseForFolderA(&info);

    for (const auto& w : windows) {
        if (IsWindow(w.window)) EnableWindow(w.window, w.enabled ? TRUE : FALSE);
    }
    if (foreground && IsWindow(foreground)) SetForegroundWindow(foreground);
    if (active && IsWindow(active)) SetActiveWindow(active);

    if (!items) return std::string();
    char path[MAX_PATH];
    path[0] = '\0';
    std::string result;
    if (SHGetPathFromIDListA(items, path)) result.assign(path, strnlen(path, sizeof path));
    FreeItemList(items);
    return result;
}
