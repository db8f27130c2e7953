#include "settings/ISettingsHost.h"

namespace {
ISettingsHost* g_host = nullptr;
}  // namespace

ISettingsHost* SettingsHost() noexcept { return g_host; }
void SetSettingsHost(ISettingsHost* host) noexcept { g_host = host; }
