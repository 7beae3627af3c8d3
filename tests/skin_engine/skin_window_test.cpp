// The real main window drawn with the skin: colours taken from the screen,
// button states, the focus rectangle, keyboard and clicks, and the standard
// look when the engine or the skin is refused.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <atomic>
#include <thread>

#include "app/main_window.h"
#include "app/message_pump.h"
#include "appearance/links.h"
#include "skin_engine/skin_engine.h"
#include "skin_engine/skin_theme.h"
#include "tests/skin_engine/screen_capture.h"
#include "tests/skin_engine/skin_test_data.h"
#include "tests/support/test_support.h"

namespace {

void Pump(DWORD ms) { testing_support::PumpProgram(ms); }

COLORREF Middle(COLORREF a, COLORREF b) {
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
               (GetBValue(a) + GetBValue(b)) / 2);
}

// Whether the window's procedure lives in memory mapped by our loader (the
// skin engine) rather than in a system DLL's image.
bool HandledByEngine(HWND w) {
    auto proc = reinterpret_cast<const void*>(GetWindowLongPtrW(w, GWLP_WNDPROC));
    MEMORY_BASIC_INFORMATION info = {};
    return VirtualQuery(proc, &info, sizeof info) && info.State == MEM_COMMIT &&
           info.Type == MEM_PRIVATE;
}

// Pixels of `capture` (taken of `from`) inside the rectangle of `child`.
int CountNear(const Capture& capture, HWND from, HWND child, RECT area, COLORREF colour,
              int tolerance) {
    MapWindowPoints(child, from, reinterpret_cast<POINT*>(&area), 2);
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Near(capture.At(x, y), colour, tolerance)) ++n;
    return n;
}

COLORREF PixelOf(const Capture& capture, HWND from, HWND child, int x, int y) {
    POINT p = {x, y};
    MapWindowPoints(child, from, &p, 1);
    return capture.At(p.x, p.y);
}

std::string BuildFile(const char* name) { return std::string(FILNOR_BUILD_DIR) + "/" + name; }

class SkinnedWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { testing_support::InitUi(); }
    void SetUp() override {
        std::string source = SkinSource();
        ASSERT_EQ(SKIN_OK, SkinParseTheme(source.data(), source.size(), &theme));
        SetCursorPos(0, 0);
    }
    void OpenWindow() {
        window = CreateMainWindow(GetModuleHandleA(nullptr));
        ASSERT_NE(nullptr, window);
        SetForegroundWindow(window);
        Pump(300);
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
        Pump(50);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    Capture Shot() {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump(150);
        return CaptureClient(window);
    }
    HWND Control(ControlId id) const { return MainControl(window, id); }

    SkinTheme theme;
    HWND window = nullptr;
};

}  // namespace

TEST_F(SkinnedWindowTest, FaceGroupBoxAndStatusBarTakeTheSkinColours) {
    ASSERT_TRUE(AttachSkin());
    OpenWindow();
    Capture shot = Shot();
    ASSERT_GT(shot.width, 0);
    shot.SaveBmp(BuildFile("skinned-window.bmp"));

    // The face between the banner and the group box.
    EXPECT_TRUE(Near(theme.windowFace, shot.At(300, 88), 2)) << ColourText(shot.At(300, 88));

    // The group box's card below the list, and its caption in the caption colour.
    HWND group = Control(kIdGroup);
    RECT gr;
    GetClientRect(group, &gr);
    COLORREF card = PixelOf(shot, window, group, gr.right / 2, gr.bottom - 8);
    EXPECT_TRUE(Near(theme.groupFace, card, 2)) << ColourText(card);
    RECT caption = {8, 0, gr.right - 8, 14};
    EXPECT_GT(CountNear(shot, window, group, caption, theme.groupCaption, 40), 40);
    EXPECT_EQ(0, CountNear(shot, window, group, caption, RGB(0, 0, 0), 40));

    // The status bar: its background at the far right, light text in part 0.
    HWND bar = Control(kIdStatusBar);
    RECT br;
    GetClientRect(bar, &br);
    COLORREF barFace = PixelOf(shot, window, bar, br.right - 4, br.bottom / 2);
    EXPECT_TRUE(Near(theme.statusFace, barFace, 2)) << ColourText(barFace);
    RECT part0 = {0, 0, 200, br.bottom};
    EXPECT_GT(CountNear(shot, window, bar, part0, theme.statusText, 40), 10);

    // Controls the skin does not know keep their own look and procedures.
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(shot, window, Control(kIdResultList), 300, 150));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(shot, window, Control(kIdPathBox), 300, 8));
    EXPECT_FALSE(HandledByEngine(Control(kIdResultList)));
    EXPECT_FALSE(HandledByEngine(Control(kIdPathBox)));
    EXPECT_TRUE(HandledByEngine(Control(kIdSave)));
}

TEST_F(SkinnedWindowTest, PushButtonStatesHaveTheirOwnFaces) {
    ASSERT_TRUE(AttachSkin());
    OpenWindow();
    HWND button = Control(kIdWebSite);
    RECT r;
    GetClientRect(button, &r);
    POINT centre = {r.right / 2, r.bottom / 2};
    ClientToScreen(button, &centre);
    struct Case {
        const char* name;
        int look;
        void (*enter)(HWND button, POINT centre);
        void (*leave)(HWND button);
    };
    const Case cases[] = {
        {"normal", SKIN_BUTTON_NORMAL, [](HWND, POINT) {}, [](HWND) {}},
        {"hot", SKIN_BUTTON_HOT, [](HWND, POINT c) { SetCursorPos(c.x, c.y); },
         [](HWND) { SetCursorPos(0, 0); }},
        {"pressed", SKIN_BUTTON_PRESSED,
         [](HWND b, POINT) { SendMessageA(b, BM_SETSTATE, TRUE, 0); },
         [](HWND b) { SendMessageA(b, BM_SETSTATE, FALSE, 0); }},
        {"focused", SKIN_BUTTON_FOCUSED, [](HWND b, POINT) { SetFocus(b); }, [](HWND) {}},
        {"disabled", SKIN_BUTTON_DISABLED, [](HWND b, POINT) { EnableWindow(b, FALSE); },
         [](HWND b) { EnableWindow(b, TRUE); }},
    };
    for (const auto& c : cases) {
        SetFocus(Control(kIdBrowse));
        Pump(50);
        c.enter(button, centre);
        Pump(200);
        Capture shot = CaptureClient(button);
        shot.SaveBmp(BuildFile((std::string("skinned-button-") + c.name + ".bmp").c_str()));
        c.leave(button);
        const SkinButtonLook& look = theme.button[c.look];
        COLORREF expected = Middle(look.faceTop, look.faceBottom);
        // Left of the text, half way down: the face gradient's middle.
        COLORREF face = shot.At(8, shot.height / 2);
        EXPECT_TRUE(Near(expected, face, 8))
            << c.name << ": " << ColourText(face) << " expected " << ColourText(expected);
        COLORREF top = shot.At(shot.width / 2, 0);
        EXPECT_TRUE(Near(look.border, top, 24)) << c.name << " border " << ColourText(top);
        // The focus rectangle: dotted, three pixels in, only while focused.
        int dots = 0;
        for (int x = 5; x < shot.width - 6; ++x) {
            COLORREF p = shot.At(x, 3);
            if (!Near(p, shot.At(x, 5), 40) && !Near(p, look.faceTop, 40)) ++dots;
        }
        if (c.look == SKIN_BUTTON_FOCUSED)
            EXPECT_GT(dots, 10) << c.name;
        else
            EXPECT_EQ(0, dots) << c.name;
    }
}

// Space on a focused skinned button and BM_CLICK still click it: the help
// box appears, and being a message box it keeps the standard look.
TEST_F(SkinnedWindowTest, SpaceAndClickStillReachTheButton) {
    ASSERT_TRUE(AttachSkin());
    OpenWindow();
    std::atomic<int> boxes{0};
    std::atomic<int> standardButtons{0};
    std::atomic<bool> stop{false};
    std::string text;
    std::thread answerer([&] {
        while (!stop) {
            for (HWND box : testing_support::DialogsOfProcess()) {
                HWND ok = FindWindowExA(box, nullptr, "Button", nullptr);
                if (!ok || !IsWindowVisible(box)) continue;
                Sleep(100);
                text = testing_support::MessageBoxText(box);
                if (!HandledByEngine(ok)) ++standardButtons;
                ++boxes;
                SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                Sleep(100);
            }
            Sleep(20);
        }
    });
    HWND help = Control(kIdHelp);
    SetFocus(help);
    Pump(50);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = VK_SPACE;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    Pump(600);
    int afterSpace = boxes;
    SendMessageA(help, BM_CLICK, 0, 0);
    Pump(600);
    stop = true;
    answerer.join();
    EXPECT_EQ(1, afterSpace);
    EXPECT_EQ(2, boxes.load());
    EXPECT_EQ(2, standardButtons.load());
    EXPECT_EQ(HelpText(), text);
    EXPECT_EQ(help, GetFocus());
}

TEST_F(SkinnedWindowTest, WindowOpenBeforeTheAttachIsSkinnedToo) {
    OpenWindow();
    COLORREF before = Shot().At(300, 88);
    ASSERT_TRUE(AttachSkin());
    COLORREF after = Shot().At(300, 88);
    EXPECT_TRUE(Near(GetSysColor(COLOR_BTNFACE), before, 2)) << ColourText(before);
    EXPECT_TRUE(Near(theme.windowFace, after, 2)) << ColourText(after);
    EXPECT_TRUE(HandledByEngine(Control(kIdBrowse)));
}

// A refused engine image or skin file leaves every window standard.
TEST_F(SkinnedWindowTest, RefusedEngineOrSkinKeepsTheStandardLook) {
    std::string engine = EngineBytes();
    std::string skin = SkinFileBytes();
    std::string badEngine = engine;
    badEngine[0] = 'X';
    std::string badSkin = skin;
    badSkin[5] = 9;
    auto* skinBytes = reinterpret_cast<const unsigned char*>(skin.data());
    AttachOutcome a = AttachSkinFrom(badEngine.data(), badEngine.size(), skinBytes, skin.size());
    EXPECT_EQ(AttachStatus::kEngineNotLoaded, a.status);
    EXPECT_EQ(ModuleError::kBadDosHeader, a.loadError);
    AttachOutcome b =
        AttachSkinFrom(engine.data(), engine.size(),
                       reinterpret_cast<const unsigned char*>(badSkin.data()), badSkin.size());
    EXPECT_EQ(AttachStatus::kSkinRefused, b.status);
    EXPECT_EQ(SKIN_E_VERSION, b.engineResult);

    OpenWindow();
    Capture shot = Shot();
    shot.SaveBmp(BuildFile("standard-window.bmp"));
    COLORREF face = shot.At(300, 88);
    EXPECT_TRUE(Near(GetSysColor(COLOR_BTNFACE), face, 2)) << ColourText(face);
    HWND bar = Control(kIdStatusBar);
    RECT br;
    GetClientRect(bar, &br);
    EXPECT_FALSE(
        Near(theme.statusFace, PixelOf(shot, window, bar, br.right - 4, br.bottom / 2), 30));
    for (ControlId id : {kIdBrowse, kIdWebSite, kIdHelp, kIdClear, kIdSave})
        EXPECT_FALSE(HandledByEngine(Control(id))) << id;
}
