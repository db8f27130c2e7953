#include "param/win/ParamDlgControls.h"

#include <commdlg.h>

#include <cwchar>

tstr ControlText(HWND control) {
    if (!control) return tstr();
    const int length = ::GetWindowTextLengthW(control);
    if (length <= 0) return tstr();
    tstr text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(control, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

void ShowEditText(HWND edit, const tstr& text) {
    if (!edit || ControlText(edit) == text) return;
    DWORD start = 0, end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageW(edit, EM_SETSEL, start, static_cast<LPARAM>(end));
}

bool IsRadioButton(HWND control) {
    if (!control) return false;
    wchar_t name[16] = {};
    if (::GetClassNameW(control, name, 16) <= 0 || std::wcscmp(name, L"Button") != 0) return false;
    const LONG_PTR kind = ::GetWindowLongPtrW(control, GWL_STYLE) & 0xF;
    return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

HWND NextRadioButton(HWND button) {
    const HWND next = button ? ::GetWindow(button, GW_HWNDNEXT) : nullptr;
    return IsRadioButton(next) ? next : nullptr;
}

std::int32_t RadioData(HWND button) {
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(::GetPropW(button, kRadioDataProp)));
}

int ComboCount(HWND combo) {
    const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
}

int ComboSelection(HWND combo) {
    const LRESULT sel = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return sel >= 0 ? static_cast<int>(sel) : -1;
}

std::int32_t ComboItemData(HWND combo, int index) {
    return static_cast<std::int32_t>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

tstr ComboItemText(HWND combo, int index) {
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return tstr();
    tstr text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got =
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 && got <= length ? static_cast<std::size_t>(got) : 0);
    return text;
}

COLORREF* SwatchCustomColours() {
    // Pale tints, then stronger ones; the slots between are neutral greys.
    static COLORREF colours[16] = {0xCCCCFF, 0xCCFFFF, 0xCCFFCC, 0xFFCCCC, 0xFFCCFF, 0xFFFFCC, 0xFFFFFF, 0xDDDDDD,
                                   0xAACCFF, 0xAACCCC, 0xCCFFAA, 0xFFAACC, 0xFFAAFF, 0xFFCCAA, 0xAAAAAA, 0x808080};
    return colours;
}

bool ChooseSwatchColour(HWND owner, COLORREF& colour) {
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = owner;
    cc.rgbResult = colour;
    cc.lpCustColors = SwatchCustomColours();
    cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
    if (!::ChooseColorW(&cc)) return false;
    colour = cc.rgbResult;
    return true;
}

void RepaintSwatch(HWND control) {
    if (!control) return;
    ::InvalidateRect(control, nullptr, TRUE);
    // A dialog may paint the colour itself, beneath or around the control.
    if (const HWND parent = ::GetParent(control)) {
        RECT rc{};
        if (::GetWindowRect(control, &rc)) {
            ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
            ::InvalidateRect(parent, &rc, TRUE);
        }
    }
}
