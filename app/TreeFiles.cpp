#include "app/TreeFiles.h"

#include "app/CProfileApp.h"
#include "param/CProfileWriter.h"
#include "param/CSettingsStore.h"
#include "param/win/CProfileLock.h"
#include "scene/CBmp.h"
#include "scene/TreeFile.h"
#include "scene/TreeFileNames.h"
#include "scene/TreeFileProfile.h"
#include "wnd/Handles.h"
#include "wnd/FileRead.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <new>
#include <vector>

namespace {

constexpr wchar_t kExtension[] = L".pinarbo";

STreeFileOutcome Outcome(ETreeFileResult result, const tstr& message, const tstr& tree = tstr()) {
    return STreeFileOutcome{result, message, tree};
}

CProfileLock LockProfiles(const CSettingsStore& store) {
    return CProfileLock(store.GetFirmName() + L"." + store.GetAppName() + L".Profile");
}

// Writes a new file (never over an existing one).
bool WriteNewFile(const tstr& path, const void* data, std::size_t size) {
    CUniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const auto* p = static_cast<const std::uint8_t*>(data);
    std::size_t done = 0;
    while (done < size) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 24));
        DWORD written = 0;
        if (!::WriteFile(file.get(), p + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return ::FlushFileBuffers(file.get()) != FALSE;
}

// A folder and the files directly in it (a tree's picture folder holds nothing else).
void RemoveFolder(const tstr& folder, const std::vector<tstr>& files) {
    for (const tstr& name : files) ::DeleteFileW((folder + L"\\" + name).c_str());
    ::RemoveDirectoryW(folder.c_str());
}

tstr FileNameOf(const tstr& path) {
    const std::size_t cut = path.find_last_of(L"\\/");
    return cut == tstr::npos ? path : path.substr(cut + 1);
}

// The new tree's name: the file's name without ".pinarbo", as a safe name, unique among the
// stored profiles and the picture folders already there.
tstr NewTreeName(const CSettingsStore& store, const tstr& file, const tstr& pictures) {
    tstr stem = FileNameOf(file);
    const std::size_t ext = stem.size() >= 8 ? stem.size() - 8 : tstr::npos;
    if (ext != tstr::npos && SameNameNoCase(stem.substr(ext), kExtension)) stem.resize(ext);
    std::vector<tstr> taken;
    tstr name;
    for (int i = 0; store.EnumSubsection(Profiles::kSection, i, name); ++i) taken.push_back(name);
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((pictures + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            taken.emplace_back(found.cFileName);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    return MakeUniqueName(MakeSafeTreeFileName(stem, L"Tree"), taken, false);
}

}  // namespace

tstr TreePicturesFolder(const tstr& app) {
    wchar_t folder[MAX_PATH] = {};
    if (app.empty() || FAILED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)) ||
        !folder[0])
        return tstr();
    tstr path = folder;
    if (path.back() != L'\\') path += L'\\';
    return path + app + L"\\Pictures";
}

STreeFileOutcome ExportTreeFile(CSettingsStore& store, const tstr& profile, const tstr& file) {
    if (!Profiles::IsUsableName(profile)) return Outcome(ETreeFileResult::kRefused, L"There is no tree to export.");
    STreeFile tree;
    {
        const CProfileLock lock = LockProfiles(store);
        const CProfileWriter writer(store, L"*export*", tstr(Profiles::kSection) + L"\\" + profile,
                                    tstr(Profiles::kPendingSection) + L"\\" + profile);
        tree = ReadProfileForTreeFile(store, writer.LoadRoot());
    }
    const bool hasTree = std::any_of(tree.sections.begin(), tree.sections.end(),
                                     [](const STreeFileSection& s) { return s.name == L"Items\\Tree"; });
    if (!hasTree)
        return Outcome(ETreeFileResult::kRefused, L"The tree \"" + profile + L"\" has not been saved yet: there is nothing to export.", profile);
    const std::vector<tstr> missing = AttachPictures(tree, [](const tstr& path, std::vector<std::uint8_t>& bytes) {
        return ReadWholeFile(path.c_str(), kMaxTreeFilePictureBytes, bytes);
    });
    const std::string text = WriteTreeFile(tree);
    if (text.size() > kMaxTreeFileBytes)
        return Outcome(ETreeFileResult::kRefused, L"The tree \"" + profile +
                                                      L"\" with its pictures is larger than 64 MB, the most a tree file may hold.", profile);
    // Beside the target first, then moved over it: a failed write never leaves half a file.
    const tstr temp = file + L".new";
    ::DeleteFileW(temp.c_str());
    if (!WriteNewFile(temp, text.data(), text.size()) ||
        !::MoveFileExW(temp.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temp.c_str());
        return Outcome(ETreeFileResult::kFailed, L"The tree file \"" + file + L"\" could not be written.", profile);
    }
    tstr message = L"The tree \"" + profile + L"\" was exported to \"" + file + L"\".";
    if (!missing.empty()) {
        message += L" These picture files could not be read and were left out (their items show built-in pictures):";
        for (const tstr& path : missing) message += L"\n" + path;
    }
    return Outcome(ETreeFileResult::kDone, message, profile);
}

STreeFileOutcome ImportTreeFile(CSettingsStore& store, const tstr& file, const tstr& picturesRoot) {
    std::vector<std::uint8_t> bytes;
    bool tooLarge = false;
    if (!ReadWholeFile(file.c_str(), kMaxTreeFileBytes, bytes, &tooLarge)) {
        if (tooLarge)
            return Outcome(ETreeFileResult::kRefused, L"\"" + FileNameOf(file) +
                                                          L"\" cannot be imported. The file is larger than 64 MB, the most a tree file may hold.");
        return Outcome(ETreeFileResult::kFailed, L"The file \"" + file + L"\" cannot be read.");
    }
    STreeFile tree;
    tstr problem;
    if (ReadTreeFile(bytes.data(), bytes.size(), tree, problem) != ETreeFileError::kNone)
        return Outcome(ETreeFileResult::kRefused, L"\"" + FileNameOf(file) + L"\" cannot be imported. " + problem);
    bytes = std::vector<std::uint8_t>();

    const tstr pictures = picturesRoot.empty() ? TreePicturesFolder(store.GetAppName()) : picturesRoot;
    if (pictures.empty()) return Outcome(ETreeFileResult::kFailed, L"The folder for the tree's pictures cannot be named.");
    const tstr name = NewTreeName(store, file, pictures);
    const tstr folder = pictures + L"\\" + name;
    std::vector<tstr> written;
    if (!tree.pictures.empty()) {
        ::SHCreateDirectoryExW(nullptr, pictures.c_str(), nullptr);
        if (!::CreateDirectoryW(folder.c_str(), nullptr))
            return Outcome(ETreeFileResult::kFailed, L"The folder \"" + folder + L"\" cannot be created.");
        // Each picture is written, then read back with the program's own loader: a picture that
        // would not show refuses the whole file.
        for (const STreeFilePicture& picture : tree.pictures) {
            const tstr path = folder + L"\\" + picture.name;
            if (!WriteNewFile(path, picture.bytes.data(), picture.bytes.size())) {
                written.push_back(picture.name);
                RemoveFolder(folder, written);
                return Outcome(ETreeFileResult::kFailed, L"The picture \"" + path + L"\" cannot be written.");
            }
            written.push_back(picture.name);
            CBmp check;
            if (!check.LoadFromFile(path.c_str())) {
                RemoveFolder(folder, written);
                return Outcome(ETreeFileResult::kRefused, L"\"" + FileNameOf(file) + L"\" cannot be imported. The picture \"" +
                                                              picture.name + L"\" is not a picture the program can show.");
            }
        }
    }
    PointPicturesAt(tree, folder);

    bool saved = false;
    {
        const CProfileLock lock = LockProfiles(store);
        if (lock.Held() || lock.Unavailable()) {
            CProfileWriter writer(store, L"*import*", tstr(Profiles::kSection) + L"\\" + name,
                                  tstr(Profiles::kPendingSection) + L"\\" + name);
            saved = writer.Save([&] { WriteTreeFileToStore(store, L"*import*", tree); });
        }
    }
    if (!saved) {
        store.DeleteSection(tstr(Profiles::kSection) + L"\\" + name);
        store.DeleteSection(tstr(Profiles::kPendingSection) + L"\\" + name);
        RemoveFolder(folder, written);
        return Outcome(ETreeFileResult::kFailed, L"The new tree \"" + name + L"\" could not be stored.");
    }
    return Outcome(ETreeFileResult::kDone, L"The tree file was imported as the tree \"" + name + L"\".", name);
}
