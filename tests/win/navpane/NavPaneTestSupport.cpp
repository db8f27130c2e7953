#include "NavPaneTestSupport.h"

#include "resource.h"

#include <cstdio>

bool& CHostWnd::RegisteredFlag() {
    static bool registered = false;
    return registered;
}

LRESULT CHostWnd::OnCommand(WPARAM wParam, LPARAM) {
    commands.push_back(static_cast<int>(LOWORD(wParam)));
    return 0;
}

void CHostWnd::OnLButtonDown(WPARAM, int, int) { ++clicks; }

bool CHostWnd::CreateHost(int x, int y, int w, int h) {
    if (!Create(0, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, w, h, nullptr, nullptr)) return false;
    ::SetForegroundWindow(m_hwnd);
    return true;
}

int CRecordingParent::OnItemCommand(int commandId, CNavPaneItem* item) {
    commands.emplace_back(commandId, item);
    return 0;
}

int CRecordingParent::OnHotItemChanged(CNavPaneItem* hot, CNavPaneItem* previous) {
    hotChanges.push_back({hot, previous});
    return 0;
}

int CRecordingParent::OnItemDrop(CNavPaneItem* target, CNavPaneItem* source, bool) {
    ++drops;
    if (onDrop) onDrop(target, source, dropContext);
    return 0;
}

bool SPaneFixture::Create(int rowCount, bool reversed, int x, int y, int w, int h) {
    if (!host.CreateHost(x, y, w + 20, h + 20)) return false;
    pane.SetReversed(reversed);
    if (!pane.Create(0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, w, h, host.GetHwnd(),
                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(1005)))) {
        return false;
    }
    pane.SetPaneParent(&parent);
    for (int i = 0; i < rowCount; ++i) AddRow(L"Row " + std::to_wstring(i));
    Pump(50);
    return true;
}

CNavPaneItem* SPaneFixture::AddRow(const std::wstring& caption) {
    auto* row = new CNavPaneItem(caption);
    row->SetHeights(30, 22);
    auto* eye = new CNavPaneItemTool(CNavPaneItemTool::kCheck | CNavPaneItemTool::kEdge, 1009);
    eye->LoadToolPicture(nullptr, IDB_EYE_CLOSED, 0);
    eye->LoadToolPicture(nullptr, IDB_EYE_OPEN, 1);
    eye->BuildLooks(kToolTint);
    auto* gear = new CNavPaneItemTool(CNavPaneItemTool::kPush, 1002);
    gear->LoadToolPicture(nullptr, IDB_TOOL_GEAR, 0);
    gear->BuildLooks(kToolTint);
    row->AddTool(gear, false);
    row->AddTool(eye, false);
    pane.AddItem(row);
    rows.push_back(row);
    return row;
}

std::vector<std::wstring> SPaneFixture::Order() const {
    std::vector<std::wstring> out;
    for (const CNavPaneItem* child : const_cast<CNavPaneWnd&>(pane).Root().Children()) out.push_back(child->Caption());
    return out;
}

POINT SPaneFixture::RowPoint(const CNavPaneItem* row, int dy) const {
    const RECT& r = row->HeaderRect();
    return POINT{(r.left + r.right) / 2 - 30, (r.top + r.bottom) / 2 + dy};
}

std::vector<std::wstring> SPaneFixture::SelectedCaptions() const {
    std::vector<std::wstring> out;
    for (const CNavPaneItem* item : pane.Selection()) out.push_back(item->Caption());
    return out;
}
