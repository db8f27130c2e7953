#include "param/win/UserSid.h"

#include "wnd/LocalMemory.h"

#include <windows.h>
#include <sddl.h>

#include <vector>

tstr CurrentUserSid() {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) return tstr();
    const CUniqueHandle<handle_traits::KernelHandle> token(raw);
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0) return tstr();
    std::vector<BYTE> buffer(size);
    if (!::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return tstr();
    wchar_t* text = nullptr;
    if (!::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) return tstr();
    const CUniqueLocal owned(text);
    return tstr(text);
}
