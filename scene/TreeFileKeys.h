// What a tree file carries of a profile: the items in order, the tree, and the view's opacity and
// size, blink and garland options. Everything else below the profile (the tree's own monitor and
// place there, the view's pause and capture choices of this PC) and everything outside it (the
// program-wide options, other windows) stays on the PC it was made on.
#pragma once

#include "param/Tstr.h"

#include <cstddef>
#include <vector>

enum class ECarriedKind {
    kNumber,  // a decimal integer, as the store writes numbers
    kText,    // any one-line text
    kBinary,  // a structure: hexadecimal bytes and a byte-sum checksum byte, as the file backend writes it
};

struct SCarriedKey {
    const wchar_t* name;
    ECarriedKind kind;
};

inline constexpr int kMaxTreeFileItems = 1000;
inline constexpr wchar_t kTreeItemSection[] = L"Items\\Tree";

// "Items\000", "Items\001"... for the n-th item.
tstr TreeFileItemSection(int n);
// The item number of an item section, or -1 for any other name.
int TreeFileItemNumber(const tstr& section);
// The option sections carried, in the order they are written.
const std::vector<tstr>& CarriedOptionSections();
// The keys carried in a section (relative to the profile), in the order they are written; empty
// when the section is not carried.
const std::vector<SCarriedKey>& CarriedKeys(const tstr& section);
// Whether text is a valid value of that kind (texts: at most kMaxCarriedText characters).
bool IsCarriedValue(ECarriedKind kind, const tstr& text);
inline constexpr std::size_t kMaxCarriedText = 1024;
