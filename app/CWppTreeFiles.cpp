// CWpp's part in tree files: requests handed over by another copy, and the switch to an imported tree.
#include "app/CWpp.h"

#include "app/TreeFileCommand.h"
#include "wnd/Messages.h"
#include "wnd/ResourceText.h"

#include <commdlg.h>

LRESULT CWpp::OnTreeFileRequest(const COPYDATASTRUCT& data) {
    const ULONG_PTR what = data.dwData & ~TreeFileHandOver::kSilent;
    if (what != TreeFileHandOver::kImport && what != TreeFileHandOver::kExport) return 0;
    // A path of at most 32767 characters and its null.
    if (!data.lpData || data.cbData < 2 * sizeof(wchar_t) || data.cbData % sizeof(wchar_t) != 0 ||
        data.cbData > 32768 * sizeof(wchar_t))
        return TreeFileHandOver::kAnswer + TreeFileExitCode(ETreeFileResult::kRefused);
    tstr file(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t));
    file.resize(file.find(L'\0') == tstr::npos ? file.size() : file.find(L'\0'));

    STreeFileOutcome out;
    if (what == TreeFileHandOver::kExport) {
        // The scene as it is now: saved first, through the safe save.
        SaveTreeNow();
        out = ExportTreeFile(m_store, m_profile, file);
    } else {
        out = ImportTreeFile(m_store, file);
        if (out.result == ETreeFileResult::kDone && !SwitchTree(out.tree))
            out.message += L" Close the settings to use it: it was not made the current tree while they are open.";
    }
    if (!(data.dwData & TreeFileHandOver::kSilent)) {
        m_treeFileNote = out;
        ::PostMessageW(m_mainDlg.GetHwnd(), kWmTreeFileNote, 0, 0);
    }
    return TreeFileHandOver::kAnswer + TreeFileExitCode(out.result);
}

void CWpp::ShowTreeFileNote() {
    const STreeFileOutcome note = m_treeFileNote;
    m_treeFileNote = STreeFileOutcome();
    if (note.message.empty()) return;
    const UINT icon = note.result == ETreeFileResult::kDone ? MB_ICONINFORMATION
                      : note.result == ETreeFileResult::kRefused ? MB_ICONWARNING : MB_ICONERROR;
    AskUser(note.message, m_displayName, MB_OK | icon | MB_SETFOREGROUND);
}

bool CWpp::OnFilesDropped(HDROP__* drop) {
    const HWND main = m_mainDlg.GetHwnd();
    if (!main) return false;
    ::SendMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);  // the main dialog frees it
    return true;
}

void CWpp::RunTreeFileCommand(bool exporting) {
    if (!CanChangeTrees()) return;
    tstr filter = ResourceText(IDS_TREE_FILE_FILTER, L"*.pinarbo|*.pinarbo|");
    for (wchar_t& c : filter) c = c == L'|' ? L'\0' : c;
    tstr file(32768, L'\0');  // any path Windows gives
    if (exporting) file.replace(0, m_profile.size() + 8, m_profile + L".pinarbo");
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = MainWindow();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = L"pinarbo";
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                (exporting ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(exporting ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn)) || m_exited) return;
    file.resize(file.find(L'\0'));
    STreeFileOutcome out;
    if (exporting) {
        SaveTreeNow();
        out = ExportTreeFile(m_store, m_profile, file);
    } else {
        out = ImportTreeFile(m_store, file);
        if (out.result == ETreeFileResult::kDone) SwitchTree(out.tree);
    }
    m_treeFileNote = out;
    ShowTreeFileNote();
}

void CWpp::ImportTreeFiles(const std::vector<tstr>& files) {
    for (const tstr& file : files) {
        COPYDATASTRUCT data{CMainDlg::kDropImport, static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t)),
                            const_cast<wchar_t*>(file.c_str())};
        OnTreeFileRequest(data);
    }
}
