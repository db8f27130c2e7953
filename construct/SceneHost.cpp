#include "construct/ISceneHost.h"

namespace {
ISceneHost* g_host = nullptr;
HWND g_openPage = nullptr;
}  // namespace

ISceneHost* SceneHost() noexcept { return g_host; }
void SetSceneHost(ISceneHost* host) noexcept { g_host = host; }

HWND OpenPageWindow() noexcept { return g_openPage; }
void SetOpenPageWindow(HWND page) noexcept { g_openPage = page; }
