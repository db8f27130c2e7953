#include "app/InstanceMutex.h"

#include <sddl.h>

#include <vector>

namespace {

// The current user's SID as text ("S-1-5-21-..."), or empty.
tstr UserSid() {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) return tstr();
    CUniqueHandle<handle_traits::KernelHandle> token(raw);
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0) return tstr();
    std::vector<BYTE> buffer(size);
    if (!::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return tstr();
    wchar_t* text = nullptr;
    if (!::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) return tstr();
    tstr sid(text);
    ::LocalFree(text);
    return sid;
}

}  // namespace

tstr CInstanceMutex::Name(const tstr& firm, const tstr& app) {
    // Backslashes are not allowed in a name after the namespace.
    tstr name = L"Local\\" + firm + L"." + app + L"." + UserSid();
    for (std::size_t i = 6; i < name.size(); ++i)
        if (name[i] == L'\\') name[i] = L'_';
    return name;
}

CInstanceMutex::EClaim CInstanceMutex::Claim(const tstr& firm, const tstr& app) {
    if (m_mutex) return kOwned;
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, Name(firm, app).c_str());
    if (!mutex) return kUnavailable;
    const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    m_mutex.reset(mutex);
    if (!existed) return kOwned;
    m_mutex.reset();
    return kTaken;
}
