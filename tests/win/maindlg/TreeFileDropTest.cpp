// Files dropped on the main window: each tree file among them is handed to the application as an
// import (not silent), other files are left alone, and the drop is freed.
#include "MainDlgTestSupport.h"
#include "app/FactoryClasses.h"
#include "app/TreeFileCommand.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

namespace {

class CDropHost : public CRecordingHost {
public:
    LRESULT OnTreeFileRequest(const COPYDATASTRUCT& data) override {
        requests.push_back(data.dwData);
        files.emplace_back(static_cast<const wchar_t*>(data.lpData));
        return TreeFileHandOver::kAnswer;
    }
    std::vector<ULONG_PTR> requests;
    std::vector<std::wstring> files;
};

// A drop as the shell makes it: DROPFILES, then the names, each with its null, and one more null.
HGLOBAL MakeDrop(const std::vector<std::wstring>& names) {
    size_t chars = 1;
    for (const std::wstring& n : names) chars += n.size() + 1;
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* p = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& n : names) {
        std::memcpy(p, n.c_str(), (n.size() + 1) * sizeof(wchar_t));
        p += n.size() + 1;
    }
    ::GlobalUnlock(memory);
    return memory;
}

}  // namespace

TEST(MainDlgDrop, TreeFilesAmongDroppedFilesAreImported) {
    RegisterFactoryWindowClasses();
    CDropHost host;
    CMainDlg dlg(host);
    const HWND hwnd = dlg.Create(nullptr, CMainDlg::kTemplateId, nullptr);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    const HGLOBAL drop = MakeDrop({L"C:\\a\\Tree.PINARBO", L"C:\\a\\photo.png", L"C:\\b\\x.pinarbo", L".pinarbo"});
    ::SendMessageW(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(host.files, (std::vector<std::wstring>{L"C:\\a\\Tree.PINARBO", L"C:\\b\\x.pinarbo"}));
    EXPECT_EQ(host.requests, (std::vector<ULONG_PTR>{TreeFileHandOver::kImport, TreeFileHandOver::kImport}));
    EXPECT_EQ(::GlobalSize(drop), 0u);  // freed by the dialog
    ::DestroyWindow(hwnd);
}
