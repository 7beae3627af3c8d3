// The browse button: the folder chosen in the real folder browser goes into
// the path box and is walked into the list (nothing is exported until save);
// a cancelled browser changes nothing.
#include <windows.h>

#include "tests/commands/browser_answerer.h"
#include "tests/commands/commands_fixture.h"

namespace commands_test {
namespace {

using testing_support::MessageBoxAnswerer;

class BrowseTest : public CommandsTest {
  protected:
    void SetUp() override {
        tree_ = FolderTree{testing_support::ScratchDir("browse-button"),
                           {{"选 中", "甲.txt"},
                            {"选 中", "錦.txt"},
                            {"选 中\\下层", "乙.txt"},
                            {"其它", "丙.txt"}}};
        ASSERT_TRUE(MakeTree(tree_));
        CommandsTest::SetUp();
    }
    void TearDown() override {
        CommandsTest::TearDown();
        testing_support::RemoveTree(tree_.root);
    }
    FolderTree tree_;
};

TEST_F(BrowseTest, ChosenFolderGoesIntoTheBoxAndIsListed) {
    const std::string chosen = tree_.root + "\\选 中";
    FolderTree expected{chosen, {{"", "甲.txt"}, {"", "錦.txt"}, {"下层", "乙.txt"}}};
    MessageBoxAnswerer boxes(IDOK);
    SetBox("  旧的文字 ");
    {
        BrowserAnswerer browser(chosen, "选 中");
        Click(kIdBrowse);
        ASSERT_EQ(1, browser.Seen());
        EXPECT_TRUE(browser.Selected());
    }
    EXPECT_EQ(chosen, Box());
    const std::vector<ResultRow> rows = Rows();
    EXPECT_TRUE(RowsMatchTree(rows, expected));
    EXPECT_EQ(DoneStatus(expected.files.size()), Status(0));
    EXPECT_TRUE(IsWindowEnabled(window));
    // Browsing lists; only save writes the file.
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(DesktopListFiles().empty());

    // Save right after exports these rows: the box names the folder they
    // were made from, so a file added meanwhile is not picked up.
    ASSERT_TRUE(testing_support::WriteBytes(chosen + "\\后来.txt", "later"));
    Click(kIdSave);
    std::string name, content;
    ASSERT_TRUE(OneListFile(&name, &content));
    EXPECT_EQ(NamesAsLines(rows), content);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(kDoneText, boxes.Boxes()[0].text);
}

TEST_F(BrowseTest, CancelledBrowserChangesNothing) {
    MessageBoxAnswerer boxes(IDOK);
    SetBox(tree_.root);
    Click(kIdSave);
    ASSERT_TRUE(RowsMatchTree(Rows(), tree_));
    RemoveDesktopListFiles();
    SetBox("  typed but not saved\t");
    const std::vector<ResultRow> rowsBefore = Rows();
    const std::string statusBefore = Status(0);

    {
        BrowserAnswerer browser;  // cancels
        Click(kIdBrowse);
        ASSERT_EQ(1, browser.Seen());
    }
    EXPECT_EQ("  typed but not saved\t", Box());
    EXPECT_TRUE(RowsMatchTree(Rows(), tree_));
    EXPECT_EQ(rowsBefore.size(), Rows().size());
    EXPECT_EQ(statusBefore, Status(0));
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_EQ(1u, boxes.Boxes().size());  // only the save's
    EXPECT_TRUE(DesktopListFiles().empty());
}

}  // namespace
}  // namespace commands_test
