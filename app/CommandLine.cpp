#include "app/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

namespace {

// The switch's name without its "/" or "-", lower case; empty for an argument that is no switch.
tstr SwitchName(const tstr& arg) {
    if (arg.size() < 2 || (arg[0] != L'/' && arg[0] != L'-')) return tstr();
    tstr name = arg.substr(1);
    for (wchar_t& c : name) c = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    return name;
}

SCommandLine Bad(const tstr& problem, bool silent) {
    SCommandLine line;
    line.command = ECommand::kBad;
    line.problem = problem;
    line.silent = silent;
    return line;
}

}  // namespace

SCommandLine ParseCommandLine(const std::vector<tstr>& args) {
    SCommandLine line;
    for (const tstr& arg : args) line.silent = line.silent || SwitchName(arg) == L"silent";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const tstr name = SwitchName(args[i]);
        if (name == L"silent") continue;
        ECommand command = ECommand::kImport;
        tstr file = args[i];
        if (name == L"import" || name == L"export") {
            if (i + 1 >= args.size() || args[i + 1].empty() || SwitchName(args[i + 1]) == L"silent")
                return Bad(L"The switch \"" + args[i] + L"\" needs the name of a tree file after it.", line.silent);
            command = name == L"import" ? ECommand::kImport : ECommand::kExport;
            file = args[++i];
        } else if (!name.empty()) {
            return Bad(L"The switch \"" + args[i] + L"\" is not known. Use: Pinarbo.exe [/import] FILE, "
                       L"Pinarbo.exe /export FILE, with /silent for no messages.",
                       line.silent);
        }
        if (line.command != ECommand::kRun) return Bad(L"Only one tree file can be imported or exported at a time.", line.silent);
        line.command = command;
        line.file = file;
    }
    return line;
}

std::vector<tstr> ProcessArguments() {
    std::vector<tstr> args;
    // The usual start has nothing after the program's name, which needs no splitting (and so no
    // shell DLLs loaded at start). The name ends at its closing quote, or unquoted at a blank.
    const wchar_t* rest = ::GetCommandLineW();
    if (*rest == L'"') {
        for (++rest; *rest && *rest != L'"'; ++rest) {}
        if (*rest) ++rest;
    } else {
        while (*rest && *rest != L' ' && *rest != L'\t') ++rest;
    }
    while (*rest == L' ' || *rest == L'\t') ++rest;
    if (!*rest) return args;
    int count = 0;
    LPWSTR* list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!list) return args;
    for (int i = 1; i < count; ++i) args.emplace_back(list[i]);
    ::LocalFree(list);
    return args;
}
