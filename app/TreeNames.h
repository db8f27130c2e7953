// Names of stored trees (profiles): what a new name must be, and the name a copy is offered.
// A tree's name is one registry key name and also the name of its picture folder, so it must be a
// plain, safe file name as well.
#pragma once

#include "param/Tstr.h"

#include <vector>

enum class ETreeNameProblem { None, Empty, TooLong, BadCharacter, Reserved, Taken };

constexpr std::size_t kMaxTreeName = 64;

// The name as the user typed it, without blanks at either end.
tstr TrimmedTreeName(const tstr& typed);
// What is wrong with `name` (already trimmed) as the name of a new tree beside `existing`
// (compared without regard to case): empty, over 64 characters, a character a file name cannot
// hold (\ / : * ? " < > | or a control character), a device name (CON, NUL, COM1...) or one
// ending in a dot, or taken.
ETreeNameProblem CheckTreeName(const tstr& name, const std::vector<tstr>& existing);
// `base`, or "base (2)", "base (3)"... whichever no existing tree has; cut so that it fits.
tstr UniqueTreeName(const tstr& base, const std::vector<tstr>& existing);
