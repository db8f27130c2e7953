// CProfileLock: keeps the profile saves and loads of different processes of one user from
// interleaving, whatever session they run in (a remote session beside the console). It is a
// named mutex "Global\<name>-<user's SID>" ("Local\..." when the global namespace is refused),
// held from construction, after a bounded wait, until destruction.
#pragma once

#include "param/Tstr.h"
#include "wnd/Handles.h"

#include <windows.h>

class CProfileLock {
public:
    // How long a save or a load waits for another process's save: far longer than a save takes.
    static constexpr DWORD kWaitMs = 15000;

    // Waits up to waitMs for the lock. A lock left by a process that ended while holding it is
    // taken over (that save was cut short, which the profile's writer allows for).
    explicit CProfileLock(const tstr& name, DWORD waitMs = kWaitMs);
    ~CProfileLock();
    CProfileLock(CProfileLock&& other) noexcept;
    CProfileLock(const CProfileLock&) = delete;
    CProfileLock& operator=(const CProfileLock&) = delete;
    CProfileLock& operator=(CProfileLock&&) = delete;

    // Whether this object holds the lock (false after a timeout or when no mutex could be made).
    bool Held() const noexcept { return m_held; }
    // No mutex could be made or opened in either namespace: there is nothing to wait for, and
    // the caller goes on unlocked rather than lose its save.
    bool Unavailable() const noexcept { return !m_mutex; }

    // The mutex name in the given namespace ("Global" or "Local"); backslashes in name become "_".
    static tstr MutexName(const wchar_t* space, const tstr& name);

private:
    CUniqueHandle<handle_traits::KernelHandle> m_mutex;
    bool m_held = false;
};
