#include "wnd/ComApartment.h"

#include <objbase.h>
#include <windows.h>

namespace {
bool g_joined = false;
HRESULT g_result = E_FAIL;
}  // namespace

bool com_apartment::Join() noexcept {
    if (!g_joined) {
        g_result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        g_joined = true;
    }
    return SUCCEEDED(g_result) || g_result == RPC_E_CHANGED_MODE;
}

CComApartmentScope::~CComApartmentScope() {
    if (g_joined && SUCCEEDED(g_result)) ::CoUninitialize();
    g_joined = false;
    g_result = E_FAIL;
}
