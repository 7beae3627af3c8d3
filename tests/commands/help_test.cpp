// The help button: a box captioned 帮助, owned by the main window, with the
// description, the usage line and the support line.
#include <windows.h>

#include "tests/commands/commands_fixture.h"

namespace commands_test {
namespace {

using testing_support::MessageBoxAnswerer;

TEST_F(CommandsTest, HelpShowsTheHelpBox) {
    MessageBoxAnswerer answerer(IDOK);
    Click(kIdHelp);
    const auto boxes = answerer.Boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("帮助", boxes[0].caption);
    EXPECT_EQ(window, boxes[0].owner);
    EXPECT_EQ(
        "软件功能：批量提取指定文件夹（包含子文件夹）下所有文件的文件名，保存到桌面文本文件中\n"
        "使用方法：点击“浏览”选择文件夹，或在路径框中输入文件夹路径后点击“保存”，"
        "文件名列表将保存到桌面。\n"
        "　技术支持：support@filnor.example",
        boxes[0].text);
    EXPECT_TRUE(DesktopListFiles().empty());
    EXPECT_EQ(kReady, Status(0));
}

}  // namespace
}  // namespace commands_test
