// Fuzzes the tree file reader. Each input is read as it is, and once more sealed with its correct
// checksum line, so the mutations reach the parser behind the checksum. A file the reader accepts
// must write back to a file that reads the same, and must go into a settings store without harm.
#include "param/CMemoryBackend.h"
#include "param/CSettingsStore.h"
#include "param/Sha256.h"
#include "scene/TreeFile.h"
#include "scene/TreeFileProfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

void ReadOne(const std::uint8_t* data, std::size_t size) {
    STreeFile file;
    tstr message;
    if (ReadTreeFile(data, size, file, message) != ETreeFileError::kNone) {
        Require(!message.empty() && file.sections.empty() && file.pictures.empty());
        return;
    }
    const std::string again = WriteTreeFile(file);
    STreeFile back;
    Require(ReadTreeFile(reinterpret_cast<const std::uint8_t*>(again.data()), again.size(), back, message) ==
            ETreeFileError::kNone);
    Require(WriteTreeFile(back) == again);
    CMemoryBackend backend;
    CSettingsStore store(true, L"Holverin", L"Pinarbo");
    store.SetBackend(&backend);
    PointPicturesAt(file, L"C:\\Pictures\\Fuzz");
    WriteTreeFileToStore(store, L"Profiles\\Fuzz\\", file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadOne(data, size);
    // Sealed: everything up to the last line break, then the checksum over it.
    std::string sealed(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = sealed.find_last_of('\n');
    sealed.resize(cut == std::string::npos ? 0 : cut + 1);
    sealed += "SHA-256=" + Sha256Hex(sealed.data(), sealed.size()) + "\r\n";
    ReadOne(reinterpret_cast<const std::uint8_t*>(sealed.data()), sealed.size());
    return 0;
}
