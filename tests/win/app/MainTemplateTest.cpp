#include <windows.h>
#include "PinarboVersion.h"

#include <gtest/gtest.h>

#include "app/SystemIntegration.h"
#include "resource.h"

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// The template names the image button's class; a plain stand-in class lets the dialog be created
// here without the button's own code.
void EnsureButtonClass() {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), L"KW_ButtonWnd", &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KW_ButtonWnd";
    ASSERT_NE(::RegisterClassExW(&wc), 0);
}

}  // namespace

TEST(MainTemplate, DialogHasTheMainWindowsShapeAndOneImageButton) {
    EnsureButtonClass();
    const HWND dlg = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr,
                                          PlainDialogProc, 0);
    ASSERT_TRUE(dlg);
    wchar_t title[64] = {};
    ::GetWindowTextW(dlg, title, 64);
    EXPECT_STREQ(title, L"Pinarbo");

    const LONG_PTR style = ::GetWindowLongPtrW(dlg, GWL_STYLE);
    EXPECT_FALSE(style & WS_VISIBLE) << "created hidden, shown by the application";
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(::GetWindowLongPtrW(dlg, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

    RECT units = {0, 0, 118, 106};
    ASSERT_TRUE(::MapDialogRect(dlg, &units));
    RECT client{};
    ::GetClientRect(dlg, &client);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);

    const HWND button = ::GetDlgItem(dlg, IDC_MAIN_BUTTON);
    ASSERT_TRUE(button);
    wchar_t cls[64] = {};
    ::GetClassNameW(button, cls, 64);
    EXPECT_STREQ(cls, L"KW_ButtonWnd");
    const LONG_PTR bstyle = ::GetWindowLongPtrW(button, GWL_STYLE);
    EXPECT_TRUE(bstyle & WS_VISIBLE);
    EXPECT_TRUE(bstyle & WS_TABSTOP);
    // The dialog manager maps position and size separately.
    RECT pos = {23, 16, 71, 70};
    ::MapDialogRect(dlg, &pos);
    const RECT expected = {pos.left, pos.top, pos.left + pos.right, pos.top + pos.bottom};
    RECT got{};
    ::GetWindowRect(button, &got);
    ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&got), 2);
    EXPECT_TRUE(::EqualRect(&got, &expected)) << got.left << "," << got.top << " " << got.right << "," << got.bottom;
    ::DestroyWindow(dlg);
}

TEST(MainTemplate, ProgramVersionTextIsReadFromOurOwnFile) {
    EXPECT_EQ(SysIntegration::GetVersionText(SysIntegration::ModulePath(), L"FileVersion"), PINARBO_VERSION_WTEXT);
}
