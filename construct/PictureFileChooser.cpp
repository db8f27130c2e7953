#include "construct/PictureFileChooser.h"

#include "res/resource.h"

#include <cderr.h>
#include <commctrl.h>

#include <cwchar>
#include <vector>

namespace {

// Room for the longest path Windows gives (32,767 characters) and its terminating zero.
constexpr DWORD kLongestPath = 32768;

std::wstring FailureText(DWORD error) {
    switch (error) {
    case FNERR_BUFFERTOOSMALL: return L"The chosen file's path is too long to open.";
    case FNERR_INVALIDFILENAME: return L"The file name is not valid.";
    default: {
        wchar_t text[96] = {};
        ::swprintf(text, 96, L"The open-file dialog failed (error 0x%04lX).", static_cast<unsigned long>(error));
        return text;
    }
    }
}

}  // namespace

bool SystemOpenFileDialog(OPENFILENAMEW& ofn, DWORD& error) {
    if (::GetOpenFileNameW(&ofn)) return true;
    error = ::CommDlgExtendedError();
    return false;
}

bool ChoosePictureFile(HWND owner, const std::wstring& current, std::wstring& chosen, OpenFileDialogFn dialog) {
    std::vector<wchar_t> file(kLongestPath, L'\0');
    // The dialog starts at the current file when the shell can read it as a start: it reads the
    // start path through buffers of MAX_PATH characters, so a longer path starts it empty.
    if (current.size() < MAX_PATH) current.copy(file.data(), current.size());
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = L"All Formats\0*.*\0Bitmaps(*.bmp)\0*.bmp\0Png(*.png)\0*.png\0Jpeg(*.jpg,*.jpeg)\0*.jpg;*.jpeg\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kLongestPath;
    ofn.lpstrTitle = L"open file";
    ofn.Flags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOREADONLYRETURN | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    DWORD error = 0;
    if (dialog(ofn, error)) {
        file.back() = L'\0';
        chosen = file.data();
        return true;
    }
    // A user's Cancel (error 0) is no failure.
    if (error != 0) ShowInStatusLine(owner, FailureText(error));
    return false;
}

bool ShowInStatusLine(HWND window, const std::wstring& text) {
    for (HWND w = window; w; w = ::GetParent(w)) {
        const HWND status = ::GetDlgItem(w, IDC_SETTINGS_STATUS);
        wchar_t cls[32] = {};
        if (!status || !::GetClassNameW(status, cls, 32) || ::lstrcmpiW(cls, STATUSCLASSNAMEW) != 0) continue;
        return ::SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str())) != 0;
    }
    return false;
}
