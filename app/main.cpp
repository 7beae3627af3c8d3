// Program entry: start-up, the message loop and shutdown.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <string>

#include "app/main_window.h"
#include "app/message_pump.h"
#include "appearance/attach_skin.h"
#include "extract/text_ops.h"

namespace {

// A relative folder typed by the user resolves against the program's folder.
void EnterProgramFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    // Split character-wise: a double-byte character may end in the byte of "\".
    std::string folder = SplitAtLast(std::string(path, n), "\\").first;
    if (folder.empty()) return;
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';  // a drive root keeps its separator
    SetCurrentDirectoryA(folder.c_str());
}

class OleSession {
  public:
    OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (ok_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

  private:
    bool ok_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    EnterProgramFolder();
    OleSession ole;

    INITCOMMONCONTROLSEX icc = {sizeof icc,
                                ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    // The skin engine hooks window creation, so it comes before the window.
    AttachSkin();

    if (!CreateMainWindow(instance)) return 0;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) HandleMessage(msg);
    return 0;
}
