// Driving another process's folder browser (see remote_browser.h).
#include "tests/e2e/remote_browser.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>

#include "tests/e2e/remote_memory.h"
#include "tests/support/test_support.h"

namespace e2e {

namespace {
constexpr int kTreeId = 0x3741;

std::string DisplayName(LPCITEMIDLIST pidl) {
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(reinterpret_cast<const char*>(pidl), 0, &info, sizeof info,
                        SHGFI_PIDL | SHGFI_DISPLAYNAME)) {
        return {};
    }
    return info.szDisplayName;
}
}  // namespace

HWND FindBrowser(DWORD pid) {
    for (HWND d : testing_support::DialogsOfProcess(pid)) {
        if (GetDlgItem(d, kTreeId)) return d;
    }
    return nullptr;
}

std::string RemoteTree::Label(HTREEITEM item) const {
    constexpr size_t kTextSize = MAX_PATH;
    RemoteMemory block(process_, sizeof(TVITEMA) + kTextSize);
    if (!block.Valid()) return {};
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = reinterpret_cast<char*>(block.Address(sizeof(TVITEMA)));
    tv.cchTextMax = kTextSize;
    if (!block.Write(&tv, sizeof tv)) return {};
    if (!SendMessageA(tree_, TVM_GETITEMA, 0, block.Address())) return {};
    char text[kTextSize] = {};
    if (!block.Read(text, sizeof text, sizeof(TVITEMA))) return {};
    return std::string(text, strnlen(text, sizeof text));
}

bool RemoteTree::SelectPath(const std::vector<std::string>& labels, std::string* why) {
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    if (!item) {
        *why = "the tree has no root";
        return false;
    }
    for (const std::string& label : labels) {
        // Expanding makes the browser fill in the item's children.
        SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        HTREEITEM found = nullptr;
        std::string seen;
        for (auto child = reinterpret_cast<HTREEITEM>(
                 SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
             child; child = reinterpret_cast<HTREEITEM>(SendMessageA(
                        tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
            const std::string text = Label(child);
            if (text == label) {
                found = child;
                break;
            }
            seen += " [" + text + "]";
        }
        if (!found) {
            *why = "no item \"" + label + "\" under \"" + Label(item) + "\", only" + seen;
            return false;
        }
        item = found;
    }
    SendMessageA(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return true;
}

std::string RemoteTree::CaretLabel() const {
    auto caret = reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
    return caret ? Label(caret) : std::string();
}

std::vector<std::string> BrowserLabels(const std::string& folder) {
    std::vector<std::string> labels;
    LPITEMIDLIST computer = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer))) {
        labels.push_back(DisplayName(computer));
        CoTaskMemFree(computer);
    }
    SHFILEINFOA drive = {};
    SHGetFileInfoA("C:\\", 0, &drive, sizeof drive, SHGFI_DISPLAYNAME);
    labels.push_back(drive.szDisplayName);
    // The folder names after "C:\"; they hold no double-byte character
    // whose second byte is "\".
    size_t start = 3;
    while (start < folder.size()) {
        const size_t cut = folder.find('\\', start);
        labels.push_back(folder.substr(start, cut - start));
        if (cut == std::string::npos) break;
        start = cut + 1;
    }
    return labels;
}

}  // namespace e2e
