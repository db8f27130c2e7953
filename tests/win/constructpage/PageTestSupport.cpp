#include "PageTestSupport.h"

#include "app/FactoryClasses.h"
#include "scene/CPixSurface.h"
#include "scene/DefaultScene.h"
#include "wnd/CWndFactory.h"

#include <commctrl.h>

#include <cstring>

CTestSceneHost::CTestSceneHost() {
    CItem::SetPictureSource(&pictures);
    SetSceneHost(this);
    // Every page here gets the scripted pane: the factory list takes the newest entry.
    RegisterFactoryWindowClasses();
    RegisterWndFactoryOnly<CScriptedItemsPane>(L"KV_NavigatePane");
    // The program does this at start-up; the item dialogs need trackbars and up-downs.
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&icc);
    newItem.Setup(L"Toy", CItem::kToy, 131, 0, 0, 0, 100, 100, 0, 0);
}

CTestSceneHost::~CTestSceneHost() {
    if (SceneHost() == this) SetSceneHost(nullptr);
    items.Clear();
    CItem::SetPictureSource(nullptr);
}

void CTestSceneHost::EndSceneChange() {
    ++ends;
    ComposeScene(tree, items.Items(), desktop, scale);
}

void CTestSceneHost::UseScene(const std::vector<SItemSpec>* specs) {
    items.Clear();
    ResetTreeItem(tree);
    if (!specs) AddDefaultScene(items);
    for (const SItemSpec& s : specs ? *specs : std::vector<SItemSpec>{}) {
        auto* item = new CItem();
        item->Setup(s.caption, s.type, s.resid, 0, 0, s.hue, 100, 100, s.x, s.y);
        item->visible.Set(s.visible ? 1 : 0);
        items.Add(item);
    }
    for (CItem* item : items) {
        item->LoadPicture();
        item->Render();
    }
    tree.LoadPicture();
    tree.Render();
    ComposeScene(tree, items.Items(), desktop, scale);
}

CScriptedItemsPane::SScript& CScriptedItemsPane::Script() {
    static SScript script;
    return script;
}

INT_PTR CScriptedItemsPane::RunItemDialog(CItemsPaneItem* entry, CItem* item) {
    SScript& s = Script();
    if (!s.real && !s.caption.empty()) item->Caption.Set(s.caption);
    if (!s.real && s.edit) s.edit(*item);
    const INT_PTR result = s.real ? CItemsPaneWnd::RunItemDialog(entry, item) : s.result;
    s.calls.push_back({item, false, result});
    return result;
}

INT_PTR CScriptedItemsPane::RunTreeDialog(CItemsPaneItem* entry, CItem* tree) {
    SScript& s = Script();
    if (!s.real && s.edit) s.edit(*tree);
    const INT_PTR result = s.real ? CItemsPaneWnd::RunTreeDialog(entry, tree) : s.result;
    s.calls.push_back({tree, true, result});
    return result;
}

bool& CPageHostWnd::RegisteredFlag() {
    static bool registered = false;
    return registered;
}

SPageFixture::~SPageFixture() {
    page.reset();
    host.Destroy();
    PumpMessages(20);
}

bool SPageFixture::Open() {
    if (!host.GetHwnd() && !host.Create(0, WS_POPUP | WS_VISIBLE, 40, 40, 600, 400, nullptr, nullptr)) return false;
    page = std::make_unique<CSettingsTreeDlg>();
    if (!page->Create(nullptr, CSettingsTreeDlg::kTemplateId, host.GetHwnd())) return false;
    RECT rc{};
    ::GetWindowRect(page->GetHwnd(), &rc);
    ::SetWindowPos(host.GetHwnd(), nullptr, 40, 40, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER);
    ::SetForegroundWindow(host.GetHwnd());
    PumpMessages(150);
    return page->Pane() != nullptr;
}

void SPageFixture::Close(int command) {
    ::SendMessageW(page->GetHwnd(), WM_COMMAND, static_cast<WPARAM>(command), 0);
    page.reset();
    PumpMessages(30);
}

CItemsPaneItem* SPageFixture::RowOf(const CItem* item) const {
    for (CNavPaneItem* row : Pane().Root().Children()) {
        auto* entry = dynamic_cast<CItemsPaneItem*>(row);
        if (entry && entry->Item() == item) return entry;
    }
    return nullptr;
}

CItemsPaneItem* SPageFixture::RowOf(const std::wstring& caption) const {
    for (CNavPaneItem* row : Pane().Root().Children()) {
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

POINT SPageFixture::ToolPoint(CNavPaneItem* row, int command) const {
    for (int i = 0; i < row->TrailingTools().Count(); ++i) {
        if (row->TrailingTools().GetAt(i)->CommandId() != command) continue;
        const RECT r = row->ToolRect(row->HeaderRect(), i, false);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    return POINT{-1, -1};
}

POINT SPageFixture::CanvasPoint(int x, int y) const {
    const RECT canvas = page->CanvasRect();
    const SViewScale scale = page->Scale();
    return POINT{canvas.left + scale.Edge(x), canvas.top + scale.Edge(y)};
}

std::vector<std::wstring> SPageFixture::RowOrder() const {
    std::vector<std::wstring> out;
    for (const CNavPaneItem* row : Pane().Root().Children()) out.push_back(row->Caption());
    return out;
}

std::vector<std::wstring> SPageFixture::WorkingOrder() const {
    std::vector<std::wstring> out;
    for (const CItem* item : page->WorkingItems()) out.push_back(item->Caption.Get());
    return out;
}

std::vector<std::wstring> SPageFixture::SelectedCaptions() const {
    std::vector<std::wstring> out;
    for (const CNavPaneItem* row : Pane().Selection()) out.push_back(row->Caption());
    return out;
}

unsigned SPageFixture::ScreenPixel(int x, int y) const {
    const POINT p = CanvasPoint(x, y);
    const HDC dc = ::GetDC(PageWnd());
    const COLORREF c = ::GetPixel(dc, p.x, p.y);
    ::ReleaseDC(PageWnd(), dc);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

unsigned SPageFixture::CanvasPixel(int x, int y) const {
    CPixSurface surface;
    return page->DrawCanvas(surface) ? surface.PixelAt(x, y) & 0x00FFFFFFu : 0;
}

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

bool SameDesktop(const SComposition& a, const SComposition& b) {
    auto same = [](const CBmp& p, const CBmp& q) {
        return p.Width() == q.Width() && p.Height() == q.Height() &&
               (p.IsEmpty() || std::memcmp(p.Bits(), q.Bits(), static_cast<std::size_t>(p.ByteSize())) == 0);
    };
    return a.box.minX == b.box.minX && a.box.minY == b.box.minY && a.box.maxX == b.box.maxX &&
           a.box.maxY == b.box.maxY && same(a.picture, b.picture) && same(a.garlands, b.garlands);
}

void CopyDesktop(const SComposition& from, SComposition& to) {
    to.box = from.box;
    to.picture.CopyFrom(from.picture);
    to.garlands.CopyFrom(from.garlands);
}

POINT Middle(const CItem* item) {
    return POINT{item->x + item->Rendered().Width() / 2, item->y + item->Rendered().Height() / 2};
}

std::wstring DragScript(HWND window, POINT a, POINT b) {
    auto at = [window](int x, int y) { return MoveTo(window, POINT{x, y}) + L"sleep 0.12 "; };
    return at(a.x, a.y) + L"mousedown 1 sleep 0.1 " + at(a.x, a.y + 1) + at((a.x + b.x) / 2, (a.y + b.y) / 2) +
           at(b.x + 1, b.y) + at(b.x, b.y) + L"mouseup 1 sleep 0.2 ";
}

std::wstring ClickScript(HWND hwnd, POINT client, const wchar_t* keys) {
    const std::wstring k = keys ? keys : L"";
    return MoveTo(hwnd, client) + L"sleep 0.1 " + (keys ? L"keydown " + k + L" " : L"") + L"click 1 sleep 0.1 " +
           (keys ? L"keyup " + k + L" " : L"") + L"sleep 0.1 ";
}
