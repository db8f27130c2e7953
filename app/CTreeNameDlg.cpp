#include "app/CTreeNameDlg.h"

#include "app/TreeNames.h"
#include "resource.h"
#include "wnd/ResourceText.h"

#include <utility>

namespace {

tstr Text(UINT id, const wchar_t* fallback) { return ResourceText(id, fallback); }

// A menu line's text as a caption: without its mnemonic mark and its dots.
tstr Caption(UINT id) {
    tstr caption;
    for (const wchar_t c : Text(id, L"Tree")) {
        if (c != L'&') caption += c;
    }
    while (!caption.empty() && caption.back() == L'.') caption.pop_back();
    return caption;
}

tstr WindowText(HWND hwnd) {
    tstr text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

CTreeNameDlg::CTreeNameDlg(EMode mode, std::vector<tstr> trees, tstr current)
    : m_mode(mode), m_trees(std::move(trees)), m_current(std::move(current)) {}

INT_PTR CTreeNameDlg::OnInitDialog() {
    static const UINT kCommands[] = {IDM_TRAY_TREE_NEW, IDM_TRAY_TREE_DUPLICATE, IDM_TRAY_TREE_RENAME,
                                     IDM_TRAY_TREE_DELETE};
    static const UINT kLabels[] = {IDS_TREE_NAME_NEW, IDS_TREE_NAME_COPY, IDS_TREE_NAME_RENAME, IDS_TREE_NAME_DELETE};
    const auto mode = static_cast<std::size_t>(m_mode);
    ::SetWindowTextW(m_hwnd, Caption(kCommands[mode]).c_str());
    ::SetDlgItemTextW(m_hwnd, IDC_TREE_NAME_LABEL, Text(kLabels[mode], L"Name:").c_str());
    const HWND edit = ::GetDlgItem(m_hwnd, IDC_TREE_NAME_EDIT);
    const HWND list = ::GetDlgItem(m_hwnd, IDC_TREE_NAME_LIST);
    ::SendMessageW(edit, EM_LIMITTEXT, kMaxTreeName + 16, 0);
    if (m_mode == EMode::Delete) {
        ::ShowWindow(edit, SW_HIDE);
        ::ShowWindow(list, SW_SHOW);
        for (const tstr& tree : m_trees) {
            if (tree != m_current) ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tree.c_str()));
        }
        ::SendMessageW(list, CB_SETCURSEL, 0, 0);
        ::SetFocus(list);
        return FALSE;
    }
    const tstr offered = m_mode == EMode::Rename      ? m_current
                         : m_mode == EMode::Duplicate ? UniqueTreeName(m_current, m_trees)
                                                      : UniqueTreeName(Text(IDS_TREE_NAME_FIRST, L"New tree"), m_trees);
    ::SetWindowTextW(edit, offered.c_str());
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SetFocus(edit);
    return FALSE;  // the focus is set
}

void CTreeNameDlg::OnOK() {
    if (m_mode == EMode::Delete) {
        m_name = WindowText(::GetDlgItem(m_hwnd, IDC_TREE_NAME_LIST));
        if (!m_name.empty()) ::EndDialog(m_hwnd, IDOK);
        return;
    }
    const HWND edit = ::GetDlgItem(m_hwnd, IDC_TREE_NAME_EDIT);
    const tstr name = TrimmedTreeName(WindowText(edit));
    if (m_mode == EMode::Rename && name == m_current) {
        ::EndDialog(m_hwnd, IDCANCEL);  // nothing to rename
        return;
    }
    std::vector<tstr> others;
    for (const tstr& tree : m_trees) {
        if (m_mode != EMode::Rename || tree != m_current) others.push_back(tree);
    }
    const ETreeNameProblem problem = CheckTreeName(name, others);
    if (problem == ETreeNameProblem::None) {
        m_name = name;
        ::EndDialog(m_hwnd, IDOK);
        return;
    }
    const UINT why = IDS_TREE_NAME_EMPTY + static_cast<UINT>(problem) - static_cast<UINT>(ETreeNameProblem::Empty);
    ::SetDlgItemTextW(m_hwnd, IDC_TREE_NAME_STATUS, Text(why, L"This name cannot be used.").c_str());
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
}
