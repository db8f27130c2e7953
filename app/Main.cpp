// The program's entry point: the one application object lives for the whole process. A tree file
// on the command line is imported or exported first (app/TreeFileCommand.h).
#include <windows.h>

#include "app/CWpp.h"
#include "app/CommandLine.h"
#include "app/TreeFileCommand.h"
#include "wnd/ComApartment.h"

namespace {
CWpp theApp;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const CComApartmentScope com;  // left at the very end, after the windows are gone
    const SCommandLine line = ParseCommandLine(ProcessArguments());
    if (line.command == ECommand::kRun) return RunApplication(theApp);
    return RunTreeFileCommand(theApp, line);
}
