// CInstanceMutex: a named mutex per user and session that marks a running copy of the program.
// Two copies started in the same moment (autostart and a click at logon) both find no stored
// "Handle" yet; the mutex lets exactly one of them go on.
#pragma once

#include <windows.h>

#include "param/Tstr.h"
#include "wnd/Handles.h"

class CInstanceMutex {
public:
    enum EClaim {
        kOwned,        // this copy is the first: it holds the mutex until Release or its end
        kTaken,        // another copy holds it
        kUnavailable,  // no mutex could be made: the caller decides by other means
    };

    // Opens or creates the mutex "Local\<firm>.<app>.<user's SID>".
    EClaim Claim(const tstr& firm, const tstr& app);
    void Release() noexcept { m_mutex.reset(); }
    bool IsOwned() const noexcept { return static_cast<bool>(m_mutex); }

    // The mutex name for the current user; the SID is left out when it cannot be read.
    static tstr Name(const tstr& firm, const tstr& app);

private:
    CUniqueHandle<handle_traits::KernelHandle> m_mutex;
};
