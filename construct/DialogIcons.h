// Small icons of the settings dialogs: the dialog's own small icon and the label icons of its value
// rows, loaded at 16 x 16 from this program's resources. The set owns what it loaded and gives it
// back (detaching it from the controls first) when released or destroyed.
#pragma once

#include "wnd/Handles.h"

#include <windows.h>

#include <vector>

class CDialogIcons {
public:
    CDialogIcons() = default;
    ~CDialogIcons() { Release(); }
    CDialogIcons(const CDialogIcons&) = delete;
    CDialogIcons& operator=(const CDialogIcons&) = delete;

    // Makes icon iconId the dialog's small icon.
    void SetSmallIcon(HWND dialog, int iconId);
    // Gives icon iconId to the static icon control controlId of the dialog.
    void SetControlIcon(HWND dialog, int controlId, int iconId);
    // Takes the icons off their windows and destroys them.
    void Release();

private:
    struct SPlaced {
        HWND window;
        int controlId;  // 0: the dialog's small icon
        CUniqueIcon icon;
    };
    std::vector<SPlaced> m_placed;
};
