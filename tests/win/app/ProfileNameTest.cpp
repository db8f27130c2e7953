#include "app/CProfileApp.h"

#include <gtest/gtest.h>

TEST(ProfileName, OnlyNamesThatCanNameTheirOwnSubtreeAreUsed) {
    struct Case {
        tstr name;
        bool usable;
    } cases[] = {
        {L"Default", true},
        {L"Living room", true},
        {L"nested\\profile", false},
        {L"Default\\Items", false},
        {L"", false},
        {L"\\", false},
        {L"\\\\\\", false},
        {L"lead\\", false},
        {L"\\trail", false},
        {L"a\\\\b", false},
        {tstr(255, L'x'), true},
        {tstr(256, L'x'), false},
        {L"ok\\" + tstr(256, L'y'), false},
        {L"a.b c-d_(1)", true},
    };
    for (const Case& c : cases) EXPECT_EQ(Profiles::IsUsableName(c.name), c.usable) << c.name.size();
}
