#include "app/TreeFileCommand.h"

#include "app/CWpp.h"

namespace {

constexpr DWORD kHandOverWaitMs = 5 * 60 * 1000;  // an import of the largest file, with its pictures

void Tell(const CWpp& app, const SCommandLine& line, const tstr& text, ETreeFileResult result) {
    if (line.silent || text.empty()) return;
    const UINT icon = result == ETreeFileResult::kDone ? MB_ICONINFORMATION
                      : result == ETreeFileResult::kRefused ? MB_ICONWARNING : MB_ICONERROR;
    ::MessageBoxW(nullptr, text.c_str(), app.DisplayName().c_str(), MB_OK | icon | MB_SETFOREGROUND);
}

}  // namespace

int TreeFileExitCode(ETreeFileResult result) {
    switch (result) {
    case ETreeFileResult::kDone: return 0;
    case ETreeFileResult::kRefused: return 2;
    case ETreeFileResult::kFailed: return 1;
    }
    return 1;
}

int RunTreeFileCommand(CWpp& app, const SCommandLine& line) {
    if (line.command == ECommand::kBad) {
        Tell(app, line, line.problem, ETreeFileResult::kRefused);
        return TreeFileExitCode(ETreeFileResult::kRefused);
    }
    // The running copy has a working folder of its own: it gets the full path.
    std::vector<wchar_t> full(32768);
    const DWORD length = ::GetFullPathNameW(line.file.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size()) {
        Tell(app, line, L"\"" + line.file + L"\" is not a file name.", ETreeFileResult::kRefused);
        return TreeFileExitCode(ETreeFileResult::kRefused);
    }
    const tstr file(full.data(), length);

    if (const HWND other = app.FindOtherInstance()) {
        const ULONG_PTR what = (line.command == ECommand::kExport ? TreeFileHandOver::kExport : TreeFileHandOver::kImport) |
                               (line.silent ? TreeFileHandOver::kSilent : 0);
        COPYDATASTRUCT data{what, static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t)), const_cast<wchar_t*>(file.c_str())};
        DWORD pid = 0;
        ::GetWindowThreadProcessId(other, &pid);
        ::AllowSetForegroundWindow(pid);  // its note may come forward
        DWORD_PTR answer = 0;
        if (::SendMessageTimeoutW(other, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                  kHandOverWaitMs, &answer) &&
            answer >= static_cast<DWORD_PTR>(TreeFileHandOver::kAnswer) &&
            answer <= static_cast<DWORD_PTR>(TreeFileHandOver::kAnswer + 2))
            return static_cast<int>(answer - static_cast<DWORD_PTR>(TreeFileHandOver::kAnswer));
        Tell(app, line, L"The running " + app.DisplayName() + L" did not take the request.", ETreeFileResult::kFailed);
        return TreeFileExitCode(ETreeFileResult::kFailed);
    }

    CSettingsStore& store = app.Store();
    if (line.command == ECommand::kExport) {
        tstr profile;
        if (!store.ReadString(Profiles::kSection, Profiles::kValue, profile) || !Profiles::IsUsableName(profile))
            profile = Profiles::kDefault;
        const STreeFileOutcome out = ExportTreeFile(store, profile, file);
        Tell(app, line, out.message, out.result);
        return TreeFileExitCode(out.result);
    }
    const STreeFileOutcome out = ImportTreeFile(store, file);
    if (out.result != ETreeFileResult::kDone) {
        Tell(app, line, out.message, out.result);  // a refused import starts nothing
        return TreeFileExitCode(out.result);
    }
    // The program starts on the new tree, which is the stored current one from now on.
    store.WriteString(Profiles::kSection, Profiles::kValue, out.tree);
    app.m_profile = out.tree;
    return RunApplication(app);
}
