// Fuzzes the initialisation-file settings backend's parser: the input is the file's contents.
// Reads of texts, structures and subsections must stay within their buffers and end; a text
// written and read back must come back unchanged, and the rewritten file must still parse.
#include "param/CIniFileBackend.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

tstr FilePath() {
    static const tstr path = [] {
        const std::string p = "/tmp/pinarbo-fuzz-ini-" + std::to_string(::getpid()) + ".ini";
        return tstr(p.begin(), p.end());
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const tstr path = FilePath();
    const std::string narrow(path.begin(), path.end());
    if (FILE* f = std::fopen(narrow.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    CIniFileBackend ini(path);

    tstr text;
    ini.ReadText(L"Software\\A", L"x", text);
    ini.ReadText(L"", L"", text);
    unsigned char buffer[45] = {};
    buffer[44] = 0x5A;
    std::size_t read = 0;
    if (ini.ReadBinary(L"Software\\A", L"p", buffer, 44, &read)) Require(read <= 44);
    Require(buffer[44] == 0x5A);
    tstr name;
    int n = 0;
    while (n < 10000 && ini.EnumSubkey(L"Software", n, name)) ++n;
    Require(n < 10000);
    ini.KeyExists(L"Software\\A");

    // A value written into whatever the file held reads back as written.
    const tstr value = L"v\u00E9\u4E2D=1";
    if (ini.WriteText(L"Software\\Fuzz", L"k", &value)) {
        tstr back;
        Require(ini.ReadText(L"Software\\Fuzz", L"k", back) && back == value);
    }
    ini.DeleteTree(L"Software\\A");
    return 0;
}
