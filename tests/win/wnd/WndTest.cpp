#include "wnd/CWnd.h"

#include "Pump.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A top-level test window that records what its handlers received.
class CProbeWnd : public CWnd {
public:
    struct SCall {
        UINT msg;
        long long a, b, c;
    };
    std::vector<SCall> calls;
    int ncActivates = 0;
    bool destroyOnTimer = false;

    bool& RegisteredFlag() override {
        static bool registered = false;
        return registered;
    }
    const wchar_t* GetWndClassName() const override { return L"KT_ProbeWnd"; }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_NCACTIVATE) ++ncActivates;
        return CWnd::WindowProc(msg, wParam, lParam);
    }
    void OnLButtonDown(WPARAM keys, int x, int y) override { Add(WM_LBUTTONDOWN, keys, x, y); }
    void OnLButtonDblClk(WPARAM keys, int x, int y) override { Add(WM_LBUTTONDBLCLK, keys, x, y); }
    void OnMouseMove(WPARAM keys, int x, int y) override { Add(WM_MOUSEMOVE, keys, x, y); }
    void OnRButtonUp(WPARAM keys, int x, int y) override { Add(WM_RBUTTONUP, keys, x, y); }
    LRESULT OnMouseWheel(int keys, WORD delta, int x, int y) override {
        Add(WM_MOUSEWHEEL, keys, static_cast<short>(delta), x);
        (void)y;
        return 1;
    }
    void OnKeyDown(WPARAM vk, UINT repeat, UINT flags) override { Add(WM_KEYDOWN, vk, repeat, flags); }
    void OnSize(WPARAM type, int cx, int cy) override { Add(WM_SIZE, type, cx, cy); }
    void OnTimer(UINT_PTR id) override {
        Add(WM_TIMER, id, 0, 0);
        if (destroyOnTimer) Destroy();
    }
    int Count(UINT msg) const {
        int n = 0;
        for (const SCall& c : calls) n += c.msg == msg;
        return n;
    }

private:
    void Add(UINT msg, long long a, long long b, long long c) { calls.push_back({msg, a, b, c}); }
};

// Hidden unless a test needs input to reach it (hiding a shown window costs Wine's X driver time).
bool CreateProbe(CProbeWnd& wnd, int x = 100, int y = 100, bool visible = false) {
    return wnd.Create(0, WS_POPUP | (visible ? WS_VISIBLE : 0), x, y, 120, 80, nullptr, nullptr);
}

}  // namespace

TEST(Wnd, SetFontIsAnsweredWithZeroAndNothingIsStored) {
    CProbeWnd wnd;
    ASSERT_TRUE(CreateProbe(wnd));
    const auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(::SendMessageW(wnd.GetHwnd(), WM_SETFONT, font, TRUE), 0);
    EXPECT_EQ(::SendMessageW(wnd.GetHwnd(), WM_GETFONT, 0, 0), 0);
}

TEST(Wnd, CreateOnALiveObjectAnswersFalseAndKeepsTheWindow) {
    CProbeWnd wnd;
    ASSERT_TRUE(CreateProbe(wnd));
    const HWND first = wnd.GetHwnd();
    EXPECT_FALSE(CreateProbe(wnd));
    EXPECT_EQ(wnd.GetHwnd(), first);
    EXPECT_TRUE(::IsWindow(first));
}

TEST(Wnd, ObjectAndWindowLifetimes) {
    HWND hwnd = nullptr;
    {
        CProbeWnd wnd;
        ASSERT_TRUE(CreateProbe(wnd));
        hwnd = wnd.GetHwnd();
        EXPECT_EQ(::GetPropW(hwnd, L"WND_ENTITY"), static_cast<CWnd*>(&wnd));
    }
    EXPECT_FALSE(::IsWindow(hwnd)) << "deleting the owner destroys its window";

    // A window destroyed from outside leaves the object without a handle; it can create again.
    CProbeWnd wnd;
    ASSERT_TRUE(CreateProbe(wnd));
    ASSERT_TRUE(::DestroyWindow(wnd.GetHwnd()));
    EXPECT_EQ(wnd.GetHwnd(), nullptr);
    EXPECT_TRUE(CreateProbe(wnd));

    // An attached object never destroys the window it refers to.
    CProbeWnd owner;
    ASSERT_TRUE(CreateProbe(owner));
    {
        CProbeWnd view;
        EXPECT_EQ(view.Attach(owner.GetHwnd()), 1);
        EXPECT_TRUE(view.IsAttached());
        view.Destroy();
        EXPECT_EQ(view.GetHwnd(), nullptr);
        EXPECT_TRUE(::IsWindow(owner.GetHwnd()));
        view.Attach(owner.GetHwnd());
        EXPECT_TRUE(view.Detach());
        EXPECT_FALSE(view.Detach());
        view.Attach(owner.GetHwnd());
    }
    EXPECT_TRUE(::IsWindow(owner.GetHwnd()));
}

namespace {

// Records the handle its handlers see while the window is being destroyed.
class CDestroyProbe : public CProbeWnd {
public:
    HWND seenInDestroy = reinterpret_cast<HWND>(1);
    HWND seenInPosChange = reinterpret_cast<HWND>(1);
    bool destroyAgain = false;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_WINDOWPOSCHANGED && seenInPosChange == reinterpret_cast<HWND>(1)) seenInPosChange = GetHwnd();
        return CProbeWnd::WindowProc(msg, wParam, lParam);
    }
    LRESULT OnDestroy() override {
        seenInDestroy = GetHwnd();
        if (destroyAgain) Destroy();  // a second request while the window goes does nothing
        return 0;
    }
};

}  // namespace

TEST(Wnd, HandlersRunningDuringDestructionStillSeeTheirWindow) {
    enum EHow { kDestroy, kDestroyWindow, kDestroyAgain };
    for (EHow how : {kDestroy, kDestroyWindow, kDestroyAgain}) {
        CDestroyProbe wnd;
        ASSERT_TRUE(CreateProbe(wnd, 100, 100, true));
        const HWND hwnd = wnd.GetHwnd();
        wnd.seenInPosChange = reinterpret_cast<HWND>(1);  // only what destruction brings
        wnd.destroyAgain = how == kDestroyAgain;
        if (how == kDestroyWindow) {
            ASSERT_TRUE(::DestroyWindow(hwnd));
        } else {
            wnd.Destroy();
        }
        EXPECT_EQ(wnd.seenInDestroy, hwnd) << how;
        EXPECT_EQ(wnd.seenInPosChange, hwnd) << how << ": hiding a visible window moves it";
        EXPECT_FALSE(::IsWindow(hwnd)) << how;
        EXPECT_EQ(wnd.GetHwnd(), nullptr) << how << ": forgotten once the window is gone";
        EXPECT_TRUE(CreateProbe(wnd)) << how;
    }
}

TEST(Wnd, HandlersReceiveTheirArgumentForms) {
    CProbeWnd wnd;
    ASSERT_TRUE(CreateProbe(wnd));
    wnd.calls.clear();
    struct SCase {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        long long a, b, c;
    };
    const SCase cases[] = {
        // Coordinates are sign-extended words.
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, -7), MK_LBUTTON, -5, -7},
        {WM_MOUSEMOVE, 0, MAKELPARAM(300, 40000), 0, 300, static_cast<short>(40000)},
        {WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(12, 34), MK_SHIFT, 12, 34},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 2), MK_LBUTTON, 1, 2},
        // Wheel: sign-extended key word, raw delta word read as signed.
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-240)), MAKELPARAM(10, -20), MK_CONTROL, -240, 10},
        // Keys: repeat count and flags are unsigned words of lParam.
        {WM_KEYDOWN, VK_LEFT, MAKELPARAM(3, 0xC14B), VK_LEFT, 3, 0xC14B},
        // Size: cx sign-extended, cy unsigned.
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(0xFFFF, 0xFFFF), SIZE_RESTORED, -1, 0xFFFF},
        {WM_TIMER, 42, 0, 42, 0, 0},
    };
    for (const SCase& c : cases) {
        wnd.calls.clear();
        ::SendMessageW(wnd.GetHwnd(), c.msg, c.wParam, c.lParam);
        ASSERT_EQ(wnd.Count(c.msg), 1) << "message 0x" << std::hex << c.msg;
        const auto& got = wnd.calls.back();
        EXPECT_EQ(got.a, c.a) << "message 0x" << std::hex << c.msg;
        EXPECT_EQ(got.b, c.b) << "message 0x" << std::hex << c.msg;
        EXPECT_EQ(got.c, c.c) << "message 0x" << std::hex << c.msg;
    }
}

TEST(Wnd, BlockerSwallowsInputAndFlashesUntilItIsDestroyed) {
    CProbeWnd wnd;
    ASSERT_TRUE(CreateProbe(wnd, 100, 100, true));
    CProbeWnd blocker;
    ASSERT_TRUE(blocker.Create(0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 100, 200, 150, nullptr, nullptr));
    ::SetForegroundWindow(blocker.GetHwnd());
    PumpMessages(100);
    wnd.SetBlocker(blocker.GetHwnd());

    struct SCase {
        UINT msg;
        WPARAM wParam;
        bool blocked;
    };
    const SCase cases[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON, true},
        {WM_KEYDOWN, VK_SPACE, true},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, false},
        {WM_MOUSEMOVE, 0, false},
    };
    for (const SCase& c : cases) {
        wnd.calls.clear();
        blocker.ncActivates = 0;
        const LRESULT result = ::SendMessageW(wnd.GetHwnd(), c.msg, c.wParam, MAKELPARAM(5, 5));
        PumpMessages(30);
        if (c.blocked) {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(wnd.Count(c.msg), 0) << "message 0x" << std::hex << c.msg << " reached its handler";
            EXPECT_GE(blocker.ncActivates, 1) << "the blocker was not flashed for 0x" << std::hex << c.msg;
        } else {
            EXPECT_EQ(wnd.Count(c.msg), 1) << "message 0x" << std::hex << c.msg << " was blocked";
        }
    }
    EXPECT_EQ(wnd.GetBlocker(), blocker.GetHwnd());

    blocker.Destroy();
    wnd.calls.clear();
    ::SendMessageW(wnd.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(wnd.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(wnd.GetBlocker(), nullptr);
}

TEST(Wnd, OneDownwardWheelNotchArrivesAsMinus120) {
    CProbeWnd wnd;
    ASSERT_TRUE(CreateProbe(wnd, 200, 200, true));
    ::SetForegroundWindow(wnd.GetHwnd());
    ::SetFocus(wnd.GetHwnd());
    ::SetCursorPos(260, 240);
    PumpMessages(100);
    wnd.calls.clear();

    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_WHEEL;
    in.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
    ASSERT_EQ(::SendInput(1, &in, sizeof(in)), 1u);
    ASSERT_TRUE(PumpUntil([&] { return wnd.Count(WM_MOUSEWHEEL) > 0; })) << "no WM_MOUSEWHEEL arrived";
    EXPECT_EQ(wnd.calls.back().b, -120);
}

TEST(Wnd, MessageLoopRunsUntilTheWindowIsGoneAndHandsOnTheQuitRequest) {
    CProbeWnd wnd;
    ASSERT_TRUE(CreateProbe(wnd));
    PumpMessages(20);
    wnd.destroyOnTimer = true;
    ::PostQuitMessage(7);
    ASSERT_NE(::SetTimer(wnd.GetHwnd(), 1, 100, nullptr), 0u);
    EXPECT_EQ(wnd.RunMessageLoop(), 1);
    EXPECT_EQ(wnd.Count(WM_TIMER), 1) << "the loop went on after WM_QUIT while the window existed";
    EXPECT_EQ(wnd.GetHwnd(), nullptr);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}
