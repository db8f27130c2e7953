// An icon of this program's resources loaded at a given size, owned by the caller.
#pragma once

#include "wnd/Handles.h"

#include <windows.h>

inline CUniqueIcon LoadResourceIcon(UINT id, int size, HINSTANCE module = ::GetModuleHandleW(nullptr)) {
    return CUniqueIcon(
        static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}
