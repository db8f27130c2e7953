// Helpers of the navigation pane and toolbar tests: a host window that records the commands it
// is posted, a parent sink that records what the pane tells it, a pane filled with rows, and real
// input through xdotool (a Unix program Wine starts directly).
#pragma once

#include "construct/CNavPaneWnd.h"
#include "construct/CToolBarWnd.h"
#include "../wnd/Pump.h"
#include "XInput.h"

#include <string>
#include <utility>
#include <vector>

inline void Pump(DWORD ms) { PumpMessages(ms); }

class CHostWnd : public CWnd {
public:
    bool& RegisteredFlag() override;
    const wchar_t* GetWndClassName() const override { return L"PinarboNavPaneTestHost"; }
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(WPARAM keys, int x, int y) override;
    // A borderless top-level window at (x, y) of w x h, shown and in front.
    bool CreateHost(int x, int y, int w, int h);
    std::vector<int> commands;
    int clicks = 0;
};

struct SHotChange {
    CNavPaneItem* hot;
    CNavPaneItem* previous;
};

class CRecordingParent : public CNavPaneWndParent {
public:
    int OnItemCommand(int commandId, CNavPaneItem* item) override;
    int OnHotItemChanged(CNavPaneItem* hot, CNavPaneItem* previous) override;
    int OnItemDrop(CNavPaneItem* target, CNavPaneItem* source, bool before) override;
    std::vector<std::pair<int, CNavPaneItem*>> commands;
    std::vector<SHotChange> hotChanges;
    int drops = 0;
    // Runs inside OnItemDrop when set: a test deletes rows there.
    void (*onDrop)(CNavPaneItem* target, CNavPaneItem* source, void* context) = nullptr;
    void* dropContext = nullptr;
};

// A host with a pane of rows named "Row 0".."Row n-1", each with a trailing check tool (the eye)
// and a push tool, at screen (x, y).
struct SPaneFixture {
    CHostWnd host;
    CNavPaneWnd pane;
    CRecordingParent parent;
    std::vector<CNavPaneItem*> rows;  // in the order added (owned by the pane)

    bool Create(int rowCount, bool reversed, int x = 100, int y = 100, int w = 240, int h = 200);
    CNavPaneItem* AddRow(const std::wstring& caption);
    // The captions in list order.
    std::vector<std::wstring> Order() const;
    // Client point at the middle of a row, shifted by dy.
    POINT RowPoint(const CNavPaneItem* row, int dy = 0) const;
    std::vector<std::wstring> SelectedCaptions() const;
};

// The program's tool tint, also used for the test tools' looks.
inline constexpr unsigned kToolTint = 0xFF337733u;
