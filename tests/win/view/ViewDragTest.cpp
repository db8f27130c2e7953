#include "view/win/CViewWnd.h"

#include "scene/CBmp.h"
#include "view/IFrameSource.h"

#include "ScreenProbe.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// A fully opaque 80 x 100 picture.
class CBlockSource : public IFrameSource {
public:
    CBlockSource() {
        EXPECT_TRUE(tree.Create(80, 100));
        for (int i = 0; i < 80 * 100; ++i) {
            std::uint8_t* p = tree.Bits() + i * 4;
            p[0] = 40;
            p[1] = 160;
            p[2] = 30;
            p[3] = 255;
        }
        scene.tree = {&tree, 0, 0};
    }
    const SFrameScene* FrameScene() override { return &scene; }
    const CBmp* Gradient() override { return nullptr; }
    int Opacity() override { return 100; }
    IFrameLights* Lights() override { return nullptr; }
    CBmp tree;
    SFrameScene scene;
};

// Starts a program of the host system (Wine runs a Unix executable it is given directly, without a
// process handle), then pumps messages for pumpMs while it works.
bool RunHostProgram(const wchar_t* program, const std::wstring& commandLine, DWORD pumpMs) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring cmd = commandLine;
    if (!::CreateProcessW(program, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::printf("CreateProcessW failed: %lu\n", ::GetLastError());
        return false;
    }
    CUniqueFile process(pi.hProcess ? pi.hProcess : INVALID_HANDLE_VALUE);
    CUniqueFile thread(pi.hThread ? pi.hThread : INVALID_HANDLE_VALUE);
    PumpMessages(pumpMs);
    return true;
}

}  // namespace

TEST(ViewDrag, DraggingThePaintedPixelsMovesTheWindow) {
    if (::GetFileAttributesW(L"Z:\\usr\\bin\\xdotool") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no xdotool";
    CBlockSource source;
    CViewWnd view;
    ASSERT_TRUE(view.CreateView(false));
    view.SetFrameSource(&source);
    ::SetWindowPos(view.GetHwnd(), nullptr, 300, 300, 80, 100, SWP_NOACTIVATE | SWP_NOZORDER);
    ASSERT_TRUE(view.StartFrameTimer());
    PumpUntil([&] { return view.FramesShown() >= 3; });
    PumpMessages(200);

    ASSERT_TRUE(RunHostProgram(L"Z:\\usr\\bin\\xdotool", L"xdotool mousemove 340 350 sleep 0.3 mousedown 1 sleep 0.3 "
                               L"mousemove 360 370 sleep 0.2 mousemove 400 410 sleep 0.2 mousemove 440 430 "
                               L"sleep 0.3 mouseup 1",
                               4000))
        << "xdotool did not run";
    PumpMessages(500);
    RECT rc{};
    ::GetWindowRect(view.GetHwnd(), &rc);
    EXPECT_EQ(rc.left, 400) << "window at " << rc.left << "," << rc.top;
    EXPECT_EQ(rc.top, 380);
    EXPECT_EQ(rc.right - rc.left, 80);
    // The next frames are shown where the window now is.
    const int frames = view.FramesShown();
    PumpUntil([&] { return view.FramesShown() >= frames + 3; });
    PumpMessages(100);
    EXPECT_EQ(CaptureScreen(rc.left + 40, rc.top + 50, 1, 1).at(0), 0x1EA028u);
}
