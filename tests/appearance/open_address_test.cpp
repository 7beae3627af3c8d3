// OpenAddress through its shell seam and through the real shell, the web
// site button and the help box.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/main_window.h"
#include "app/message_pump.h"
#include "appearance/links.h"
#include "appearance/open_address.h"
#include "tests/support/test_support.h"

namespace {

struct ShellCall {
    HWND owner;
    std::string verb;
    std::string file;
    bool noParameters;
    bool noDirectory;
    int show;
};

class RecordingShell {
  public:
    ShellOpen Seam() {
        return [this](HWND owner, const char* verb, const char* file, const char* parameters,
                      const char* directory, int show) {
            calls.push_back({owner, verb ? verb : "<null>", file ? file : "<null>",
                             parameters == nullptr, directory == nullptr, show});
        };
    }
    std::vector<ShellCall> calls;
};

// A top-level window with the given title, destroyed with the object.
class TitledWindow {
  public:
    explicit TitledWindow(const char* title) {
        window_ = CreateWindowExA(0, "STATIC", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    ~TitledWindow() { DestroyWindow(window_); }
    TitledWindow(const TitledWindow&) = delete;
    TitledWindow& operator=(const TitledWindow&) = delete;
    HWND get() const { return window_; }

  private:
    HWND window_;
};

void Pump(DWORD ms) { testing_support::PumpProgram(ms); }

}  // namespace

TEST(OpenAddress, AddressGoesToTheShellUnchangedOnlyAMissingOneTakesTheDefault) {
    struct Case {
        std::optional<std::string> given;
        std::string opened;
    };
    const Case cases[] = {
        {std::nullopt, kWebSiteAddress},
        {std::string(), ""},
        {std::string("https://example.org/a b?x=1"), "https://example.org/a b?x=1"},
        {std::string(" 不是地址 "), " 不是地址 "},
    };
    for (const auto& c : cases) {
        RecordingShell shell;
        OpenAddress(c.given, shell.Seam());
        ASSERT_EQ(1u, shell.calls.size()) << c.opened;
        const ShellCall& call = shell.calls[0];
        EXPECT_EQ(c.opened, call.file);
        EXPECT_EQ("open", call.verb);
        EXPECT_TRUE(call.noParameters);
        EXPECT_TRUE(call.noDirectory);
        EXPECT_EQ(SW_SHOWNORMAL, call.show);
        EXPECT_EQ(nullptr, call.owner);
    }
}

TEST(OpenAddress, WindowTitledMicrosoftInternetExplorerOwnsTheShell) {
    RecordingShell shell;
    {
        TitledWindow near("Microsoft Internet Explorer 11");  // not the exact title
        OpenAddress(std::nullopt, shell.Seam());
        TitledWindow ie("Microsoft Internet Explorer");
        ASSERT_NE(nullptr, ie.get());
        OpenAddress(std::nullopt, shell.Seam());
        OpenAddress(std::string(), shell.Seam());
        ASSERT_EQ(3u, shell.calls.size());
        EXPECT_EQ(nullptr, shell.calls[0].owner);
        EXPECT_EQ(ie.get(), shell.calls[1].owner);
        EXPECT_EQ(ie.get(), shell.calls[2].owner);
    }
    OpenAddress(std::nullopt, shell.Seam());  // the window is gone again
    ASSERT_EQ(4u, shell.calls.size());
    EXPECT_EQ(nullptr, shell.calls[3].owner);
}

TEST(Links, SupportLineAndHelpText) {
    const std::string line = kSupportLine;
    EXPECT_EQ("\xA1\xA1\xBC\xBC\xCA\xF5\xD6\xA7\xB3\xD6\xA3\xBA", line.substr(0, 12));
    EXPECT_EQ(std::string(kSupportAddress), line.substr(12));
    EXPECT_EQ(std::string("软件功能：批量提取指定文件夹（包含子文件夹）下所有文件的文件名，"
                          "保存到桌面文本文件中\n") +
                  kUsageText + "\n" + kSupportLine,
              HelpText());
}

// Through the real shell: Wine hands web addresses to its winebrowser, which
// runs the browser registered for the user; here a script that logs them.
class RealShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key_, nullptr));
        char old[1024];
        DWORD size = sizeof old;
        DWORD type = 0;
        if (RegQueryValueExA(key_, "Browsers", nullptr, &type, reinterpret_cast<BYTE*>(old),
                             &size) == ERROR_SUCCESS &&
            type == REG_SZ)
            old_ = std::string(old, size ? size - 1 : 0);
        const char script[] = FILNOR_BROWSER_SCRIPT;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExA(key_, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(script),
                                 sizeof script));
        DeleteFileA(FILNOR_BROWSER_LOG);
    }
    void TearDown() override {
        if (!key_) return;
        if (old_)
            RegSetValueExA(key_, "Browsers", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(old_->c_str()),
                           static_cast<DWORD>(old_->size() + 1));
        else
            RegDeleteValueA(key_, "Browsers");
        RegCloseKey(key_);
    }
    // The addresses the browser was started with, once `count` arrived.
    std::vector<std::string> Opened(size_t count) {
        std::vector<std::string> lines;
        testing_support::PumpUntil(
            [&] {
                lines.clear();
                std::string log = testing_support::ReadBytes(FILNOR_BROWSER_LOG);
                if (log == "<missing>") return false;
                size_t start = 0;
                for (size_t nl; (nl = log.find('\n', start)) != std::string::npos; start = nl + 1)
                    lines.push_back(log.substr(start, nl - start));
                return lines.size() >= count;
            },
            15000);
        Pump(500);  // anything more would arrive now
        std::string log = testing_support::ReadBytes(FILNOR_BROWSER_LOG);
        lines.clear();
        size_t start = 0;
        for (size_t nl; (nl = log.find('\n', start)) != std::string::npos; start = nl + 1)
            lines.push_back(log.substr(start, nl - start));
        return lines;
    }

    HKEY key_ = nullptr;
    std::optional<std::string> old_;
};

// The shell writes a host-only address in its canonical form, with the
// root path "/" added.
const std::string kWebSiteAsOpened = std::string(kWebSiteAddress) + "/";

TEST_F(RealShellTest, ShellHandsTheAddressToTheBrowser) {
    OpenAddress();
    std::vector<std::string> opened = Opened(1);
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(kWebSiteAsOpened, opened[0]);
    OpenAddress(std::string("https://www.filnor.example/help/start?from=filnor"));
    opened = Opened(2);
    ASSERT_EQ(2u, opened.size());
    EXPECT_EQ("https://www.filnor.example/help/start?from=filnor", opened[1]);
}

TEST_F(RealShellTest, EachClickOfTheWebSiteButtonOpensTheSiteOnce) {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(nullptr, window);
    Pump(200);
    HWND button = MainControl(window, kIdWebSite);
    for (int i = 0; i < 3; ++i) {
        SendMessageA(button, BM_CLICK, 0, 0);
        Pump(100);
    }
    std::vector<std::string> opened = Opened(3);
    EXPECT_EQ(std::vector<std::string>(3, kWebSiteAsOpened), opened);
    // The window stays as it was: shown, no message box.
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(testing_support::DialogsOfProcess().empty());
    DestroyWindow(window);
    Pump(50);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    OleUninitialize();
}

// The help button shows the help box, owned by the main window.
TEST(Help, HelpButtonShowsTheHelpBox) {
    OleInitialize(nullptr);
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(nullptr, window);
    {
        testing_support::MessageBoxAnswerer answerer(IDOK);
        SendMessageA(MainControl(window, kIdHelp), BM_CLICK, 0, 0);
        auto boxes = answerer.Boxes();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ("帮助", boxes[0].caption);
        EXPECT_EQ(HelpText(), boxes[0].text);
        EXPECT_EQ(window, boxes[0].owner);
    }
    DestroyWindow(window);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    OleUninitialize();
}
