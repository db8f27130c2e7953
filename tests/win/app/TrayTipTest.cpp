#include "app/TrayTip.h"

#include <gtest/gtest.h>

TEST(TrayTip, StandardTipNamesTheProgramAndItsVersion) {
    EXPECT_EQ(TrayTip::Build(L"Pinarbo", L"1.0.0.0", nullptr), L"Pinarbo\n1.0.0.0 ver.");
    EXPECT_EQ(TrayTip::Build(L"Pinarbo", L"", nullptr), L"Pinarbo\n ver.");
}

TEST(TrayTip, CallerTextIsCutAfterSixtyCharacters) {
    const tstr sixty(60, L'a');
    struct Case {
        tstr text, expected;
    } cases[] = {
        {L"", L""},
        {L"short", L"short"},
        {sixty, sixty},
        {sixty + L"b", sixty + L"..."},
        {tstr(500, L'c'), tstr(60, L'c') + L"..."},
    };
    for (const Case& c : cases) EXPECT_EQ(TrayTip::Build(L"Pinarbo", L"1.0", c.text.c_str()), c.expected) << c.text.size();
}

TEST(TrayTip, LongNamesNeverOverflowTheShellsTipField) {
    const tstr tip = TrayTip::Build(tstr(200, L'n'), tstr(200, L'v'), nullptr);
    EXPECT_EQ(tip.size(), TrayTip::kMaxTip);
}

TEST(TrayTip, NoteFollowsOnItsOwnLineWithinTheShellsField) {
    EXPECT_EQ(TrayTip::Build(L"Pinarbo", L"1.0", nullptr, L"hotkey taken"), L"Pinarbo\n1.0 ver.\nhotkey taken");
    EXPECT_EQ(TrayTip::Build(L"Pinarbo", L"1.0", L"text", L"hotkey taken"), L"text\nhotkey taken");
    const tstr tip = TrayTip::Build(L"Pinarbo", L"1.0", tstr(100, L'c').c_str(), tstr(100, L'n'));
    EXPECT_EQ(tip.size(), TrayTip::kMaxTip);
    EXPECT_EQ(tip.substr(0, 64), tstr(60, L'c') + L"...\n") << "the caller's text is cut first, then the note";
}
