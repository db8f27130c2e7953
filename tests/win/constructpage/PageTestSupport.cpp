#include "PageTestSupport.h"

#include "app/FactoryClasses.h"
#include "scene/CPixSurface.h"
#include "scene/DefaultScene.h"
#include "wnd/CWndFactory.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

// --- the scene host ---

CTestSceneHost::CTestSceneHost() {
    CItem::SetPictureSource(&pictures);
    SetSceneHost(this);
    // Every page of these tests gets the scripted pane (the factory list takes the newest entry).
    RegisterFactoryWindowClasses();
    RegisterWndFactoryOnly<CScriptedItemsPane>(L"KV_NavigatePane");
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&icc);
    newItem.Setup(L"Toy", CItem::kToy, 131, 0, 0, 0, 100, 100, 0, 0);
}

CTestSceneHost::~CTestSceneHost() {
    if (SceneHost() == this) SetSceneHost(nullptr);
    items.Clear();
    CItem::SetPictureSource(nullptr);
}

void CTestSceneHost::BeginSceneChange() {
    ++begins;
    changing = true;
}

void CTestSceneHost::EndSceneChange() {
    ++ends;
    changing = false;
    Compose();
}

void CTestSceneHost::Compose() { ComposeScene(tree, items.Items(), desktop); }

void CTestSceneHost::UseDefaultScene() {
    items.Clear();
    ResetTreeItem(tree);
    tree.LoadPicture();
    tree.Render();
    AddDefaultScene(items);
    for (CItem* item : items) {
        item->LoadPicture();
        item->Render();
    }
    Compose();
}

void CTestSceneHost::UseScene(const std::vector<SItemSpec>& specs) {
    items.Clear();
    ResetTreeItem(tree);
    tree.LoadPicture();
    tree.Render();
    for (const SItemSpec& s : specs) {
        auto* item = new CItem();
        item->Setup(s.caption, s.type, s.resid, 0, 0, s.hue, 100, 100, s.x, s.y);
        item->visible.Set(s.visible ? 1 : 0);
        item->LoadPicture();
        item->Render();
        items.Add(item);
    }
    Compose();
}

// --- scripted settings dialogs ---

std::vector<CScriptedItemsPane::SCall>& CScriptedItemsPane::Calls() {
    static std::vector<SCall> calls;
    return calls;
}
std::wstring& CScriptedItemsPane::NextCaption() {
    static std::wstring caption;
    return caption;
}
int& CScriptedItemsPane::NextHue() {
    static int hue = -1;
    return hue;
}
INT_PTR& CScriptedItemsPane::NextResult() {
    static INT_PTR result = 2;
    return result;
}

INT_PTR CScriptedItemsPane::RunItemDialog(CItemsPaneItem*, CItem* item) {
    Calls().push_back({item, false});
    if (!NextCaption().empty()) item->Caption.Set(NextCaption());
    if (NextHue() >= 0) {
        item->hue.Set(NextHue());
        item->Render();
    }
    return NextResult();
}

INT_PTR CScriptedItemsPane::RunTreeDialog(CItemsPaneItem*, CItem* tree) {
    Calls().push_back({tree, true});
    return NextResult();
}

// --- the page in a window ---

bool& CPageHostWnd::RegisteredFlag() {
    static bool registered = false;
    return registered;
}

SPageFixture::SPageFixture() {
    CScriptedItemsPane::Calls().clear();
    CScriptedItemsPane::NextCaption().clear();
    CScriptedItemsPane::NextHue() = -1;
    CScriptedItemsPane::NextResult() = 2;
}

SPageFixture::~SPageFixture() {
    page.reset();
    host.Destroy();
    PumpMessages(20);
}

bool SPageFixture::Open(int x, int y) {
    if (!host.GetHwnd() &&
        !host.Create(0, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, 600, 420, nullptr, nullptr)) {
        return false;
    }
    page = std::make_unique<CSettingsTreeDlg>();
    if (!page->Create(nullptr, CSettingsTreeDlg::kTemplateId, host.GetHwnd())) return false;
    RECT rc{};
    ::GetWindowRect(page->GetHwnd(), &rc);
    ::SetWindowPos(host.GetHwnd(), nullptr, x, y, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER);
    ::SetWindowPos(page->GetHwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetForegroundWindow(host.GetHwnd());
    PumpMessages(150);
    return page->Pane() != nullptr;
}

void SPageFixture::Close(int command) {
    if (!page) return;
    ::SendMessageW(page->GetHwnd(), WM_COMMAND, static_cast<WPARAM>(command), 0);
    page.reset();
    PumpMessages(30);
}

CItemsPaneItem* SPageFixture::RowOf(const CItem* item) const {
    for (CNavPaneItem* row : page->Pane()->Root().Children()) {
        auto* entry = dynamic_cast<CItemsPaneItem*>(row);
        if (entry && entry->Item() == item) return entry;
    }
    return nullptr;
}

CItemsPaneItem* SPageFixture::RowOf(const std::wstring& caption) const {
    for (CNavPaneItem* row : page->Pane()->Root().Children()) {
        if (row->Caption() == caption) return dynamic_cast<CItemsPaneItem*>(row);
    }
    return nullptr;
}

CItem* SPageFixture::Working(const std::wstring& caption) const {
    for (CItem* item : page->WorkingItems()) {
        if (item->Caption.Get() == caption) return item;
    }
    return nullptr;
}

POINT SPageFixture::CaptionPoint(const CNavPaneItem* row, int dy) const {
    const RECT& r = row->HeaderRect();
    return POINT{(r.left + r.right) / 2 - 10, (r.top + r.bottom) / 2 + dy};
}

POINT SPageFixture::ToolPoint(const CNavPaneItem* row, int command) const {
    auto* entry = const_cast<CNavPaneItem*>(row);
    CCollector<CNavPaneItemTool*>& tools = entry->TrailingTools();
    for (int i = 0; i < tools.Count(); ++i) {
        if (tools.GetAt(i)->CommandId() != command) continue;
        const RECT r = entry->ToolRect(row->HeaderRect(), i, false);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    return POINT{-1, -1};
}

POINT SPageFixture::CanvasPoint(int sceneX, int sceneY) const {
    const RECT canvas = page->CanvasRect();
    return POINT{canvas.left + sceneX, canvas.top + sceneY};
}

std::vector<std::wstring> SPageFixture::RowOrder() const {
    std::vector<std::wstring> out;
    for (const CNavPaneItem* row : page->Pane()->Root().Children()) out.push_back(row->Caption());
    return out;
}

std::vector<std::wstring> SPageFixture::WorkingOrder() const {
    std::vector<std::wstring> out;
    for (const CItem* item : page->WorkingItems()) out.push_back(item->Caption.Get());
    return out;
}

std::vector<std::wstring> SPageFixture::SelectedCaptions() const {
    std::vector<std::wstring> out;
    for (const CNavPaneItem* row : page->Pane()->Selection()) out.push_back(row->Caption());
    return out;
}

unsigned SPageFixture::ScreenPixel(int sceneX, int sceneY) const {
    const POINT p = CanvasPoint(sceneX, sceneY);
    const HDC dc = ::GetDC(PageWnd());
    const COLORREF c = ::GetPixel(dc, p.x, p.y);
    ::ReleaseDC(PageWnd(), dc);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

unsigned SPageFixture::CanvasPixel(int sceneX, int sceneY) const {
    CPixSurface surface;
    if (!page->DrawCanvas(surface)) return 0;
    return surface.PixelAt(sceneX, sceneY);
}

// --- comparisons and input ---

std::wstring Describe(const CItem& item) {
    return item.Caption.Get() + L" type " + std::to_wstring(item.Type()) + L" res " +
           std::to_wstring(item.resid.Get()) + L" at " + std::to_wstring(item.x) + L"," + std::to_wstring(item.y) +
           L" hue " + std::to_wstring(item.hue.Get()) + (item.IsVisible() ? L" shown" : L" hidden");
}

std::vector<std::wstring> Describe(const CColReg<CItem*>& items) {
    std::vector<std::wstring> out;
    for (const CItem* item : items) out.push_back(Describe(*item));
    return out;
}

namespace {
bool SameBmp(const CBmp& a, const CBmp& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.IsEmpty() != b.IsEmpty()) return false;
    return a.IsEmpty() || std::memcmp(a.Bits(), b.Bits(), static_cast<std::size_t>(a.ByteSize())) == 0;
}
}  // namespace

bool SameDesktop(const SComposition& a, const SComposition& b) {
    return a.box.minX == b.box.minX && a.box.minY == b.box.minY && a.box.maxX == b.box.maxX &&
           a.box.maxY == b.box.maxY && SameBmp(a.picture, b.picture) && SameBmp(a.garlands, b.garlands);
}

void CopyDesktop(const SComposition& from, SComposition& to) {
    to.box = from.box;
    to.picture.Free();
    to.picture.CopyFrom(from.picture);
    to.garlands.Free();
    to.garlands.CopyFrom(from.garlands);
}

std::wstring DragScript(HWND from, POINT a, HWND to, POINT b) {
    POINT sa = a, sb = b;
    ::ClientToScreen(from, &sa);
    ::ClientToScreen(to, &sb);
    auto move = [](POINT p) { return L"mousemove " + std::to_wstring(p.x) + L" " + std::to_wstring(p.y) + L" "; };
    const POINT mid{(sa.x + sb.x) / 2, (sa.y + sb.y) / 2};
    return move(sa) + L"sleep 0.15 mousedown 1 sleep 0.1 " + move(POINT{sa.x, sa.y + 1}) + L"sleep 0.05 " + move(mid) +
           L"sleep 0.1 " + move(sb) + L"sleep 0.15 " + move(POINT{sb.x + 1, sb.y}) + L"sleep 0.15 " + move(sb) +
           L"sleep 0.15 mouseup 1 sleep 0.2 ";
}

std::wstring ClickScript(HWND hwnd, POINT client, const wchar_t* extraKeys) {
    std::wstring s = MoveTo(hwnd, client) + L"sleep 0.1 ";
    if (extraKeys) s += std::wstring(L"keydown ") + extraKeys + L" ";
    s += L"click 1 sleep 0.1 ";
    if (extraKeys) s += std::wstring(L"keyup ") + extraKeys + L" ";
    return s + L"sleep 0.1 ";
}
