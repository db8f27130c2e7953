#include "app/InstanceMutex.h"

#include "param/win/UserSid.h"

tstr CInstanceMutex::Name(const tstr& firm, const tstr& app) {
    // Backslashes are not allowed in a name after the namespace.
    tstr name = L"Local\\" + firm + L"." + app + L"." + CurrentUserSid();
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
