// The save button: the typed path is trimmed and walked into the list, the
// names go to a new desktop file, and every outcome is told in a box owned
// by the main window. Refusals write nothing and leave the list alone; a
// second save of the same path exports the rows it already has.
#include <windows.h>

#include <algorithm>

#include "tests/commands/commands_fixture.h"

namespace commands_test {
namespace {

using testing_support::MessageBoxAnswerer;

// A small tree with the awkward cases of names: spaces, double-byte
// characters (錦 ends in the byte of "\"), a dot-file, an empty folder and
// a folder holding only a subfolder.
FolderTree SmallTree(const std::string& name) {
    FolderTree tree{testing_support::ScratchDir(name),
                    {{"", "a.txt"},
                     {"", "名 字.doc"},
                     {"", "錦.txt"},
                     {"", ".hidden"},
                     {"子目录", "b.bin"},
                     {"子目录", "c"},
                     {"只有子目录\\深", "d.log"}}};
    EXPECT_TRUE(MakeTree(tree, {"空"}));
    return tree;
}

class SaveTest : public CommandsTest {
  protected:
    void TearDown() override {
        CommandsTest::TearDown();
        testing_support::RemoveTree(tree_.root);
    }
    FolderTree tree_;
};

TEST_F(SaveTest, WalksTheTrimmedPathAndWritesTheNamesToTheDesktop) {
    tree_ = SmallTree("save");
    SetBox("  " + tree_.root + "\t  \r\n");
    SYSTEMTIME before, after;
    MessageBoxAnswerer answerer(IDOK);
    GetLocalTime(&before);
    Click(kIdSave);
    GetLocalTime(&after);

    EXPECT_EQ(tree_.root, Box());
    const std::vector<ResultRow> rows = Rows();
    EXPECT_TRUE(RowsMatchTree(rows, tree_));
    EXPECT_EQ(DoneStatus(tree_.files.size()), Status(0));

    const auto boxes = answerer.Boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(kMessageCaption, boxes[0].caption);
    EXPECT_EQ(kDoneText, boxes[0].text);
    EXPECT_EQ(window, boxes[0].owner);

    std::string name, content;
    ASSERT_TRUE(OneListFile(&name, &content));
    const std::vector<std::string> names = ListFileNamesBetween(before, after);
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), name)) << name;
    EXPECT_EQ(NamesAsLines(rows), content);
}

// Each refusal shows its reminder and touches neither the list, the status
// nor the desktop, even when the list holds the rows of an earlier save.
TEST_F(SaveTest, RefusesAnEmptyBoxAndAFolderThatDoesNotExist) {
    tree_ = SmallTree("save-refusal");
    {
        MessageBoxAnswerer answerer(IDOK);
        SetBox(tree_.root);
        Click(kIdSave);
        ASSERT_EQ(1u, answerer.Boxes().size());
    }
    RemoveDesktopListFiles();
    const std::vector<ResultRow> rowsBefore = Rows();
    ASSERT_EQ(tree_.files.size(), rowsBefore.size());
    const std::string statusBefore = Status(0);

    const struct {
        std::string box;
        const char* message;
    } cases[] = {
        {"", kChooseFolderText},
        {" \t\r\n  ", kChooseFolderText},
        {tree_.root + "\\不存在", kNoSuchFolderText},
        {"  " + tree_.root + "\\不存在\\更深  ", kNoSuchFolderText},
        {tree_.root + "\\a.txt", kNoSuchFolderText},  // a file, not a folder
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("box: \"" + c.box + "\"");
        MessageBoxAnswerer answerer(IDOK);
        SetBox(c.box);
        Click(kIdSave);
        const auto boxes = answerer.Boxes();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(c.message, boxes[0].text);
        EXPECT_EQ(kMessageCaption, boxes[0].caption);
        EXPECT_EQ(window, boxes[0].owner);
        EXPECT_TRUE(DesktopListFiles().empty());
        EXPECT_EQ(rowsBefore.size(), Rows().size());
        EXPECT_TRUE(RowsMatchTree(Rows(), tree_));
        EXPECT_EQ(statusBefore, Status(0));
    }
}

// The rows of a walk are exported again as they are while the box names the
// same folder; a file added meanwhile is not picked up. Editing the box (here
// to another spelling of the same folder) walks again.
TEST_F(SaveTest, SavesTheSamePathWithoutWalkingAgainUntilTheBoxIsEdited) {
    tree_ = SmallTree("save-twice");
    MessageBoxAnswerer answerer(IDOK);
    SetBox(tree_.root + " ");
    Click(kIdSave);
    const std::vector<ResultRow> first = Rows();
    ASSERT_TRUE(RowsMatchTree(first, tree_));
    RemoveDesktopListFiles();

    ASSERT_TRUE(testing_support::WriteBytes(tree_.root + "\\新来的.txt", "new"));
    Click(kIdSave);
    std::string name, content;
    ASSERT_TRUE(OneListFile(&name, &content));
    EXPECT_EQ(NamesAsLines(first), content);
    EXPECT_TRUE(RowsMatchTree(Rows(), tree_));
    EXPECT_EQ(tree_.root, Box());
    RemoveDesktopListFiles();

    SetBox(tree_.root + "\\");
    Click(kIdSave);
    EXPECT_EQ(tree_.root + "\\", Box());
    FolderTree grown = tree_;
    grown.files.push_back({"", "新来的.txt"});
    const std::vector<ResultRow> second = Rows();
    EXPECT_TRUE(RowsMatchTree(second, grown));
    EXPECT_EQ(DoneStatus(grown.files.size()), Status(0));
    ASSERT_TRUE(OneListFile(&name, &content));
    EXPECT_EQ(NamesAsLines(second), content);

    const auto boxes = answerer.Boxes();
    ASSERT_EQ(3u, boxes.size());
    for (const auto& box : boxes) EXPECT_EQ(kDoneText, box.text);
}

// A folder without files gives an empty list and an empty file, reported
// as done.
TEST_F(SaveTest, EmptyFolderGivesAnEmptyFile) {
    tree_ = FolderTree{testing_support::ScratchDir("save-empty"), {}};
    ASSERT_TRUE(MakeTree(tree_, {"空的子目录"}));
    MessageBoxAnswerer answerer(IDOK);
    SetBox(tree_.root);
    Click(kIdSave);
    EXPECT_EQ(0, RowCount(List()));
    EXPECT_EQ(DoneStatus(0), Status(0));
    std::string name, content;
    ASSERT_TRUE(OneListFile(&name, &content));
    EXPECT_EQ("", content);
    const auto boxes = answerer.Boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(kDoneText, boxes[0].text);
}

}  // namespace
}  // namespace commands_test
