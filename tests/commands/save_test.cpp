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

std::wstring WideOf(const std::string& text) {
    const int n =
        MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

bool WriteWide(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

class SaveTest : public CommandsTest {
  protected:
    void TearDown() override {
        CommandsTest::TearDown();
        // Entries the ANSI functions cannot reach, files before folders.
        for (const std::wstring& path : wideCleanup_) {
            if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
        }
        testing_support::RemoveTree(tree_.root);
    }
    FolderTree tree_;
    std::vector<std::wstring> wideCleanup_;
};

// The folder's own name ends in 錦, whose second byte is that of "\": the
// walk still puts a separator between the folder and each name.
TEST_F(SaveTest, WalksTheTrimmedPathAndWritesTheNamesToTheDesktop) {
    tree_ = SmallTree("save 錦");
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

// Folders that cannot be searched (a name outside code page 936, a path
// too long for the ANSI functions) lose their files, and the end text says
// how many there were: no loss is silent.
TEST_F(SaveTest, UnreadableFoldersAreNamedInTheEndText) {
    tree_ = FolderTree{testing_support::ScratchDir("save-unreadable"),
                       {{"", "a.txt"}, {"可读", "b.txt"}}};
    ASSERT_TRUE(MakeTree(tree_));
    const std::wstring root = WideOf(tree_.root);
    const std::wstring emoji = root + L"\\\U0001F600";
    const std::wstring longer = L"\\\\?\\" + root + L"\\" + std::wstring(200, L'x');
    const std::wstring longest = longer + L"\\" + std::wstring(30, L'y');
    ASSERT_TRUE(CreateDirectoryW(emoji.c_str(), nullptr));
    ASSERT_TRUE(WriteWide(emoji + L"\\inside.txt"));
    ASSERT_TRUE(CreateDirectoryW(longer.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(longest.c_str(), nullptr));
    ASSERT_TRUE(WriteWide(longest + L"\\deep.txt"));
    wideCleanup_ = {emoji + L"\\inside.txt", emoji, longest + L"\\deep.txt", longest, longer};

    MessageBoxAnswerer answerer(IDOK);
    SetBox(tree_.root);
    Click(kIdSave);
    const std::vector<ResultRow> rows = Rows();
    EXPECT_TRUE(RowsMatchTree(rows, tree_));
    EXPECT_EQ(DoneStatus(tree_.files.size()) + "，2 个文件夹无法读取", Status(0));
    std::string name, content;
    ASSERT_TRUE(OneListFile(&name, &content));
    EXPECT_EQ(NamesAsLines(rows), content);
}

}  // namespace
}  // namespace commands_test
