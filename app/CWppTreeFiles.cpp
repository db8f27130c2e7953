// CWpp's part in tree files: requests handed over by another copy, and the switch to an imported tree.
#include "app/CWpp.h"

#include "app/TreeFileCommand.h"
#include "wnd/Messages.h"

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
        SaveOptions();
        RewriteInstanceHandle();
        out = ExportTreeFile(m_store, m_profile, file);
    } else {
        out = ImportTreeFile(m_store, file);
        if (out.result == ETreeFileResult::kDone && !SwitchToTree(out.tree))
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

bool CWpp::SwitchToTree(const tstr& name) {
    // The construction page edits copies of this scene while the settings are open.
    if (m_mainDlg.SettingsDialog() || !Profiles::IsUsableName(name)) return false;
    if (!SaveOptions()) return false;  // the current tree stays when it cannot be saved
    RewriteInstanceHandle();
    BeginSceneChange();
    m_profile = name;
    {
        const CProfileLock lock = LockForLoad();
        m_items.ReleaseAll();
        m_items.Create(m_store, 0);
        LoadOptions();
    }
    m_store.WriteString(Profiles::kSection, Profiles::kValue, m_profile);
    LoadGradient();
    EndSceneChange();
    ApplyViewOptions();
    return true;
}

bool CWpp::OnFilesDropped(HDROP__* drop) {
    const HWND main = m_mainDlg.GetHwnd();
    if (!main) return false;
    ::SendMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);  // the main dialog frees it
    return true;
}
