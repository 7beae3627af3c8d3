// The directory search slot and the folder walk over real folders in the
// Wine prefix.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "extract/folder_walk.h"
#include "tests/support/test_support.h"

using testing_support::MakeDir;
using testing_support::ScratchDir;
using testing_support::WriteBytes;

namespace {

// A small tree:
//   root\a.txt                  (hidden)
//   root\b.txt                  (read-only)
//   root\noext
//   root\empty           (no entries)
//   root\only-dirs\inner\c.txt
//   root\錦\d.txt               (錦 ends in byte 0x5C)
//   root\錦\deep\e.txt
class WalkTree : public ::testing::Test {
  protected:
    void SetUp() override {
        root = ScratchDir("walk");
        ASSERT_TRUE(WriteBytes(root + "\\a.txt", "a"));
        SetFileAttributesA((root + "\\a.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        ASSERT_TRUE(WriteBytes(root + "\\b.txt", "b"));
        SetFileAttributesA((root + "\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        ASSERT_TRUE(WriteBytes(root + "\\noext", ""));
        ASSERT_TRUE(MakeDir(root + "\\empty"));
        ASSERT_TRUE(MakeDir(root + "\\only-dirs"));
        ASSERT_TRUE(MakeDir(root + "\\only-dirs\\inner"));
        ASSERT_TRUE(WriteBytes(root + "\\only-dirs\\inner\\c.txt", "c"));
        ASSERT_TRUE(MakeDir(root + "\\錦"));
        ASSERT_TRUE(WriteBytes(root + "\\錦\\d.txt", "d"));
        ASSERT_TRUE(MakeDir(root + "\\錦\\deep"));
        ASSERT_TRUE(WriteBytes(root + "\\錦\\deep\\e.txt", "e"));
    }
    void TearDown() override {
        SetFileAttributesA((root + "\\b.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    std::vector<FoundFile> Walk(const std::string& folder) {
        std::vector<FoundFile> found;
        WalkFolder(folder, [&](const FoundFile& f) { found.push_back(f); });
        return found;
    }

    std::string root;
};

std::multiset<std::string> FullPaths(const std::vector<FoundFile>& found) {
    std::multiset<std::string> paths;
    for (const FoundFile& f : found) paths.insert(f.folder + "|" + f.name);
    return paths;
}

}  // namespace

TEST_F(WalkTree, DeliversEveryFileExactlyOnceWithItsFolder) {
    const auto found = Walk(root);
    const std::multiset<std::string> expected = {
        root + "|a.txt",     root + "|b.txt",
        root + "|noext",     root + "\\only-dirs\\inner|c.txt",
        root + "\\錦|d.txt", root + "\\錦\\deep|e.txt",
    };
    EXPECT_EQ(expected, FullPaths(found));
    for (const FoundFile& f : found) {
        EXPECT_NE(".", f.name);
        EXPECT_NE("..", f.name);
    }
}

TEST_F(WalkTree, FilesOfAFolderComeBeforeItsSubfolders) {
    const auto found = Walk(root);
    // The three files of the root come first, whatever their order.
    ASSERT_GE(found.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(root, found[i].folder) << i;
    // Inside 錦, d.txt comes before deep\e.txt.
    auto at = [&](const std::string& name) {
        return std::find_if(found.begin(), found.end(),
                            [&](const FoundFile& f) { return f.name == name; }) -
               found.begin();
    };
    EXPECT_LT(at("d.txt"), at("e.txt"));
}

TEST_F(WalkTree, FolderEndingInDoubleByteCharacterGetsASeparator) {
    // "…\錦" ends in byte 0x5C, but that byte is the second half of 錦.
    const auto found = Walk(root + "\\錦");
    EXPECT_EQ((std::multiset<std::string>{root + "\\錦|d.txt", root + "\\錦\\deep|e.txt"}),
              FullPaths(found));
}

TEST_F(WalkTree, EmptyAndMissingFoldersDeliverNothing) {
    EXPECT_TRUE(Walk(root + "\\empty").empty());
    WalkControl control;
    int calls = 0;
    WalkFolder(
        root + "\\does-not-exist", [&](const FoundFile&) { ++calls; }, control);
    EXPECT_EQ(0, calls);
    // A folder that cannot be searched is counted, so the loss is not silent.
    EXPECT_EQ(1, control.unreadableFolders);
}

TEST_F(WalkTree, ReadableTreeCountsNoUnreadableFolder) {
    WalkControl control;
    WalkFolder(
        root, [](const FoundFile&) {}, control);
    EXPECT_EQ(0, control.unreadableFolders);
}

TEST_F(WalkTree, RelativePathResolvesAgainstCurrentDirectory) {
    char old[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, old);
    ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
    const auto found = Walk("only-dirs");
    SetCurrentDirectoryA(old);
    ASSERT_EQ(1u, found.size());
    EXPECT_EQ("only-dirs\\inner", found[0].folder);
    EXPECT_EQ("c.txt", found[0].name);
}

TEST_F(WalkTree, DriveRootGetsNoSecondSeparator) {
    // The root of C: holds our scratch folder; the walk must report "C:\" as
    // the folder of files directly in it and "C:\x" (single separator) below.
    ASSERT_TRUE(WriteBytes("C:\\filnor-root-probe.txt", "x"));
    WalkControl control;
    bool sawProbe = false, sawDoubled = false;
    WalkFolder(
        "C:\\",
        [&](const FoundFile& f) {
            if (f.name == "filnor-root-probe.txt") sawProbe = f.folder == "C:\\";
            if (f.folder.find("\\\\") != std::string::npos) sawDoubled = true;
            // Only the root level matters here: stop once the probe is seen.
            if (f.name == "filnor-root-probe.txt") control.stop = true;
        },
        control);
    DeleteFileA("C:\\filnor-root-probe.txt");
    EXPECT_TRUE(sawProbe);
    EXPECT_FALSE(sawDoubled);
}

// FindEntry's selection rule and slot transitions.
TEST_F(WalkTree, SelectionRules) {
    auto all = [&](std::optional<DWORD> selection) {
        std::set<std::string> names;
        FindSlot slot;
        for (std::string n = FindEntry(root + "\\*.*", selection, slot); !n.empty();
             n = FindEntry({}, selection, slot))
            names.insert(n);
        EXPECT_FALSE(slot.IsOpen());
        return names;
    };
    struct Case {
        std::optional<DWORD> selection;
        std::set<std::string> expected;
    };
    const Case cases[] = {
        // Not given: every entry that is not a folder, hidden and read-only included.
        {std::nullopt, {"a.txt", "b.txt", "noext"}},
        // Folders, "." and ".." among them.
        {0x10, {".", "..", "empty", "only-dirs", "錦"}},
        // Hidden only.
        {FILE_ATTRIBUTE_HIDDEN, {"a.txt"}},
        // Read-only (0x01) or hidden (0x02).
        {0x03, {"a.txt", "b.txt"}},
        // Mask 0: only entries whose whole attribute word is 0 (Wine gives
        // every file at least the archive bit, so none here).
        {0, {}},
        // Bits outside 0x37 are cut off the mask: 0x80 alone acts as 0.
        {FILE_ATTRIBUTE_NORMAL, {}},
        // The archive bit (which Wine gives every file): files, no folders.
        {FILE_ATTRIBUTE_ARCHIVE, {"a.txt", "b.txt", "noext"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, all(c.selection)) << (c.selection ? *c.selection : 0xFFFF);
    }
}

TEST_F(WalkTree, SlotTransitions) {
    FindSlot slot;
    // Empty pattern on a slot that is none: nothing, and no search starts.
    EXPECT_EQ("", FindEntry({}, std::nullopt, slot));
    EXPECT_FALSE(slot.IsOpen());

    // A new pattern on an open slot ends the old search: continuing yields
    // entries of the new folder.
    EXPECT_EQ("c.txt", FindEntry(root + "\\only-dirs\\inner\\*.*", std::nullopt, slot));
    EXPECT_TRUE(slot.IsOpen());
    EXPECT_EQ("d.txt", FindEntry(root + "\\錦\\*.*", std::nullopt, slot));
    EXPECT_EQ("", FindEntry({}, std::nullopt, slot));  // 錦 holds one file
    EXPECT_FALSE(slot.IsOpen());
    // After the end, going on stays at the end.
    EXPECT_EQ("", FindEntry({}, std::nullopt, slot));
    EXPECT_FALSE(slot.IsOpen());

    // A failing new pattern on an open slot leaves it none.
    EXPECT_EQ("c.txt", FindEntry(root + "\\only-dirs\\inner\\*.*", std::nullopt, slot));
    EXPECT_EQ("", FindEntry(root + "\\missing\\*.*", std::nullopt, slot));
    EXPECT_FALSE(slot.IsOpen());
    EXPECT_NE(0u, slot.LastError());

    // CloseFind ends an open search.
    EXPECT_EQ("c.txt", FindEntry(root + "\\only-dirs\\inner\\*.*", std::nullopt, slot));
    CloseFind(slot);
    EXPECT_FALSE(slot.IsOpen());
    EXPECT_EQ("", FindEntry({}, std::nullopt, slot));
}

namespace {
WalkControl* active = nullptr;
int deliveredAtStop = -1;
int delivered = 0;

LRESULT CALLBACK StopOnAppMessage(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_APP && active) {
        active->stop = true;
        deliveredAtStop = delivered;
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}
}  // namespace

// A handler dispatched by the walk's own message pump stops it; nothing is
// delivered after that.
TEST(WalkStop, StoppedFromNestedHandler) {
    const std::string root = ScratchDir("walk-stop");
    for (int d = 0; d < 20; ++d) {
        const std::string dir = root + "\\d" + std::to_string(d);
        ASSERT_TRUE(MakeDir(dir));
        for (int f = 0; f < 50; ++f) ASSERT_TRUE(WriteBytes(dir + "\\f" + std::to_string(f), ""));
    }

    WNDCLASSA wc = {};
    wc.lpfnWndProc = StopOnAppMessage;
    wc.lpszClassName = "WalkStopTarget";
    RegisterClassA(&wc);
    HWND target =
        CreateWindowA("WalkStopTarget", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, target);

    WalkControl control;
    control.pumpIntervalMs = 0;  // pump between every two entries
    active = &control;
    delivered = 0;
    WalkFolder(
        root,
        [&](const FoundFile&) {
            ++delivered;
            if (delivered == 100) PostMessageA(target, WM_APP, 0, 0);
        },
        control);
    active = nullptr;
    DestroyWindow(target);

    EXPECT_TRUE(control.stop);
    EXPECT_GE(deliveredAtStop, 100);
    EXPECT_EQ(deliveredAtStop, delivered);  // nothing after the stop
    EXPECT_LT(delivered, 1000);
}
