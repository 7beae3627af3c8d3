// The folder browser answerer (see browser_answerer.h).
#include "tests/commands/browser_answerer.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "tests/support/test_support.h"

namespace commands_test {

namespace {

constexpr int kTreeId = 0x3741;

std::string CaretLabel(HWND tree) {
    HTREEITEM caret = TreeView_GetSelection(tree);
    if (!caret) return {};
    char label[MAX_PATH] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = caret;
    item.pszText = label;
    item.cchTextMax = sizeof label;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return label;
}

void Press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

}  // namespace

BrowserAnswerer::BrowserAnswerer(std::string folder, std::string label)
    : folder_(std::move(folder)), label_(std::move(label)), thread_([this] { Run(); }) {}

BrowserAnswerer::~BrowserAnswerer() {
    stop_ = true;
    thread_.join();
}

void BrowserAnswerer::Run() {
    std::vector<HWND> answered;
    while (!stop_) {
        for (HWND d : testing_support::DialogsOfProcess()) {
            if (!GetDlgItem(d, kTreeId)) continue;  // not the browser
            if (std::find(answered.begin(), answered.end(), d) != answered.end()) continue;
            answered.push_back(d);
            ++seen_;
            Answer(d);
        }
        Sleep(20);
    }
}

void BrowserAnswerer::Answer(HWND dialog) {
    Sleep(200);  // let the tree fill
    if (folder_.empty()) {
        Press(dialog, IDCANCEL);
        return;
    }
    HWND tree = GetDlgItem(dialog, kTreeId);
    bool selected = false;
    for (int attempt = 0; attempt < 3 && !selected; ++attempt) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder_.c_str()));
        Sleep(100);
        selected = CaretLabel(tree) == label_;
    }
    selected_ = selected;
    // Confirm even when the selection failed, so the test never hangs;
    // Selected() then tells what went wrong.
    Press(dialog, IDOK);
}

}  // namespace commands_test
