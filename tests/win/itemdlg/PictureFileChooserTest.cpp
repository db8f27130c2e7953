// The tree settings' open-file dialog call: with a stand-in for the system dialog that answers as
// the system's is documented to (a path that does not fit the name buffer with its terminating
// zero fails with FNERR_BUFFERTOOSMALL), and once with the system's own dialog. Failures show in
// the status line of the dialog that owns the chooser's owner.
#include "DlgTestSupport.h"

#include "construct/PictureFileChooser.h"
#include "res/resource.h"

#include <cderr.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

struct SFakeDialog {
    std::wstring answer;  // the path the user picks; empty: Cancel
    DWORD failure = 0;    // the dialog fails with this error instead of showing
    std::wstring start;   // the name buffer as the dialog got it
    DWORD room = 0;       // its size
} g_fake;

bool FakeDialog(OPENFILENAMEW& ofn, DWORD& error) {
    g_fake.start = ofn.lpstrFile;
    g_fake.room = ofn.nMaxFile;
    if (g_fake.failure) {
        error = g_fake.failure;
        return false;
    }
    if (g_fake.answer.empty()) return false;
    if (g_fake.answer.size() >= ofn.nMaxFile) {
        error = FNERR_BUFFERTOOSMALL;
        return false;
    }
    std::wmemcpy(ofn.lpstrFile, g_fake.answer.c_str(), g_fake.answer.size() + 1);
    return true;
}

std::wstring PathOfLength(std::size_t length) {
    const std::wstring name = L"\\tree.png";
    std::wstring path = L"C:";
    while (path.size() < length - name.size()) path += L"\\folder";
    path.resize(length - name.size(), L'x');
    return path + name;
}

// A settings dialog stand-in with its status bar, and a window it owns, as the tree dialog is.
struct SOwner {
    SOwner() {
        SetUpDialogTests();
        settings.Create(40, 40, 300, 200, L"Settings stand-in");
        status = ::CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", settings.Hwnd(), IDC_SETTINGS_STATUS);
        owner = ::CreateWindowExW(0, L"STATIC", L"tree dialog stand-in", WS_POPUP, 0, 0, 10, 10, settings.Hwnd(),
                                  nullptr, nullptr, nullptr);
    }
    ~SOwner() { ::DestroyWindow(owner); }
    CTestWindow settings;
    HWND status = nullptr, owner = nullptr;
};

bool g_chooserCancelled = false;
BOOL CALLBACK CancelChooser(HWND hwnd, LPARAM) {
    if (!::IsWindowVisible(hwnd) || TextOf(hwnd) != L"open file") return TRUE;
    g_chooserCancelled = ::PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0) != 0;
    return FALSE;
}
void CALLBACK CancelChooserWhenUp(HWND, UINT, UINT_PTR id, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &CancelChooser, 0);
    if (g_chooserCancelled) ::KillTimer(nullptr, id);
}

}  // namespace

// Paths up to the longest Windows gives are chosen whole; the dialog starts at the current file
// when the shell can take it as a start; Cancel reports nothing, a failure says why.
TEST(PictureFileChooser, LongPathsCancelAndFailures) {
    SOwner o;
    ASSERT_NE(o.owner, nullptr);
    ASSERT_NE(o.status, nullptr);
    const std::wstring shortPath = L"C:\\trees\\fir.png";
    const std::wstring longPath = PathOfLength(300), longest = PathOfLength(32767);
    ASSERT_EQ(longPath.size(), 300u);
    ASSERT_EQ(longest.size(), 32767u);
    struct SCase {
        const char* what;
        std::wstring current, answer;
        DWORD failure;
        bool chosen;
        std::wstring start, status;
    } const cases[] = {
        {"a chosen path over 260 characters", shortPath, longPath, 0, true, shortPath, L""},
        {"the longest path Windows gives", longPath, longest, 0, true, L"", L""},
        {"Cancel", shortPath, L"", 0, false, shortPath, L""},
        {"the dialog cannot start", shortPath, L"", CDERR_INITIALIZATION, false, shortPath,
         L"The open-file dialog failed (error 0x0002)."},
        {"a path still too long", shortPath, L"", FNERR_BUFFERTOOSMALL, false, shortPath,
         L"The chosen file's path is too long to open."},
    };
    for (const SCase& c : cases) {
        ::SetWindowTextW(o.status, L"");
        g_fake = SFakeDialog{c.answer, c.failure, L"", 0};
        std::wstring chosen = L"unchanged";
        EXPECT_EQ(ChoosePictureFile(o.owner, c.current, chosen, &FakeDialog), c.chosen) << c.what;
        EXPECT_TRUE(chosen == (c.chosen ? c.answer : L"unchanged")) << c.what << ": " << chosen.size() << " characters";
        EXPECT_TRUE(g_fake.start == c.start) << c.what << ": started at " << g_fake.start.size() << " characters";
        EXPECT_GE(g_fake.room, 32768u) << c.what;
        EXPECT_EQ(TextOf(o.status), c.status) << c.what;
    }
    CTestWindow lonely;
    ASSERT_TRUE(lonely.Create(60, 60, 100, 100, L"No status bar"));
    EXPECT_FALSE(ShowInStatusLine(lonely.Hwnd(), L"x"));
}

// The system's dialog opens over a current path of 300 characters; its Cancel is no failure.
TEST(PictureFileChooser, SystemDialogOpensOverALongPathAndCancels) {
    SOwner o;
    ASSERT_NE(o.owner, nullptr);
    g_chooserCancelled = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &CancelChooserWhenUp);
    std::wstring chosen = L"unchanged";
    EXPECT_FALSE(ChoosePictureFile(o.owner, PathOfLength(300), chosen));
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_chooserCancelled) << "no open-file dialog came up";
    EXPECT_EQ(chosen, L"unchanged");
    EXPECT_EQ(TextOf(o.status), L"");
}
