// Tests of BrowseFolder on the real shell folder browser, driven from a second
// thread: it selects a folder in the tree and confirms, or cancels.
#include "extract/browse_folder.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include <atomic>
#include <string>
#include <thread>

#include "tests/support/test_support.h"

namespace {

constexpr int kTreeId = 0x3741;
constexpr int kPromptId = 0x3742;

// The browser dialog of this process, once it is shown (null after `ms`).
HWND WaitForBrowser(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        for (HWND d : testing_support::DialogsOfProcess()) {
            if (GetDlgItem(d, kTreeId)) return d;
        }
        Sleep(20);
    }
    return nullptr;
}

std::string CaretLabel(HWND tree) {
    HTREEITEM caret = TreeView_GetSelection(tree);
    if (!caret) return std::string();
    char label[MAX_PATH] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = caret;
    item.pszText = label;
    item.cchTextMax = sizeof label;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return label;
}

// Answers the browser from its own thread. With a folder, it selects that
// folder in the tree and presses OK; without one, it presses Cancel. It also
// notes the prompt and what the test's windows look like while it is open.
struct BrowserDriver {
    std::string folder;       // empty: cancel
    std::string expectLabel;  // the tree label the folder shows as
    HWND watched[2] = {};

    std::atomic<bool> found{false};
    bool selected = false;
    std::string prompt;
    bool enabledDuringBrowse[2] = {true, true};
    HWND owner = nullptr;

    void Run() {
        HWND dialog = WaitForBrowser(15000);
        if (!dialog) return;
        found = true;
        Sleep(200);  // let the tree fill
        prompt = testing_support::WindowText(GetDlgItem(dialog, kPromptId));
        owner = GetWindow(dialog, GW_OWNER);
        for (int i = 0; i < 2; ++i) {
            if (watched[i]) enabledDuringBrowse[i] = IsWindowEnabled(watched[i]) != 0;
        }
        if (folder.empty()) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            return;
        }
        HWND tree = GetDlgItem(dialog, kTreeId);
        for (int attempt = 0; attempt < 3 && !selected; ++attempt) {
            SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE,
                         reinterpret_cast<LPARAM>(folder.c_str()));
            Sleep(100);
            selected = CaretLabel(tree) == expectLabel;
        }
        // Confirm even when the selection failed, so the test never hangs;
        // `selected` then tells what went wrong.
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    }
};

class BrowseFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        root_ = testing_support::ScratchDir("browse");
        ASSERT_TRUE(testing_support::MakeDir(root_ + "\\文件夹 一"));
        ASSERT_TRUE(testing_support::MakeDir(root_ + "\\文件夹 一\\錦"));
        main_ = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                300, nullptr, nullptr, nullptr, nullptr);
        other_ = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 450, 0,
                                 200, 200, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(main_ && other_);
        SetActiveWindow(main_);
        testing_support::PumpFor(100);
        ASSERT_EQ(GetActiveWindow(), main_);
    }
    void TearDown() override {
        if (other_) DestroyWindow(other_);
        if (main_) DestroyWindow(main_);
        testing_support::RemoveTree(root_);
        OleUninitialize();
    }

    // Runs BrowseFolder while `driver` answers it.
    std::string Browse(BrowserDriver& driver, const std::string& prompt) {
        driver.watched[0] = main_;
        driver.watched[1] = other_;
        std::thread t([&] { driver.Run(); });
        std::string result = BrowseFolder(prompt);
        t.join();
        return result;
    }

    std::string root_;
    HWND main_ = nullptr;
    HWND other_ = nullptr;
};

TEST_F(BrowseFolderTest, ReturnsTheChosenFolder) {
    struct Case {
        std::string folder, label;
    } cases[] = {
        {root_ + "\\文件夹 一", "文件夹 一"},
        {root_ + "\\文件夹 一\\錦", "錦"},
    };
    for (const auto& c : cases) {
        BrowserDriver driver;
        driver.folder = c.folder;
        driver.expectLabel = c.label;
        EXPECT_EQ(Browse(driver, "请选择一个文件夹"), c.folder);
        ASSERT_TRUE(driver.found);
        EXPECT_TRUE(driver.selected) << c.folder;
        EXPECT_EQ(driver.prompt, "请选择一个文件夹");
        EXPECT_EQ(driver.owner, main_);
        // Every top-level window of the program was disabled while it was open
        // and is enabled again, with the owner active once more.
        EXPECT_FALSE(driver.enabledDuringBrowse[0]);
        EXPECT_FALSE(driver.enabledDuringBrowse[1]);
        EXPECT_TRUE(IsWindowEnabled(main_));
        EXPECT_TRUE(IsWindowEnabled(other_));
        EXPECT_EQ(GetActiveWindow(), main_);
    }
}

TEST_F(BrowseFolderTest, DriveRootKeepsItsSeparator) {
    BrowserDriver driver;
    driver.folder = "C:\\";
    char label[MAX_PATH] = {};
    // The tree shows the drive under its display name, as the shell gives it.
    SHFILEINFOA sfi = {};
    SHGetFileInfoA("C:\\", 0, &sfi, sizeof sfi, SHGFI_DISPLAYNAME);
    lstrcpynA(label, sfi.szDisplayName, sizeof label);
    driver.expectLabel = label;
    EXPECT_EQ(Browse(driver, "请选择一个文件夹"), "C:\\");
    EXPECT_TRUE(driver.selected) << label;
}

TEST_F(BrowseFolderTest, CancelGivesEmptyText) {
    BrowserDriver driver;
    EXPECT_EQ(Browse(driver, ""), "");
    ASSERT_TRUE(driver.found);
    EXPECT_TRUE(IsWindowEnabled(main_));
    EXPECT_TRUE(IsWindowEnabled(other_));
    EXPECT_EQ(GetActiveWindow(), main_);
}

TEST_F(BrowseFolderTest, DisabledWindowStaysDisabled) {
    EnableWindow(other_, FALSE);
    BrowserDriver driver;
    driver.folder = root_ + "\\文件夹 一";
    driver.expectLabel = "文件夹 一";
    EXPECT_EQ(Browse(driver, "请选择一个文件夹"), driver.folder);
    EXPECT_TRUE(IsWindowEnabled(main_));
    EXPECT_FALSE(IsWindowEnabled(other_));
    EXPECT_EQ(GetActiveWindow(), main_);
}

}  // namespace
