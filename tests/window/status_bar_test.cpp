// AddStatusPart's argument rules and layout on a status bar of its own.

#include <vector>

#include "tests/window/window_fixture.h"

#include "app/status_bar.h"

namespace {

class StatusBarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
        InitCommonControlsEx(&icc);
        parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 200,
                                 nullptr, nullptr, nullptr, nullptr);
        bar = CreateStatusBar(parent, 1);
        ASSERT_NE(nullptr, bar);
        ShowWindow(bar, SW_SHOW);
    }
    void TearDown() override { DestroyWindow(parent); }

    std::vector<int> Edges() {
        int edges[16] = {};
        const int n =
            static_cast<int>(SendMessageA(bar, SB_GETPARTS, 16, reinterpret_cast<LPARAM>(edges)));
        return std::vector<int>(edges, edges + n);
    }
    int PartWidth(int i) {
        RECT rc = {};
        SendMessageA(bar, SB_GETRECT, i, reinterpret_cast<LPARAM>(&rc));
        return rc.right - rc.left;
    }
    std::string Text(int i, int* type = nullptr) {
        char buf[256] = {};
        const LRESULT r = SendMessageA(bar, SB_GETTEXTA, i, reinterpret_cast<LPARAM>(buf));
        if (type) *type = HIWORD(r);
        return buf;
    }

    HWND parent = nullptr;
    HWND bar = nullptr;
};

}  // namespace

TEST_F(StatusBarTest, StartsSimpleAndEmpty) {
    EXPECT_TRUE(SendMessageA(bar, SB_ISSIMPLE, 0, 0));
    EXPECT_TRUE(StatusParts(bar).empty());
    EXPECT_EQ("", Text(SB_SIMPLEID));
}

TEST_F(StatusBarTest, DefaultsGiveAnEmptyFiftyPixelSunkenPart) {
    EXPECT_EQ(0, AddStatusPart(bar));
    EXPECT_FALSE(SendMessageA(bar, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(std::vector<int>{50}, Edges());
    int type = -1;
    EXPECT_EQ("", Text(0, &type));
    EXPECT_EQ(0, type);
    const auto parts = StatusParts(bar);
    ASSERT_EQ(1u, parts.size());
    EXPECT_EQ(-1, parts[0].iconIndex);
    EXPECT_EQ(0, parts[0].style);
}

TEST_F(StatusBarTest, ArgumentRules) {
    struct Case {
        int width, icon, style;
        int expectedWidth, expectedIcon, expectedType;
    };
    const Case cases[] = {
        {-5, -7, 1, -1, -1, SBT_NOBORDERS},  // below -1 become -1; style 1 borderless
        {30, 2, 2, 30, 2, SBT_POPOUT},       // style 2 raised
        {30, -1, 7, 30, -1, 0},              // unknown style: sunken
    };
    for (const Case& c : cases) {
        DestroyWindow(bar);
        bar = CreateStatusBar(parent, 1);
        EXPECT_EQ(0, AddStatusPart(bar, "x", c.width, "tip", c.icon, c.style));
        const auto parts = StatusParts(bar);
        ASSERT_EQ(1u, parts.size());
        EXPECT_EQ(c.expectedWidth, parts[0].width);
        EXPECT_EQ(c.expectedIcon, parts[0].iconIndex);
        int type = -1;
        EXPECT_EQ("x", Text(0, &type));
        EXPECT_EQ(c.expectedType, type) << c.style;
        EXPECT_EQ(std::vector<int>{c.expectedWidth}, Edges());
    }
}

TEST_F(StatusBarTest, RunningEdgesAndNoRoomAfterAPartReachingTheEnd) {
    EXPECT_EQ(0, AddStatusPart(bar, "a", 100));
    EXPECT_EQ(1, AddStatusPart(bar, "b", 60));
    EXPECT_EQ((std::vector<int>{100, 160}), Edges());
    EXPECT_EQ(2, AddStatusPart(bar, "c", -1));
    EXPECT_EQ(3, AddStatusPart(bar, "d", 80));
    const auto edges = Edges();
    ASSERT_EQ(4u, edges.size());
    EXPECT_EQ(-1, edges[2]);
    EXPECT_LE(PartWidth(3), 0);  // the part after the end gets no room
    EXPECT_GT(PartWidth(2), 0);
    EXPECT_EQ("d", Text(3));
}

TEST_F(StatusBarTest, SetStatusTextKeepsStyle) {
    AddStatusPart(bar, "one", 100, "", -1, 2);
    EXPECT_TRUE(SetStatusText(bar, 0, "two"));
    int type = -1;
    EXPECT_EQ("two", Text(0, &type));
    EXPECT_EQ(SBT_POPOUT, type);
    EXPECT_FALSE(SetStatusText(bar, 1, "none"));
}
