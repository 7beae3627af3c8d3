// The real program, started as its own process and used from outside as a
// user would: a typed path with blanks around it is saved to the desktop; a
// folder chosen in the folder browser is listed and saved; closing during a
// walk (with Esc) ends the program cleanly. Each run ends with exit code 0.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/commands/desktop_files.h"
#include "tests/commands/folder_tree.h"
#include "tests/e2e/remote_browser.h"
#include "tests/e2e/screenshot.h"
#include "tests/e2e/target_program.h"
#include "tests/support/test_support.h"

namespace e2e {
namespace {

using commands_test::DesktopFolder;
using commands_test::DesktopListFiles;
using commands_test::FolderTree;
using commands_test::ListFileNamesBetween;
using commands_test::MakeTree;
using commands_test::NamesAsLines;
using commands_test::RemoveDesktopListFiles;
using commands_test::RowsMatchTree;

// Generous: under Wine a program start or a message box can take seconds.
constexpr DWORD kWaitMs = 30000;
// The program is started elsewhere than in its own folder, as from a
// shortcut, so that a relative path shows which folder it resolves in.
constexpr char kStartFolder[] = "C:\\";

std::string DoneStatus(size_t files) { return "提取完成：共 " + std::to_string(files) + " 个文件"; }

// Esc pressed on whichever control of the program has the focus.
void PressEscape(const TargetProgram& target) {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(target.Window(), nullptr), &gui);
    PostMessageA(gui.hwndFocus ? gui.hwndFocus : target.Window(), WM_KEYDOWN, VK_ESCAPE, 1);
}

class EndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        OleInitialize(nullptr);
        RemoveDesktopListFiles();
        program_ = ProgramPath();
        const DWORD attributes = GetFileAttributesA(program_.c_str());
        ASSERT_TRUE(attributes != INVALID_FILE_ATTRIBUTES) << "no program at " << program_;
    }
    void TearDown() override {
        RemoveDesktopListFiles();
        for (const std::string& root : roots_) testing_support::RemoveTree(root);
        OleUninitialize();
    }

    std::string Scratch(const std::string& name) {
        roots_.push_back(testing_support::ScratchDir(name));
        return roots_.back();
    }

    // Waits for the program's message box, checks it is the export's
    // success box owned by the main window, and presses OK.
    void AnswerDoneBox(TargetProgram& target) {
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = target.FindMessageBox()) != nullptr; }, kWaitMs));
        EXPECT_EQ("消息", target.WindowText(box));
        EXPECT_EQ("生成完毕，请到桌面查看生成的文件！", target.WindowText(GetDlgItem(box, 0xFFFF)));
        EXPECT_EQ(target.Window(), GetWindow(box, GW_OWNER));
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, kWaitMs));
    }

    // The one list file on the desktop holds the rows' names in row order,
    // and its name carries a time between `before` and `after`.
    void ExpectListFile(const std::vector<ResultRow>& rows, const SYSTEMTIME& before,
                        const SYSTEMTIME& after) {
        const std::vector<std::string> files = DesktopListFiles();
        ASSERT_EQ(1u, files.size());
        const std::vector<std::string> names = ListFileNamesBetween(before, after);
        EXPECT_NE(names.end(), std::find(names.begin(), names.end(), files[0])) << files[0];
        EXPECT_EQ(NamesAsLines(rows),
                  testing_support::ReadBytes(DesktopFolder() + "\\" + files[0]));
    }

    std::string program_;
    std::vector<std::string> roots_;
};

TEST_F(EndToEndTest, TypedPathWithBlanksIsSavedToTheDesktop) {
    FolderTree tree{Scratch("e2e-typed"),
                    {{"", "说明.txt"},
                     {"", "錦.txt"},
                     {"", "with space.log"},
                     {"资料", "表 1.xls"},
                     {"资料\\旧", "a"},
                     {"其它", "b.bin"}}};
    ASSERT_TRUE(MakeTree(tree, {"空"}));

    TargetProgram target(program_, kStartFolder);
    ASSERT_TRUE(target.Started());
    ASSERT_TRUE(target.WaitForMainWindow(kWaitMs));
    EXPECT_EQ("准备就绪", target.StatusText(0));
    HWND box = target.Control(kIdPathBox);
    ASSERT_TRUE(box);

    // Typed, with a tab and blanks pasted after the path.
    TypeText(box, "  " + tree.root);
    ASSERT_TRUE(PasteText(box, "\t  "));
    const std::string typed = "  " + tree.root + "\t  ";
    EXPECT_TRUE(WaitFor([&] { return target.WindowText(box) == typed; }, kWaitMs))
        << target.WindowText(box);

    SYSTEMTIME before, after;
    GetLocalTime(&before);
    Press(target.Control(kIdSave));
    AnswerDoneBox(target);
    GetLocalTime(&after);

    EXPECT_EQ(tree.root, target.WindowText(box));
    const std::vector<ResultRow> rows = target.Rows();
    EXPECT_TRUE(RowsMatchTree(rows, tree));
    EXPECT_EQ(DoneStatus(tree.files.size()), target.StatusText(0));
    ExpectListFile(rows, before, after);

    // A picture of the filled window, for a person to look at.
    RedrawWindow(target.Window(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    const std::string picture =
        program_.substr(0, program_.find_last_of('\\')) + "\\e2e-filled.bmp";
    EXPECT_TRUE(SaveWindowImage(target.Window(), picture)) << picture;

    PressEscape(target);
    DWORD code = 1;
    ASSERT_TRUE(target.WaitForExit(kWaitMs, &code));
    EXPECT_EQ(0u, code);
}

TEST_F(EndToEndTest, FolderChosenInTheBrowserIsListedThenSaved) {
    const std::string root = Scratch("e2e-browse");
    const std::string chosen = root + "\\选 中";
    FolderTree tree{chosen, {{"", "甲.txt"}, {"", "乙 丙.doc"}, {"下层", "丁.txt"}}};
    ASSERT_TRUE(testing_support::MakeDir(chosen));
    ASSERT_TRUE(MakeTree(tree));
    ASSERT_TRUE(testing_support::WriteBytes(root + "\\不选.txt", "x"));

    TargetProgram target(program_, kStartFolder);
    ASSERT_TRUE(target.Started());
    ASSERT_TRUE(target.WaitForMainWindow(kWaitMs));
    Press(target.Control(kIdBrowse));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindBrowser(target.Pid())) != nullptr; }, kWaitMs));
    EXPECT_EQ("请选择一个文件夹", target.WindowText(GetDlgItem(dialog, 0x3742)));
    EXPECT_FALSE(IsWindowEnabled(target.Window()));  // the program is modal to the browser

    RemoteTree browserTree(target.Process(), GetDlgItem(dialog, 0x3741));
    std::string why;
    const bool selected = browserTree.SelectPath(BrowserLabels(chosen), &why);
    EXPECT_TRUE(selected) << why;
    EXPECT_EQ("选 中", browserTree.CaretLabel());
    // OK even after a failed selection, so the program is never left waiting.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(selected);

    ASSERT_TRUE(
        WaitFor([&] { return target.StatusText(0) == DoneStatus(tree.files.size()); }, kWaitMs))
        << target.StatusText(0);
    EXPECT_TRUE(IsWindowEnabled(target.Window()));
    EXPECT_EQ(chosen, target.WindowText(target.Control(kIdPathBox)));
    const std::vector<ResultRow> rows = target.Rows();
    EXPECT_TRUE(RowsMatchTree(rows, tree));
    // Browsing only lists.
    EXPECT_EQ(nullptr, target.FindMessageBox());
    EXPECT_TRUE(DesktopListFiles().empty());

    SYSTEMTIME before, after;
    GetLocalTime(&before);
    Press(target.Control(kIdSave));
    AnswerDoneBox(target);
    GetLocalTime(&after);
    ExpectListFile(rows, before, after);

    PostMessageA(target.Window(), WM_CLOSE, 0, 0);
    DWORD code = 1;
    ASSERT_TRUE(target.WaitForExit(kWaitMs, &code));
    EXPECT_EQ(0u, code);
}

// A relative path typed into the box names a folder beside the program
// file, whatever folder the program was started in.
TEST_F(EndToEndTest, RelativePathResolvesInTheProgramFolder) {
    const std::string programFolder = program_.substr(0, program_.find_last_of('\\'));
    const std::string relative = "e2e-relative";
    testing_support::RemoveTree(programFolder + "\\" + relative);
    ASSERT_TRUE(testing_support::MakeDir(programFolder + "\\" + relative));
    roots_.push_back(programFolder + "\\" + relative);
    ASSERT_TRUE(MakeTree({programFolder + "\\" + relative, {{"", "近.txt"}, {"里", "远.txt"}}}));
    // The rows carry the path as typed.
    const FolderTree tree{relative, {{"", "近.txt"}, {"里", "远.txt"}}};

    TargetProgram target(program_, kStartFolder);
    ASSERT_TRUE(target.Started());
    ASSERT_TRUE(target.WaitForMainWindow(kWaitMs));
    TypeText(target.Control(kIdPathBox), " " + relative + " ");
    ASSERT_TRUE(WaitFor(
        [&] { return target.WindowText(target.Control(kIdPathBox)) == " " + relative + " "; },
        kWaitMs));
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    Press(target.Control(kIdSave));
    AnswerDoneBox(target);
    GetLocalTime(&after);
    const std::vector<ResultRow> rows = target.Rows();
    EXPECT_TRUE(RowsMatchTree(rows, tree));
    ExpectListFile(rows, before, after);

    PostMessageA(target.Window(), WM_CLOSE, 0, 0);
    DWORD code = 1;
    ASSERT_TRUE(target.WaitForExit(kWaitMs, &code));
    EXPECT_EQ(0u, code);
}

TEST_F(EndToEndTest, ClosingDuringAWalkEndsTheProgramCleanly) {
    const FolderTree tree = commands_test::WideTree(Scratch("e2e-big"), 60, 100);
    ASSERT_TRUE(MakeTree(tree));

    TargetProgram target(program_, kStartFolder);
    ASSERT_TRUE(target.Started());
    ASSERT_TRUE(target.WaitForMainWindow(kWaitMs));
    SendMessageA(target.Control(kIdPathBox), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(tree.root.c_str()));
    Press(target.Control(kIdSave));

    int rowsAtClose = -1;
    ASSERT_TRUE(WaitFor(
        [&] {
            rowsAtClose = target.RowCount();
            return rowsAtClose > 0 && target.StatusText(0).rfind("正在提取：已找到 ", 0) == 0;
        },
        kWaitMs))
        << "the walk was not seen running; status: " << target.StatusText(0);
    // Esc, handled by the walk's own message pump.
    PressEscape(target);
    EXPECT_LT(rowsAtClose, static_cast<int>(tree.files.size()));

    DWORD code = 1;
    ASSERT_TRUE(target.WaitForExit(kWaitMs, &code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(DesktopListFiles().empty());
}

}  // namespace
}  // namespace e2e
