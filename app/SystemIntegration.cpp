#include "app/SystemIntegration.h"

#include <cwchar>
#include <vector>

namespace SysIntegration {

tstr ModulePath() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return tstr();
        if (n < buf.size()) return tstr(buf.data(), n);
        buf.resize(buf.size() * 2);
        if (buf.size() > 32768) return tstr();
    }
}

tstr GetVersionText(const tstr& file, const tstr& name) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return tstr();
    std::vector<BYTE> info(size);
    if (!::GetFileVersionInfoW(file.c_str(), 0, size, info.data())) return tstr();

    struct LangCodePage {
        WORD language;
        WORD codePage;
    };
    LangCodePage* table = nullptr;
    UINT tableBytes = 0;
    if (!::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&table),
                          &tableBytes) ||
        !table)
        return tstr();

    const UINT count = tableBytes / sizeof(LangCodePage);
    for (UINT i = 0; i < count; ++i) {
        wchar_t query[256];
        std::swprintf(query, 256, L"\\StringFileInfo\\%04X%04X\\%ls", table[i].language, table[i].codePage,
                      name.c_str());
        wchar_t* value = nullptr;
        UINT chars = 0;
        if (::VerQueryValueW(info.data(), query, reinterpret_cast<void**>(&value), &chars) && value) {
            tstr text(value, ::wcsnlen(value, chars));
            if (text.size() > 127) text.resize(127);
            return text;
        }
    }
    return tstr();
}

}  // namespace SysIntegration
