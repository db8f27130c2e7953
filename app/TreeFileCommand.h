// Tree file requests from the command line ("Pinarbo.exe FILE", "/import FILE", "/export FILE",
// "/silent"): handed to the running copy when there is one, else carried out by this process.
#pragma once

#include <windows.h>

#include "app/CMainDlg.h"
#include "app/CommandLine.h"
#include "app/TreeFiles.h"

class CWpp;

// The hand-over: WM_COPYDATA to the running copy's main dialog with dwData kImport or kExport
// (plus kSilent) and the file's full path as UTF-16 text with its null; the answer is kAnswer plus
// the exit code. Any other answer means the running copy did not take the request.
namespace TreeFileHandOver {
inline constexpr ULONG_PTR kImport = 0x50540001;
inline constexpr ULONG_PTR kExport = 0x50540002;
inline constexpr ULONG_PTR kSilent = 0x100;
inline constexpr LRESULT kAnswer = 0x5054A000;
static_assert(kImport == CMainDlg::kDropImport, "a dropped file is imported as a handed-over one");
}  // namespace TreeFileHandOver

// 0 done, 2 refused, 1 failed.
int TreeFileExitCode(ETreeFileResult result);

// Carries out a request of this process's command line; answers the exit code. An import done
// here (no copy running) starts the program on the new tree and answers the program's own code.
int RunTreeFileCommand(CWpp& app, const SCommandLine& line);
