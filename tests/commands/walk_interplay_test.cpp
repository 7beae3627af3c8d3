// Clicks and closing while a walk runs: the handlers run nested inside the
// walk's message pump. Clear stops the walk and leaves an empty, working
// list; browse and save are ignored; closing the window ends the walk and
// the program's loop.
#include <windows.h>

#include "tests/commands/browser_answerer.h"
#include "tests/commands/commands_fixture.h"
#include "tests/commands/list_paint.h"
#include "tests/commands/timer_action.h"

namespace commands_test {
namespace {

using testing_support::MessageBoxAnswerer;

// Large enough that the walk runs through many pumps.
constexpr int kFolders = 40;
constexpr int kFilesPerFolder = 100;

class WalkInterplayTest : public CommandsTest {
  protected:
    void SetUp() override {
        big_ = WideTree(testing_support::ScratchDir("walk-big"), kFolders, kFilesPerFolder);
        ASSERT_TRUE(MakeTree(big_));
        small_ = FolderTree{testing_support::ScratchDir("walk-small"),
                            {{"", "x.txt"}, {"里面", "y.txt"}}};
        ASSERT_TRUE(MakeTree(small_));
        CommandsTest::SetUp();
    }
    void TearDown() override {
        CommandsTest::TearDown();
        testing_support::RemoveTree(big_.root);
        testing_support::RemoveTree(small_.root);
    }

    // True while a walk is under way: rows have come, the end is not shown.
    bool MidWalk() { return RowCount(List()) > 0 && Status(0).rfind("正在提取：已找到 ", 0) == 0; }

    FolderTree big_;
    FolderTree small_;
};

// Clear during a walk, whichever button started it: the walk stops, the
// list stays empty and repaints, nothing is exported, and the next save
// works as usual.
TEST_F(WalkInterplayTest, ClearStopsTheWalk) {
    for (const bool bySave : {true, false}) {
        SCOPED_TRACE(bySave ? "walk started by save" : "walk started by browse");
        int rowsAtClear = -1;
        TimerAction clear([&] {
            if (!MidWalk()) return false;
            rowsAtClear = RowCount(List());
            PostClick(kIdClear);
            return true;
        });
        {
            MessageBoxAnswerer boxes(IDOK);
            if (bySave) {
                SetBox(big_.root);
                Click(kIdSave);
            } else {
                SetBox("");
                BrowserAnswerer browser(big_.root, "walk-big");
                Click(kIdBrowse);
                EXPECT_EQ(1, browser.Seen());
                EXPECT_TRUE(browser.Selected());
            }
            ASSERT_TRUE(clear.Done());
            EXPECT_GT(rowsAtClear, 0);
            EXPECT_LT(rowsAtClear, kFolders * kFilesPerFolder);
            EXPECT_EQ(0, RowCount(List()));
            EXPECT_EQ("", Box());
            EXPECT_EQ(kReady, Status(0));
            EXPECT_TRUE(boxes.Boxes().empty());
            EXPECT_TRUE(DesktopListFiles().empty());
            // Nothing arrives later either.
            PumpProgram(300);
            EXPECT_EQ(0, RowCount(List()));
            EXPECT_EQ(kReady, Status(0));
        }

        // The list paints again: redraw is back on.
        EXPECT_TRUE(ListRepaintsNewRow(List()));
        DeleteAllRows(List());

        MessageBoxAnswerer boxes(IDOK);
        SetBox(small_.root);
        Click(kIdSave);
        const std::vector<ResultRow> rows = Rows();
        EXPECT_TRUE(RowsMatchTree(rows, small_));
        EXPECT_EQ(DoneStatus(small_.files.size()), Status(0));
        std::string name, content;
        ASSERT_TRUE(OneListFile(&name, &content));
        EXPECT_EQ(NamesAsLines(rows), content);
        ASSERT_EQ(1u, boxes.Boxes().size());
        RemoveDesktopListFiles();
        Click(kIdClear);
    }
}

// The repaint check itself tells a list whose redraw is off from one that
// repaints.
TEST_F(CommandsTest, RepaintCheckSeesRedrawOff) {
    EXPECT_TRUE(ListRepaintsNewRow(List()));
    SendMessageA(List(), WM_SETREDRAW, FALSE, 0);
    EXPECT_FALSE(ListRepaintsNewRow(List()));
    SendMessageA(List(), WM_SETREDRAW, TRUE, 0);
    EXPECT_TRUE(ListRepaintsNewRow(List()));
}

// Browse and save clicked during a walk do nothing: no browser, no second
// walk, no extra box; the walk finishes and exports once.
TEST_F(WalkInterplayTest, BrowseAndSaveAreIgnoredDuringAWalk) {
    int rowsAtClicks = -1;
    TimerAction clicks([&] {
        if (!MidWalk()) return false;
        rowsAtClicks = RowCount(List());
        PostClick(kIdBrowse);
        PostClick(kIdSave);
        return true;
    });
    MessageBoxAnswerer boxes(IDOK);
    BrowserAnswerer browser;  // cancels any browser that shows
    SetBox(big_.root);
    Click(kIdSave);

    ASSERT_TRUE(clicks.Done());
    EXPECT_GT(rowsAtClicks, 0);
    EXPECT_LT(rowsAtClicks, kFolders * kFilesPerFolder);
    // The posted clicks were handled during the walk, not after it.
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, Control(kIdBrowse), BM_CLICK, BM_CLICK, PM_NOREMOVE));
    EXPECT_FALSE(PeekMessageA(&msg, Control(kIdSave), BM_CLICK, BM_CLICK, PM_NOREMOVE));

    EXPECT_EQ(0, browser.Seen());
    const std::vector<ResultRow> rows = Rows();
    EXPECT_TRUE(RowsMatchTree(rows, big_));
    EXPECT_EQ(DoneStatus(big_.files.size()), Status(0));
    const auto seen = boxes.Boxes();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(kDoneText, seen[0].text);
    std::string name, content;
    ASSERT_TRUE(OneListFile(&name, &content));
    EXPECT_EQ(NamesAsLines(rows), content);
}

// Closing the window during a walk started by save: the window goes, the
// walk ends without exporting, and the quit message waits for the loop.
TEST_F(WalkInterplayTest, CloseDuringAWalkEndsItAndQuits) {
    int rowsAtClose = -1;
    TimerAction close([&] {
        if (!MidWalk()) return false;
        rowsAtClose = RowCount(List());
        PostMessageA(window, WM_CLOSE, 0, 0);
        return true;
    });
    MessageBoxAnswerer boxes(IDOK);
    SetBox(big_.root);
    Click(kIdSave);

    ASSERT_TRUE(close.Done());
    EXPECT_GT(rowsAtClose, 0);
    EXPECT_LT(rowsAtClose, kFolders * kFilesPerFolder);
    EXPECT_FALSE(IsWindow(window));
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    PumpProgram(200);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(DesktopListFiles().empty());
}

}  // namespace
}  // namespace commands_test
