// The notification-area icon's tip text.
#pragma once

#include "param/Tstr.h"

namespace TrayTip {

constexpr size_t kMaxTip = 127;       // characters the shell keeps of a tip
constexpr size_t kMaxBalloon = 255;   // characters the shell keeps of a balloon text
constexpr size_t kCallerCut = 60;     // a caller's text longer than this is cut and ends in "..."

// Without a caller text: the display name and "<version> ver." on a second line. With one: that
// text, cut to its first 60 characters followed by "..." when longer. A note (a problem the user
// should know of) follows on a line of its own, cut where the tip ends. Never longer than kMaxTip.
tstr Build(const tstr& displayName, const tstr& version, const wchar_t* callerText, const tstr& note = tstr());

}  // namespace TrayTip
