// ParamValue<T>: how each parameter value type is parsed from and written to its storage text,
// its initial value, its list terminator and its order for stepping.
#pragma once

#include "param/NumberText.h"
#include "param/Tstr.h"

#include <cstdint>

template <class T>
struct ParamValue;

// 32-bit numbers: base-10 text; unsigned ones travel as the signed "%d" form of their bits.
template <class T>
struct ParamNumberValue {
    static T Parse(const tstr& text) { return static_cast<T>(static_cast<std::uint32_t>(ParseDecimal(text))); }
    static tstr Text(const T& v) { return DecimalText(static_cast<std::int32_t>(static_cast<std::uint32_t>(v))); }
    static std::int32_t Stored(const T& v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }
    static T Initial() { return T(0); }
    static T Terminator() { return static_cast<T>(-1); }
};

template <>
struct ParamValue<int> : ParamNumberValue<int> {
    static int Parse(const tstr& text) { return ParseDecimal(text); }
};
template <>
struct ParamValue<unsigned int> : ParamNumberValue<unsigned int> {};
template <>
struct ParamValue<unsigned long> : ParamNumberValue<unsigned long> {};

template <>
struct ParamValue<bool> {
    static bool Parse(const tstr& text) { return ParseDecimal(text) != 0; }
    static tstr Text(bool v) { return v ? L"1" : L"0"; }
    static std::int32_t Stored(bool v) { return v ? 1 : 0; }
    static bool Initial() { return false; }
    static bool Terminator() { return true; }
};

template <>
struct ParamValue<tstr> {
    static tstr Parse(const tstr& text) { return text; }
    static tstr Text(const tstr& v) { return v; }
    // The initial text is the string form of the number 0.
    static tstr Initial() { return L"0"; }
    static tstr Terminator() { return L"-1"; }
};
