#include "param/CParam.h"
#include "param/NumberText.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(NumberText, ParsesLikeTheRuntimeWithSaturation) {
    struct Case {
        const wchar_t* text;
        std::int32_t value;
    };
    const Case cases[] = {
        {L"0", 0},
        {L"123", 123},
        {L"  \t 42", 42},
        {L"+17", 17},
        {L"-17", -17},
        {L"12abc", 12},
        {L"3.9", 3},
        {L"abc", 0},
        {L"", 0},
        {L"-", 0},
        {L"+-5", 0},
        {L"- 5", 0},
        {L"2147483647", 2147483647},
        {L"2147483648", INT32_MAX},
        {L"-2147483648", INT32_MIN},
        {L"-2147483649", INT32_MIN},
        {L"4294967295", INT32_MAX},
        {L"99999999999999999999999", INT32_MAX},
        {L"-99999999999999999999999", INT32_MIN},
        {L"000000000000000000000000012", 12},
        {L"\x0661\x0662", 0},  // digits of other scripts are not decimal digits here
    };
    for (const Case& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << '"' << testing::PrintToString(tstr(c.text)) << '"';
    EXPECT_EQ(ParseDecimal(static_cast<const wchar_t*>(nullptr)), 0);
}

TEST(NumberText, WritesSignedDecimal) {
    EXPECT_EQ(DecimalText(0), L"0");
    EXPECT_EQ(DecimalText(7), L"7");
    EXPECT_EQ(DecimalText(-1), L"-1");
    EXPECT_EQ(DecimalText(INT32_MAX), L"2147483647");
    EXPECT_EQ(DecimalText(INT32_MIN), L"-2147483648");
}

// The storage text of each parameter type, and what a stored text reads back as.
TEST(NumberText, ParameterTextForms) {
    CParam<unsigned int> u;
    tstr text;
    u.FromString(L"-1");
    EXPECT_EQ(u.Get(), 0xFFFFFFFFu);
    EXPECT_EQ(u.ToString(text), L"-1");
    u.FromString(L"4294967295");
    EXPECT_EQ(u.Get(), 0x7FFFFFFFu);
    u.FromString(L"-2147483648");
    EXPECT_EQ(u.Get(), 0x80000000u);
    EXPECT_EQ(u.ToString(text), L"-2147483648");

    CParam<unsigned long> colour;
    colour.FromString(L"-16777216");
    EXPECT_EQ(colour.Get(), 0xFF000000ul);
    EXPECT_EQ(colour.ToString(text), L"-16777216");

    CParam<bool> b;
    for (const wchar_t* t : {L"1", L"2", L"-1", L" 7x"}) {
        b.FromString(L"0");
        b.FromString(t);
        EXPECT_TRUE(b.Get()) << testing::PrintToString(tstr(t));
    }
    for (const wchar_t* t : {L"0", L"", L"yes", L"true"}) {
        b.FromString(L"1");
        b.FromString(t);
        EXPECT_FALSE(b.Get()) << testing::PrintToString(tstr(t));
    }
    b.FromString(L"5");
    EXPECT_EQ(b.ToString(text), L"1");

    CParam<tstr> s;
    EXPECT_EQ(s.Get(), L"0");  // a text parameter never set holds "0"
    s.FromString(L" 12 x");
    EXPECT_EQ(s.ToString(text), L" 12 x");
}
