// What the main window keeps while it lives: its controls, the focus to
// restore on reactivation, and the extraction in progress.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "extract/folder_walk.h"

struct MainWindowState {
    HWND window = nullptr;
    HWND pathBox = nullptr;
    HWND browse = nullptr;
    HWND resultList = nullptr;
    HWND statusBar = nullptr;

    HFONT font = nullptr;      // WM_SETFONT / WM_GETFONT of the window itself
    HWND lastFocus = nullptr;  // focus when the window was last deactivated

    WalkControl* activeWalk = nullptr;  // the walk running now, if any
    // The folder whose finished walk the rows hold; empty when they hold none.
    std::string rowsFolder;
};

// The state of a main window. A handler that pumps messages keeps its own
// reference, so the state outlives a window destroyed under it.
std::shared_ptr<MainWindowState> StateOf(HWND mainWindow);
