#include "construct/PictureSourceControls.h"

#include "construct/ItemDialogRows.h"
#include "construct/PictureFileChooser.h"
#include "param/ParamDlgKind.h"
#include "param/win/Bind.h"
#include "param/win/CDialogParam.h"
#include "res/resource.h"
#include "scene/CItem.h"
#include "scene/ItemPicture.h"
#include "scene/win/PicturePathFacts.h"

#include <string>
#include <utility>

CPictureSourceControls::CPictureSourceControls(UINT unreadableText, std::function<void()> show)
    : m_unreadableText(unreadableText), m_show(std::move(show)) {}

void CPictureSourceControls::Attach(CDialogParam& dialog, CItem& item) {
    m_hwnd = dialog.GetHwnd();
    m_item = &item;
    Bind(&dialog, item.source, kParamRadioPos, IDC_TREE_PREDEFINED);
    const HWND pathEdit = ::GetDlgItem(m_hwnd, IDC_TREE_PATH);
    ::SendMessageW(pathEdit, EM_SETLIMITTEXT, kMaxPath, 0);
    m_filling = true;
    ::SetWindowTextW(pathEdit, item.path.substr(0, kMaxPath).c_str());
    m_filling = false;
}

void CPictureSourceControls::Reload() {
    if (!m_item) return;
    StopWaiting();
    const bool loaded = LoadItemPicture(*m_item);
    ::SetDlgItemTextW(m_hwnd, IDC_TREE_STATUS, loaded ? L"" : ResourceText(m_unreadableText).c_str());
    m_reloaded = true;
    if (m_show) m_show();
}

void CPictureSourceControls::ReloadAtOnceOrLater() {
    if (m_item->source.Get() == CItem::kBuiltIn || ReloadAtOnce(GatherPathFacts(m_item->path))) {
        Reload();
        return;
    }
    // May take long to open: only once typing pauses (each key restarts the wait).
    m_reloadPending = ::SetTimer(m_hwnd, kReloadTimer, kReloadPauseMs, nullptr) != 0;
}

void CPictureSourceControls::OnPathEdited() {
    if (m_filling) return;
    wchar_t text[kMaxPath + 1] = {};
    ::GetDlgItemTextW(m_hwnd, IDC_TREE_PATH, text, kMaxPath + 1);
    m_item->path = text;
    // The path only matters for a loaded picture.
    if (m_item->source.Get() == CItem::kBuiltIn) return;
    ReloadAtOnceOrLater();
}

void CPictureSourceControls::ChooseFile() {
    std::wstring file;
    if (!ChoosePictureFile(m_hwnd, m_item->path, file)) return;
    m_item->path = file;
    m_filling = true;
    ::SetDlgItemTextW(m_hwnd, IDC_TREE_PATH, file.c_str());
    m_filling = false;
    // A file was chosen to be shown: the picture comes from the file now.
    m_item->source.Set(CItem::kFile);
    Reload();
}

bool CPictureSourceControls::OnCommand(int id, int code) {
    if (!m_item) return false;
    switch (id) {
    case IDC_TREE_PREDEFINED:
    case IDC_TREE_LOADED:
        if (code == BN_CLICKED) ReloadAtOnceOrLater();
        return true;
    case IDC_TREE_PATH:
        if (code == EN_CHANGE) OnPathEdited();
        return true;
    case IDC_TREE_BROWSE:
        if (code == BN_CLICKED) ChooseFile();
        return true;
    default:
        return false;
    }
}

bool CPictureSourceControls::OnTimer(UINT_PTR id) {
    if (id != kReloadTimer) return false;
    ::KillTimer(m_hwnd, kReloadTimer);
    if (m_reloadPending) Reload();
    return true;
}

void CPictureSourceControls::FinishPending() {
    if (m_reloadPending) Reload();
}

void CPictureSourceControls::StopWaiting() {
    if (m_hwnd) ::KillTimer(m_hwnd, kReloadTimer);
    m_reloadPending = false;
}
