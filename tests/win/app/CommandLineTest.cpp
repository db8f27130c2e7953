#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, TreeFileRequestsAndBadLines) {
    struct Case {
        std::vector<tstr> args;
        ECommand command;
        tstr file;
        bool silent;
    } cases[] = {
        {{}, ECommand::kRun, L"", false},
        {{L"/silent"}, ECommand::kRun, L"", true},
        {{L"C:\\a b\\tree.pinarbo"}, ECommand::kImport, L"C:\\a b\\tree.pinarbo", false},
        {{L"/IMPORT", L"x.pinarbo", L"-Silent"}, ECommand::kImport, L"x.pinarbo", true},
        {{L"/silent", L"/export", L"out.pinarbo"}, ECommand::kExport, L"out.pinarbo", true},
        {{L"-export", L"/silent"}, ECommand::kBad, L"", true},  // the file was left out
        {{L"/export"}, ECommand::kBad, L"", false},
        {{L"/import", L""}, ECommand::kBad, L"", false},
        {{L"/bogus", L"/silent"}, ECommand::kBad, L"", true},
        {{L"a.pinarbo", L"b.pinarbo"}, ECommand::kBad, L"", false},
        {{L"/export", L"a", L"/import", L"b"}, ECommand::kBad, L"", false},
    };
    for (const Case& c : cases) {
        const SCommandLine line = ParseCommandLine(c.args);
        const std::string what = c.args.empty() ? "(none)" : std::string(c.args[0].begin(), c.args[0].end());
        EXPECT_EQ(line.command, c.command) << what;
        EXPECT_EQ(line.silent, c.silent) << what;
        if (c.command == ECommand::kBad) {
            EXPECT_FALSE(line.problem.empty()) << what;
        } else {
            EXPECT_EQ(line.file, c.file) << what;
        }
    }
}
