// Screenshots of both dialogs for the documentation (run by hand, with a display):
//   wintest_itemdlg.exe --gtest_also_run_disabled_tests --gtest_filter='DialogsShowcase.*'
// Each dialog is photographed whole-screen into /tmp/pinarbo-<name>.png by ImageMagick's import;
// its rectangle is printed ("SHOT name left top right bottom") for cropping.
#include "DlgTestSupport.h"

#include "construct/CItemDlg.h"
#include "construct/CTreeDlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {
void Photograph(HWND dlg, const char* name) {
    PumpMessages(400);
    RECT rc{};
    ::GetWindowRect(dlg, &rc);
    std::printf("SHOT %s %ld %ld %ld %ld\n", name, rc.left, rc.top, rc.right, rc.bottom);
    std::fflush(stdout);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"import -window root /tmp/pinarbo-" + std::wstring(name, name + std::char_traits<char>::length(name)) + L".png";
    ::CreateProcessW(L"Z:\\usr\\bin\\import", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    PumpMessages(2500);
}
}  // namespace

TEST(DialogsShowcase, DISABLED_Screenshots) {
    SetUpDialogTests();
    CTestWindow parent;
    ASSERT_TRUE(parent.Create(200, 150, 420, 360, L"Pinarbo settings"));

    CItem toy;
    toy.Setup(L"Red ball", CItem::kToy, IDB_TOY_FIRST + 2, 15, 10, 60, 90, 120, 0, 0);
    toy.LoadPicture();
    toy.Render();
    CItemDlg item(nullptr, &toy);
    RunModal(item, IDD_ITEM, parent.Hwnd(), [&](HWND d) {
        Photograph(d, "itemdlg");
        ::SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });

    CItem tree;
    tree.Setup(L"Tree", CItem::kTree, IDB_TREE_DEFAULT, 0, 5, 20, 100, 100, 0, 0);
    tree.path = L"C:\\Pictures\\my tree.png";
    tree.LoadPicture();
    tree.Render();
    CColReg<CItem*> toys;
    CTreeDlg treeDlg(nullptr, &toys, &tree);
    RunModal(treeDlg, IDD_TREE, parent.Hwnd(), [&](HWND d) {
        ::SetWindowPos(d, nullptr, 640, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Photograph(d, "treedlg");
        ::SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
    });
}
