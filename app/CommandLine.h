// The program's command line: "Pinarbo.exe [FILE]", "/import FILE", "/export FILE", "/silent".
#pragma once

#include "param/Tstr.h"

#include <vector>

enum class ECommand {
    kRun,     // no tree file request: start as usual
    kImport,  // FILE or /import FILE
    kExport,  // /export FILE
    kBad,     // a command line the program does not understand
};

struct SCommandLine {
    ECommand command = ECommand::kRun;
    tstr file;
    bool silent = false;  // "/silent": no message box, the exit code tells (0 done, 2 refused, 1 failed)
    tstr problem;         // what is wrong with a bad command line
};

// args: the arguments after the program's own name. Switches may begin with "/" or "-" and are
// matched without regard to case; "/silent" may stand anywhere.
SCommandLine ParseCommandLine(const std::vector<tstr>& args);
// The arguments of this process after the program's own name.
std::vector<tstr> ProcessArguments();
