// CPictureSourceControls: the picture source of the tree and item dialogs. "Predefined" and
// "Loaded" radio buttons bound to the item's source, the path edit, "..." (the open-file dialog)
// and the status line. A typed path that opens at once (a local fixed drive, a small file) is
// tried on the keystroke; one that may be slow (a share, a large file) only once typing pauses;
// devices are never opened. A picture that does not load shows the item's built-in picture and
// the status line says so.
#pragma once

#include <windows.h>

#include <functional>

class CDialogParam;
class CItem;

class CPictureSourceControls {
public:
    // The longest path the path edit takes.
    static constexpr int kMaxPath = 520;
    // Typing pause after which a path that may be slow to open is tried.
    static constexpr UINT kReloadPauseMs = 500;
    // The dialog timer the pause uses.
    static constexpr UINT_PTR kReloadTimer = 1;

    // unreadableText: string id the status line shows when the item's own picture did not load.
    // show: renders the item and shows it (page, pane entry) after every reload.
    CPictureSourceControls(UINT unreadableText, std::function<void()> show);

    // In the dialog's OnInitDialog, before its bindings show their values: binds the radio buttons
    // to the item's source and writes the item's path into the path edit (which reloads nothing).
    void Attach(CDialogParam& dialog, CItem& item);
    // A command of the dialog, after the bindings took it. True when it was one of these controls'.
    bool OnCommand(int id, int code);
    // A timer of the dialog. True when it was the typing pause's.
    bool OnTimer(UINT_PTR id);
    // Reloads the item's picture now (a built-in one when it cannot be read, said in the status
    // line) and shows it; a pending wait ends.
    void Reload();
    // OK: a path still waiting for the pause is tried now, so the item matches the dialog.
    void FinishPending();
    // Cancel and closing: a pending wait is dropped.
    void StopWaiting();
    // Whether the picture was reloaded here (Cancel then reloads the restored one).
    bool Reloaded() const noexcept { return m_reloaded; }

private:
    void OnPathEdited();
    void ChooseFile();
    // Reloads at once when the path can be opened without delay, else after the typing pause.
    void ReloadAtOnceOrLater();

    UINT m_unreadableText;
    std::function<void()> m_show;
    HWND m_hwnd = nullptr;
    CItem* m_item = nullptr;      // not owned
    bool m_reloaded = false;
    bool m_filling = false;       // the controls themselves are writing the path edit
    bool m_reloadPending = false; // a slow path waits for the typing pause
};
