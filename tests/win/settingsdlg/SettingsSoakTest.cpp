// The running program over a long December: frames of the desktop tree with the settings dialog
// opened and closed again and again leave the heaps, the committed memory and the handles where
// the first opening left them, and drop the pictures the dialog decoded when it closes.
#include "SettingsTestSupport.h"

#include "HeapUse.h"
#include "app/CWpp.h"
#include "param/CMemoryBackend.h"
#include "scene/CItem.h"
#include "scene/win/CResourcePictureSource.h"

#define PSAPI_VERSION 2
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace settings_test;

namespace {

class CSoakWpp : public CWpp {
public:
    explicit CSoakWpp(CMemoryBackend& memory) {
        m_store.SetBackend(&memory);
        m_singleInstance = false;
    }
    tstr ShortcutPath() override { return tstr(); }
    bool NotifyShell(DWORD, NOTIFYICONDATAW&) override { return true; }
};

unsigned long long CommittedBytes() {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof(pmc);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof(pmc)))
        return 0;
    return std::max<unsigned long long>(pmc.PrivateUsage, pmc.PagefileUsage);
}

// A count from the environment (a longer run by hand), or the default.
int CountFrom(const char* name, int fallback) {
    const char* text = std::getenv(name);
    const long n = text ? std::strtol(text, nullptr, 10) : 0;
    return n > 0 && n <= 10000000 ? static_cast<int>(n) : fallback;
}

}  // namespace

// 10,000 frames and 20 openings by default; PINARBO_SOAK_FRAMES and PINARBO_SOAK_OPENS ask for
// more (100,000 and 100 for the release check).
TEST(SettingsSoak, FramesWithTheDialogOpenedAndClosedLeaveNothingBehind) {
    Prepare();
    CMemoryBackend memory;
    CSoakWpp app(memory);
    ASSERT_TRUE(app.Init());
    const HWND main = app.MainDlg().GetHwnd();
    const auto* pictures = dynamic_cast<const CResourcePictureSource*>(CItem::PictureSource());
    ASSERT_NE(pictures, nullptr);
    EXPECT_EQ(pictures->DecodedCount(), 0u) << "the items hold their pictures; the source keeps none";

    const int opens = CountFrom("PINARBO_SOAK_OPENS", 20);
    const int framesEach = std::max(1, CountFrom("PINARBO_SOAK_FRAMES", 10000) / opens);
    auto cycle = [&] {
        {
            CSettingsDlg dlg(&app);
            const HWND hwnd = dlg.Create(nullptr, CSettingsDlg::kTemplateId, main);
            ASSERT_NE(hwnd, nullptr);
            Pump(hwnd, 20);
            ::DestroyWindow(hwnd);
        }
        app.View().InvalidateScene();  // as after the dialog's scene changes: the cached layers anew
        if (IPictureSource* source = CItem::PictureSource()) source->ForgetDecoded();  // as the main window does
        for (int i = 0; i < framesEach; ++i) {
            app.View().RenderFrame();
            if (i % 50 == 0) Pump(nullptr, 0);
        }
        Pump(nullptr, 10);
    };
    cycle();  // warm-up: first opening, the heaps' first growth
    cycle();
    const long handles = CHandleTally::LiveTotal();
    const unsigned long long heap = HeapBytesInUse();
    const unsigned long long priv = CommittedBytes();
    for (int i = 0; i < opens; ++i) cycle();
    EXPECT_EQ(CHandleTally::LiveTotal(), handles);
    const unsigned long long heapAfter = HeapBytesInUse();
    const unsigned long long privAfter = CommittedBytes();
    std::printf("%d openings, %d frames: heap in use %llu -> %llu bytes, committed %llu -> %llu bytes\n", opens,
                opens * framesEach, heap, heapAfter, priv, privAfter);
    EXPECT_LE(heapAfter, heap + 256 * 1024) << "heap grew by " << (heapAfter - heap);
    EXPECT_LE(privAfter, priv + 256 * 1024) << "committed memory grew by " << (privAfter - priv);
}
