// Arithmetic of the navigation pane and the toolbar that needs no window: where rows and tools sit,
// where a dragged row lands, how far the pane scrolls, and which row the arrow keys reach. Kept
// free of <windows.h> so that it is tested natively.
#pragma once

namespace navpane {

// A vertical or horizontal extent [first, last).
struct SSpan {
    int first;
    int last;
    bool operator==(const SSpan& other) const noexcept { return first == other.first && last == other.last; }
};

// True when the mouse at y lies in the upper half of the row [top, bottom).
inline bool InUpperHalf(int y, int top, int bottom) noexcept { return y < top + (bottom - top) / 2; }

// Whether a row dropped with the mouse at y goes before the target row [top, bottom) in list
// order. On screen it lands above the target when the mouse is in the target's upper half; a
// reversed pane shows the list bottom-up, so there "above" is "after".
inline bool DropBefore(int y, int top, int bottom, bool reversed) noexcept {
    return InUpperHalf(y, top, bottom) != reversed;
}

// The band that marks the drop place (6 pixels at 100 %, half above and half below): centred on
// the target's top edge when the mouse is in its upper half, else on its bottom edge.
inline SSpan DropMarker(int y, int top, int bottom, int half = 3) noexcept {
    const int edge = InUpperHalf(y, top, bottom) ? top : bottom;
    return {edge - half, edge + half};
}

// Top of a block of rows of the given height that starts offset pixels into the list of total
// height. Top-down panes place blocks from the client top; reversed panes stack them upwards from
// total - scroll, so the first block is the lowest and a short list sits at the top.
inline int BlockTop(int offset, int height, int total, int scroll, bool reversed) noexcept {
    return reversed ? total - scroll - offset - height : offset - scroll;
}

// Largest scroll position for a list of total height in a client of the given height.
inline int ScrollMax(int total, int client) noexcept { return total > client ? total - client : 0; }

inline int ClampScroll(int pos, int max) noexcept { return pos < 0 ? 0 : (pos > max ? max : pos); }

// One wheel message: step pixels (30 at 100 %) per whole notch (delta 120), against the wheel's
// direction.
inline int WheelScroll(int pos, int delta, int max, int step = 30) noexcept {
    return ClampScroll(pos + (-delta / 120) * step, max);
}

// Wheel deltas summed into whole notches of 120. A notched wheel sends a notch per message;
// precision touchpads and free-spinning wheels send smaller deltas that only add up to a notch
// over several messages. A turn the other way drops what was left of the old direction.
class CWheelSum {
public:
    // Adds one message's delta; returns the whole notches of the sum (a multiple of 120) and keeps
    // the rest for the next message.
    int Add(int delta) noexcept {
        if ((delta < 0 && m_rest > 0) || (delta > 0 && m_rest < 0)) m_rest = 0;
        m_rest += delta;
        const int whole = m_rest / 120 * 120;
        m_rest -= whole;
        return whole;
    }
    void Reset() noexcept { m_rest = 0; }

private:
    int m_rest = 0;
};

// A page: the client height less 10 pixels of context, at least one pixel.
inline int PageStep(int client) noexcept { return client - 10 > 1 ? client - 10 : 1; }

// An arrow of the scroll bar moves one row: rowHeight, or fallback when there is no row to
// measure; at least one pixel.
inline int LineStep(int rowHeight, int fallback) noexcept {
    const int step = rowHeight > 0 ? rowHeight : fallback;
    return step > 1 ? step : 1;
}

// The position that puts the row [top, bottom), laid out at pos, wholly into a client of the given
// height with the least movement; a row taller than the client shows its top.
inline int ScrollToShow(int pos, int top, int bottom, int client) noexcept {
    if (top < 0 || bottom - top > client) return pos + top;
    if (bottom > client) return pos + bottom - client;
    return pos;
}

// The position after the rows or the client changed, in the new range 0..max. The place is kept,
// clamped; only the first layout of a reversed pane starts at the end of the range, with its first
// rows in view at the bottom. focus is the focused row laid out at pos when it was in view before
// the change (else empty): it is kept wholly in view.
inline int UpdatedScroll(int pos, int max, int client, SSpan focus, bool firstLayout, bool reversed) noexcept {
    const int kept = firstLayout && reversed ? max : ClampScroll(pos, max);
    if (focus.last <= focus.first) return kept;
    const int moved = kept - pos;  // the rows move up by this much
    return ClampScroll(ScrollToShow(kept, focus.first - moved, focus.last - moved, client), max);
}

// The row index count rows away in a list of n rows, wrapping at both ends; -1 when empty.
inline int WrapStep(int index, int step, int n) noexcept {
    if (n <= 0) return -1;
    if (index < 0 || index >= n) return step >= 0 ? 0 : n - 1;
    const int r = (index + step) % n;
    return r < 0 ? r + n : r;
}

// Shift, Ctrl, Alt and the Windows keys, either side: pressed along with other keys, they end
// nothing by themselves.
inline bool IsModifierKey(unsigned long long key) noexcept {
    return (key >= 0x10 && key <= 0x12) || (key >= 0xA0 && key <= 0xA5) || key == 0x5B || key == 0x5C;
}

// The move of the selected items for an arrow key, in 100 % units: one pixel, ten when large.
// key is the system's key code (0x25 left, 0x26 up, 0x27 right, 0x28 down); false for any other.
inline bool ArrowMove(int key, bool large, int& dx, int& dy) noexcept {
    const int step = large ? 10 : 1;
    dx = dy = 0;
    switch (key) {
    case 0x25: dx = -step; return true;
    case 0x26: dy = -step; return true;
    case 0x27: dx = step; return true;
    case 0x28: dy = step; return true;
    default: return false;
    }
}

// One run of toolbar tools laid out from start in direction dir (+1 rightwards, -1 leftwards):
// a tool with room occupies width pixels one pixel away from the running position, and the next
// tool starts at its far edge; a tool without room takes the same place without advancing.
class CToolRun {
public:
    CToolRun(int start, int dir) noexcept : m_pos(start), m_dir(dir < 0 ? -1 : 1) {}
    SSpan Next(int width, bool takesRoom) noexcept {
        const SSpan span = m_dir > 0 ? SSpan{m_pos + 1, m_pos + width} : SSpan{m_pos - width, m_pos - 1};
        if (takesRoom) m_pos = m_dir > 0 ? span.last : span.first;
        return span;
    }
    int Position() const noexcept { return m_pos; }

private:
    int m_pos;
    int m_dir;
};

}  // namespace navpane
