// The program's entry point: the one application object lives for the whole process.
#include <windows.h>

#include "app/CWpp.h"

namespace {
CWpp theApp;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunApplication(theApp); }
