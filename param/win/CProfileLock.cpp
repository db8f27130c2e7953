#include "param/win/CProfileLock.h"

#include "param/win/UserSid.h"

#include <utility>

tstr CProfileLock::MutexName(const wchar_t* space, const tstr& name) {
    tstr own = name + L"-" + CurrentUserSid();
    for (wchar_t& c : own)
        if (c == L'\\') c = L'_';
    return tstr(space) + L"\\" + own;
}

CProfileLock::CProfileLock(const tstr& name, DWORD waitMs) {
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, MutexName(L"Global", name).c_str());
    // A restricted process may not create objects in the global namespace: then at least the
    // processes of this session are kept apart.
    if (!mutex) mutex = ::CreateMutexW(nullptr, FALSE, MutexName(L"Local", name).c_str());
    if (!mutex) return;
    m_mutex.reset(mutex);
    const DWORD waited = ::WaitForSingleObject(mutex, waitMs);
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

CProfileLock::CProfileLock(CProfileLock&& other) noexcept
    : m_mutex(std::move(other.m_mutex)), m_held(std::exchange(other.m_held, false)) {}

CProfileLock::~CProfileLock() {
    if (m_held) ::ReleaseMutex(m_mutex.get());
}
