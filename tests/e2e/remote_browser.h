// The folder browser of another process, driven through its tree as a user
// would: expand the items on the way to a folder, select it, press OK.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace e2e {

// The visible folder browser dialog of process `pid` (one with the tree
// 0x3741), or null.
HWND FindBrowser(DWORD pid);

class RemoteTree {
  public:
    RemoteTree(HANDLE process, HWND tree) : process_(process), tree_(tree) {}

    // Selects the item reached from the tree's root through children with
    // these labels, expanding each on the way. On failure `why` tells which
    // label was missing and what was there instead.
    bool SelectPath(const std::vector<std::string>& labels, std::string* why);
    // The label of the selected item.
    std::string CaretLabel() const;

  private:
    std::string Label(HTREEITEM item) const;

    HANDLE process_;
    HWND tree_;
};

// The labels from the tree's root (the desktop) down to `folder`, a path on
// drive C: with no trailing separator: the computer, the drive, then each
// folder name.
std::vector<std::string> BrowserLabels(const std::string& folder);

}  // namespace e2e
