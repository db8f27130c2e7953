#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/ScreenGeometry.h"
#include "param/CMemoryBackend.h"
#include "param/CSettingsStore.h"

namespace {

constexpr wchar_t kSection[] = L"Options\\Windows\\Test";

class WindowPlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_store.SetNames(L"Holverin", L"PinarboTest");
        m_store.SetBackend(&m_memory);
        m_window = ::CreateWindowExW(0, L"STATIC", L"placement", WS_POPUP, 100, 100, 300, 200, nullptr,
                                     nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_window);
    }
    void TearDown() override { ::DestroyWindow(m_window); }

    HWND NewWindow(int x, int y, int w, int h, DWORD ex = 0) {
        const HWND hwnd = ::CreateWindowExW(ex, L"STATIC", L"second", WS_POPUP, x, y, w, h, nullptr, nullptr,
                                            nullptr, nullptr);
        EXPECT_TRUE(hwnd);
        return hwnd;
    }
    static RECT Rect(HWND hwnd) {
        RECT r{};
        ::GetWindowRect(hwnd, &r);
        return r;
    }
    void StorePlacement(const WINDOWPLACEMENT& wp) { m_store.WriteStruct(kSection, L"plmnt", &wp, sizeof(wp)); }
    WINDOWPLACEMENT Placement(int left, int top, int right, int bottom, UINT show) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof(wp);
        wp.showCmd = show;
        wp.rcNormalPosition = RECT{left, top, right, bottom};
        return wp;
    }

    CMemoryBackend m_memory;
    CSettingsStore m_store;
    HWND m_window = nullptr;
};

}  // namespace

TEST_F(WindowPlacementTest, SavedRecordIsTheFortyFourByteStructureAndTopmostFlag) {
    ::SetWindowPos(m_window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(SaveWindowPlacement(m_store, m_window, kSection));
    const tstr path = m_store.FullPath(kSection);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(m_memory.GetRaw(path, L"plmnt", type, bytes));
    EXPECT_EQ(type, CMemoryBackend::kBinary);
    ASSERT_EQ(bytes.size(), 44u);
    EXPECT_EQ(bytes[0], 44);  // length field first
    tstr topmost;
    EXPECT_TRUE(m_store.ReadString(kSection, L"topmost", topmost));
    EXPECT_EQ(topmost, L"1");

    ::SetWindowPos(m_window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(SaveWindowPlacement(m_store, m_window, kSection));
    EXPECT_FALSE(m_store.ReadString(kSection, L"topmost", topmost)) << "removed when not topmost";
}

TEST_F(WindowPlacementTest, RestoreKeepsTheSizeAtTheStoredPositionAndTopmost) {
    ::SetWindowPos(m_window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(m_window, nullptr, 220, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(SaveWindowPlacement(m_store, m_window, kSection));

    const HWND other = NewWindow(10, 10, 150, 120);
    EXPECT_TRUE(RestoreWindowPlacement(&m_store, other, kSection, true));
    const RECT r = Rect(other);
    EXPECT_EQ(r.left, 220);
    EXPECT_EQ(r.top, 160);
    EXPECT_EQ(r.right - r.left, 150) << "keeps its own size";
    EXPECT_EQ(r.bottom - r.top, 120);
    EXPECT_TRUE(::GetWindowLongPtrW(other, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ::DestroyWindow(other);
}

TEST_F(WindowPlacementTest, MinimisedWindowComesBackMinimised) {
    ::ShowWindow(m_window, SW_SHOWNORMAL);
    ::ShowWindow(m_window, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(m_window));
    ASSERT_TRUE(SaveWindowPlacement(m_store, m_window, kSection));
    const HWND other = NewWindow(10, 10, 150, 120);
    EXPECT_TRUE(RestoreWindowPlacement(&m_store, other, kSection, true));
    EXPECT_TRUE(::IsIconic(other));
    ::DestroyWindow(other);
}

TEST_F(WindowPlacementTest, MissingOrBrokenRecordsOnlyShowTheWindow) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"truncated", std::vector<std::uint8_t>(20, 7)},
        {"over-long", std::vector<std::uint8_t>(60, 0)},
        {"empty", {}},
        {"wrong length field", [] {
             std::vector<std::uint8_t> b(44, 0);
             b[0] = 40;
             return b;
         }()},
    };
    for (const Case& c : cases) {
        const HWND w = NewWindow(33, 44, 150, 120);
        m_memory.SetRaw(m_store.FullPath(kSection), L"plmnt", CMemoryBackend::kBinary, c.bytes);
        EXPECT_FALSE(RestoreWindowPlacement(&m_store, w, kSection, true)) << c.what;
        EXPECT_TRUE(::IsWindowVisible(w)) << c.what;
        const RECT r = Rect(w);
        EXPECT_EQ(r.left, 33) << c.what << ": stays where it was created";
        EXPECT_EQ(r.top, 44) << c.what;
        ::DestroyWindow(w);
    }
    EXPECT_FALSE(RestoreWindowPlacement(nullptr, m_window, kSection, true));
}

TEST_F(WindowPlacementTest, OffscreenPlacementIsBroughtBackOntoAMonitor) {
    const std::vector<RECT> monitors = ScreenGeometry::MonitorWorkAreas();
    ASSERT_FALSE(monitors.empty());
    struct Case {
        const char* what;
        RECT stored;
    } cases[] = {
        {"far right", {30000, 200, 30300, 400}},
        {"far above", {100, -50000, 400, -49800}},
        {"garbage extremes", {-2147483647, -2147483647, 2147483647, 2147483647}},
        {"inverted", {900000, 900000, 10, 10}},
    };
    for (const Case& c : cases) {
        StorePlacement(Placement(c.stored.left, c.stored.top, c.stored.right, c.stored.bottom, SW_SHOWNORMAL));
        const HWND w = NewWindow(10, 10, 150, 120);
        EXPECT_TRUE(RestoreWindowPlacement(&m_store, w, kSection, true)) << c.what;
        const RECT r = Rect(w);
        EXPECT_TRUE(ScreenGeometry::IsReachable(r, monitors))
            << c.what << ": " << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
        EXPECT_EQ(r.right - r.left, 150) << c.what;
        ::DestroyWindow(w);
    }
}

TEST_F(WindowPlacementTest, HidingOrUnknownShowCommandsStillShowTheWindow) {
    for (UINT show : {0u, 12u, 0xFFFFFFFFu}) {
        StorePlacement(Placement(50, 60, 200, 200, show));
        const HWND w = NewWindow(10, 10, 150, 120);
        EXPECT_TRUE(RestoreWindowPlacement(&m_store, w, kSection, true)) << show;
        EXPECT_TRUE(::IsWindowVisible(w)) << show;
        EXPECT_FALSE(::IsIconic(w)) << show;
        ::DestroyWindow(w);
    }
}

TEST_F(WindowPlacementTest, ShownNormalEveryStoredShowCommandGivesANormalWindowAtItsPlace) {
    // The desktop view's way: whatever show command was stored (a minimised view is parked far
    // off screen with no button to restore it), the window comes back normal at the stored place,
    // and the window the user works in stays the active one (the tree never takes the keyboard or
    // closes an open menu).
    const HWND working = NewWindow(600, 10, 150, 120);
    ::ShowWindow(working, SW_SHOW);
    ::SetForegroundWindow(working);
    ::SetActiveWindow(working);
    for (UINT show = 0; show <= 11; ++show) {
        WINDOWPLACEMENT wp = Placement(250, 180, 400, 330, show);
        wp.flags = WPF_RESTORETOMAXIMIZED;
        wp.ptMinPosition = POINT{-32000, -32000};
        StorePlacement(wp);
        const HWND w = NewWindow(10, 10, 150, 120, WS_EX_TOOLWINDOW);
        EXPECT_TRUE(RestoreWindowPlacement(&m_store, w, kSection, true, EShowAs::Normal)) << show;
        EXPECT_EQ(::GetActiveWindow(), working) << show;
        EXPECT_TRUE(::IsWindowVisible(w)) << show;
        EXPECT_FALSE(::IsIconic(w)) << show;
        EXPECT_FALSE(::IsZoomed(w)) << show;
        const RECT r = Rect(w);
        EXPECT_EQ(r.left, 250) << show;
        EXPECT_EQ(r.top, 180) << show;
        EXPECT_EQ(r.right - r.left, 150) << show;
        EXPECT_EQ(r.bottom - r.top, 120) << show;
        // What the next exit saves is normal again.
        ASSERT_TRUE(SaveWindowPlacement(m_store, w, kSection));
        WINDOWPLACEMENT saved{};
        ASSERT_TRUE(m_store.ReadStruct(kSection, L"plmnt", &saved, sizeof(saved)));
        EXPECT_EQ(saved.showCmd, static_cast<UINT>(SW_SHOWNORMAL)) << show;
        ::DestroyWindow(w);
    }
    ::DestroyWindow(working);
}

TEST(PlacementRecord, SanitizeRejectsWrongSizesAndRepairsFields) {
    WINDOWPLACEMENT wp{};
    wp.length = 44;
    wp.showCmd = SW_SHOWMINIMIZED;
    wp.flags = 0xFFFFFFFF;
    wp.rcNormalPosition = RECT{300, 400, 100, 200};
    EXPECT_FALSE(SanitizePlacement(wp, 43));
    WINDOWPLACEMENT copy = wp;
    ASSERT_TRUE(SanitizePlacement(copy, 44));
    EXPECT_EQ(copy.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
    EXPECT_EQ(copy.flags, static_cast<UINT>(WPF_SETMINPOSITION | WPF_RESTORETOMAXIMIZED | WPF_ASYNCWINDOWPLACEMENT));
    EXPECT_EQ(copy.rcNormalPosition.left, 100);
    EXPECT_EQ(copy.rcNormalPosition.right, 300);
    wp.length = 0;
    EXPECT_FALSE(SanitizePlacement(wp, 44));
}
