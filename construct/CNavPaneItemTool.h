// CNavPaneItemTool: a small image button on a navigation pane row or the toolbar. It knows its
// style, state and pictures and draws itself; presses and releases come from its owner.
// SNavToolState: the one pressed tool, hot tool and hot entry of the process. A tool or entry that
// is destroyed clears every one of these that points at it.
#pragma once

#include "construct/INavPaneItem.h"
#include "scene/CBmp.h"

#include <windows.h>

class CNavPaneItem;

class CNavPaneItemTool {
public:
    enum EStyle : unsigned {
        kRadio = 0x02,
        kExpander = 0x04,
        kCheck = 0x08,
        kPush = 0x10,
        kClickable = 0x18,
        kSeparator = 0x20,
        kEdge = 0x40,
        kNoIdleEdge = 0x80,
        kFillBack = 0x100,
    };
    enum EState : unsigned {
        kPressed = 0x01,
        kChecked = 0x02,
        kDisabled = 0x04,
        kHot = 0x08,
        kNoRoom = 0x10,
    };
    // Groups of a picture's state looks.
    enum ELook { kLookNormal = 0, kLookHot = 1, kLookDisabled = 2, kLookPressed = 3 };

    CNavPaneItemTool() noexcept = default;
    CNavPaneItemTool(unsigned style, int commandId) noexcept : m_style(style), m_command(commandId) {}
    virtual ~CNavPaneItemTool();
    CNavPaneItemTool(const CNavPaneItemTool&) = delete;
    CNavPaneItemTool& operator=(const CNavPaneItemTool&) = delete;

    // Copies bmp (with its looks) into picture 0 or 1; other indexes do nothing.
    bool SetToolPicture(const CBmp& bmp, int index);
    // Loads a bitmap resource of module (null: this program) into picture 0 or 1.
    bool LoadToolPicture(HINSTANCE module, int bitmapId, int index);
    // Builds the four state looks of both pictures with a tint (colour reference).
    void BuildLooks(unsigned tint);

    // Background, picture (or the drawn expander / separator) and edge in rect.
    virtual void Draw(HDC dc, const RECT& rect) const;

    // A press marks a clickable, enabled tool pressed and makes it the pressed tool.
    bool Press();
    // Completes a click when this is the pressed tool: clears pressed, toggles or checks, expands,
    // then calls the owner's OnToolCommand (last: the owner may delete this tool). True when a
    // click was completed.
    bool Release();

    bool IsClickable() const noexcept { return (m_style & kClickable) != 0; }
    bool Has(unsigned stateBits) const noexcept { return (m_state & stateBits) != 0; }
    void SetState(unsigned bits, bool on) noexcept { m_state = on ? (m_state | bits) : (m_state & ~bits); }

    unsigned Style() const noexcept { return m_style; }
    void SetStyle(unsigned style) noexcept { m_style = style; }
    unsigned State() const noexcept { return m_state; }
    void SetStateBits(unsigned state) noexcept { m_state = state; }
    int CommandId() const noexcept { return m_command; }
    void SetCommandId(int id) noexcept { m_command = id; }
    int GroupId() const noexcept { return m_group; }
    void SetGroupId(int id) noexcept { m_group = id; }
    int Margin() const noexcept { return m_margin; }
    const CBmp& Picture(int index) const noexcept { return index == 1 ? m_picture1 : m_picture0; }
    INavPaneItem* Owner() const noexcept { return m_owner; }
    void SetOwner(INavPaneItem* owner) noexcept { m_owner = owner; }

private:
    void DrawPicture(HDC dc, const RECT& rect, const CBmp& picture) const;
    void DrawChevrons(HDC dc, const RECT& rect) const;
    void DrawEdgeFor(HDC dc, const RECT& rect) const;

    unsigned m_style = 0;
    unsigned m_state = 0;
    int m_command = 0;
    int m_group = 0;
    int m_margin = 4;
    CBmp m_picture0;
    CBmp m_spare;
    CBmp m_picture1;
    INavPaneItem* m_owner = nullptr;  // the entry or toolbar that owns this tool
};

struct SNavToolState {
    CNavPaneItemTool* pressed = nullptr;  // none of these is owned
    CNavPaneItemTool* hot = nullptr;
    CNavPaneItem* hotItem = nullptr;
    bool needsRepaint = false;

    // Makes tool the hot tool (null: none); the hot bits follow. No change while another tool is
    // pressed. True when anything changed.
    bool SetHot(CNavPaneItemTool* tool);
};

// The process-wide tool state shared by every pane and toolbar.
SNavToolState& NavToolState() noexcept;
