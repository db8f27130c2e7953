#include "param/win/CProfileLock.h"

#include "param/win/UserSid.h"
#include "wnd/LocalMemory.h"

#include <sddl.h>

#include <utility>

namespace {

// Opens or creates the mutex. It is made open to the user whatever session or elevation the
// process has (the default access would shut out the user's other processes, not others' ones).
HANDLE OpenOrCreate(const tstr& name, const tstr& sid) {
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, FALSE};
    CUniqueLocal descriptor;
    const tstr sddl = L"D:(A;;GA;;;" + sid + L")(A;;GA;;;SY)";
    PSECURITY_DESCRIPTOR made = nullptr;
    if (!sid.empty() &&
        ::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &made, nullptr)) {
        descriptor.reset(made);
        sa.lpSecurityDescriptor = made;
    }
    HANDLE mutex = ::CreateMutexW(&sa, FALSE, name.c_str());
    // Made by a process whose rights this one lacks: waiting needs no more than this.
    if (!mutex && ::GetLastError() == ERROR_ACCESS_DENIED) mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, name.c_str());
    return mutex;
}

}  // namespace

tstr CProfileLock::MutexName(const wchar_t* space, const tstr& name) {
    tstr own = name + L"-" + CurrentUserSid();
    for (wchar_t& c : own)
        if (c == L'\\') c = L'_';
    return tstr(space) + L"\\" + own;
}

CProfileLock::CProfileLock(const tstr& name, DWORD waitMs) {
    const tstr sid = CurrentUserSid();
    HANDLE mutex = OpenOrCreate(MutexName(L"Global", name), sid);
    // A restricted process may not create objects in the global namespace: then at least the
    // processes of this session are kept apart.
    if (!mutex) mutex = OpenOrCreate(MutexName(L"Local", name), sid);
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
