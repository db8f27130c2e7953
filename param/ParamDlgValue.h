// ParamDlgValue<T>: how a dialog binding of value type T turns the parameter's value into what a
// control shows and back. Controls deal in 32-bit numbers (check state, thumb position, hot key,
// colour, item data, radio position or property) and texts (edit, combo item text).
//   numbers: shown as their "%d" form; unsigned ones travel as their bit pattern.
//   bool:    shown as 0 or 1; a number reads as true when it is not 0; item data, positions and
//            properties are compared after being taken as true or false.
//   tstr:    an edit and a combo item text show and read the text unchanged; numbers are the
//            value parsed in base 10 and are stored back as their "%d" text.
#pragma once

#include "param/NumberText.h"
#include "param/Tstr.h"

#include <cstdint>
#include <optional>

template <class T>
struct ParamDlgValue {
    static std::int32_t Number(const T& v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }
    static T FromNumber(std::int32_t n) { return static_cast<T>(static_cast<std::uint32_t>(n)); }
    static tstr EditText(const T& v) { return DecimalText(Number(v)); }
    // Nothing while the text is not a number yet: the value stays as it is.
    static std::optional<T> FromEditText(const tstr& text) {
        const std::optional<std::int32_t> n = ParseEnteredDecimal(text);
        if (!n) return std::nullopt;
        return FromNumber(*n);
    }
    // Item data, radio position or radio property n stands for v.
    static bool Matches(const T& v, std::int32_t n) { return Number(v) == n; }
    // A combo item's text stands for v.
    static bool MatchesText(const T& v, const tstr& text) { return Number(v) == ParseDecimal(text); }
    static T FromText(const tstr& text) { return FromNumber(ParseDecimal(text)); }
};

template <>
struct ParamDlgValue<int> {
    static std::int32_t Number(int v) { return v; }
    static int FromNumber(std::int32_t n) { return n; }
    static tstr EditText(int v) { return DecimalText(v); }
    static std::optional<int> FromEditText(const tstr& text) { return ParseEnteredDecimal(text); }
    static bool Matches(int v, std::int32_t n) { return v == n; }
    static bool MatchesText(int v, const tstr& text) { return v == ParseDecimal(text); }
    static int FromText(const tstr& text) { return ParseDecimal(text); }
};

template <>
struct ParamDlgValue<bool> {
    static std::int32_t Number(bool v) { return v ? 1 : 0; }
    static bool FromNumber(std::int32_t n) { return n != 0; }
    static tstr EditText(bool v) { return v ? L"1" : L"0"; }
    static std::optional<bool> FromEditText(const tstr& text) {
        const std::optional<std::int32_t> n = ParseEnteredDecimal(text);
        if (!n) return std::nullopt;
        return *n != 0;
    }
    static bool Matches(bool v, std::int32_t n) { return v == (n != 0); }
    static bool MatchesText(bool v, const tstr& text) { return v == (ParseDecimal(text) != 0); }
    static bool FromText(const tstr& text) { return ParseDecimal(text) != 0; }
};

template <>
struct ParamDlgValue<tstr> {
    static std::int32_t Number(const tstr& v) { return ParseDecimal(v); }
    static tstr FromNumber(std::int32_t n) { return DecimalText(n); }
    static tstr EditText(const tstr& v) { return v; }
    static std::optional<tstr> FromEditText(const tstr& text) { return text; }
    static bool Matches(const tstr& v, std::int32_t n) { return v == DecimalText(n); }
    static bool MatchesText(const tstr& v, const tstr& text) { return v == text; }
    static tstr FromText(const tstr& text) { return text; }
};
