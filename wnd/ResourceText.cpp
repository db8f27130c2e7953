#include "wnd/ResourceText.h"

std::wstring ResourceText(UINT id, const wchar_t* fallback) {
    const wchar_t* text = nullptr;
    // Length 0 asks for a pointer into the loaded resource itself: no copy, no size limit.
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring(fallback ? fallback : L"");
}
