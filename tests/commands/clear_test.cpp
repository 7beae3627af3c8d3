// The clear button after a finished walk: list, path box and status go back
// to their start, and the next save walks again.
#include <windows.h>

#include "tests/commands/commands_fixture.h"

namespace commands_test {
namespace {

using testing_support::MessageBoxAnswerer;

class ClearTest : public CommandsTest {
  protected:
    void TearDown() override {
        CommandsTest::TearDown();
        testing_support::RemoveTree(tree_.root);
    }
    FolderTree tree_;
};

TEST_F(ClearTest, EmptiesListAndBoxAndTheNextSaveWalksAgain) {
    tree_ = FolderTree{testing_support::ScratchDir("clear"),
                       {{"", "一.txt"}, {"", "二.txt"}, {"下", "三.txt"}}};
    ASSERT_TRUE(MakeTree(tree_));
    MessageBoxAnswerer answerer(IDOK);
    SetBox(tree_.root);
    Click(kIdSave);
    ASSERT_TRUE(RowsMatchTree(Rows(), tree_));

    Click(kIdClear);
    EXPECT_EQ(0, RowCount(List()));
    EXPECT_EQ("", Box());
    EXPECT_EQ(kReady, Status(0));
    EXPECT_EQ(1u, answerer.Boxes().size());  // clearing asks nothing

    // The same path again: the rows were cleared, so it is walked again and
    // finds the file added since.
    RemoveDesktopListFiles();
    tree_.files.push_back({"下", "四.txt"});
    ASSERT_TRUE(testing_support::WriteBytes(tree_.root + "\\下\\四.txt", "4"));
    SetBox(tree_.root);
    Click(kIdSave);
    const std::vector<ResultRow> rows = Rows();
    EXPECT_TRUE(RowsMatchTree(rows, tree_));
    EXPECT_EQ(DoneStatus(tree_.files.size()), Status(0));
    std::string name, content;
    ASSERT_TRUE(OneListFile(&name, &content));
    EXPECT_EQ(NamesAsLines(rows), content);
}

}  // namespace
}  // namespace commands_test
