// Helpers of the construction page tests: a scene host with its own scene that counts the scene
// changes and composes the desktop picture as the program does, a window that holds the page
// where the settings dialog will, an items pane whose settings dialogs can be scripted, and
// xdotool scripts for real input.
#pragma once

#include "construct/CItemsPaneWnd.h"
#include "construct/CSettingsTreeDlg.h"
#include "construct/ISceneHost.h"
#include "scene/win/CResourcePictureSource.h"
#include "view/ComposeScene.h"

#include "../wnd/Pump.h"
#include "XInput.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct SItemSpec {
    const wchar_t* caption;
    int type;
    unsigned resid;
    int x, y, hue;
    bool visible = true;
};

class CTestSceneHost : public ISceneHost {
public:
    CTestSceneHost();
    ~CTestSceneHost() override;
    CItem& SceneTree() override { return tree; }
    CColReg<CItem*>& SceneItems() override { return items; }
    CItem& NewItemTemplate() override { return newItem; }
    CParam<unsigned int>& ItemDialogSide() override { return side; }
    unsigned long ToolTint() override { return 0xFF337733UL; }
    void BeginSceneChange() override { ++begins; }
    void EndSceneChange() override;  // composes the desktop picture at scale
    void ImportTreeFiles(const std::vector<tstr>& files) override { treeFiles = files; }

    // The default tree with the default scene, or with these items; pictures ready, composed.
    void UseScene(const std::vector<SItemSpec>* specs);

    CResourcePictureSource pictures;
    CItem tree;
    CColReg<CItem*> items;
    CItem newItem;
    CParam<unsigned int> side;
    SComposition desktop;
    SViewScale scale;  // the desktop's display scale (100 % unless a test sets another)
    int begins = 0;
    int ends = 0;
    std::vector<tstr> treeFiles;  // the tree files the page handed over
};

// Settings dialogs that answer as the script says (or, with real set, the program's own).
class CScriptedItemsPane : public CItemsPaneWnd {
public:
    struct SCall {
        CItem* item;
        bool tree;
        INT_PTR result;
    };
    struct SScript {
        std::wstring caption;  // set on the item before answering, unless empty
        INT_PTR result = 2;
        bool real = false;
        std::vector<SCall> calls;
        std::function<void(CItem&)> edit;  // what the dialog changes before answering, if set
    };
    static SScript& Script();
    INT_PTR RunItemDialog(CItemsPaneItem* entry, CItem* item) override;
    INT_PTR RunTreeDialog(CItemsPaneItem* entry, CItem* tree) override;
};

class CPageHostWnd : public CWnd {
public:
    bool& RegisteredFlag() override;
    const wchar_t* GetWndClassName() const override { return L"PinarboPageTestHost"; }
};

struct SPageFixture {
    CTestSceneHost scene;
    CPageHostWnd host;
    std::unique_ptr<CSettingsTreeDlg> page;

    SPageFixture() { CScriptedItemsPane::Script() = {}; }
    ~SPageFixture();
    // Opens a page on the scene in a window at screen (40, 40).
    bool Open();
    // Sends OK (1) or Cancel (2) as the settings dialog does, then destroys the page.
    void Close(int command);

    CItemsPaneWnd& Pane() const { return *page->Pane(); }
    HWND PageWnd() const { return page->GetHwnd(); }
    HWND PaneWnd() const { return page->Pane()->GetHwnd(); }
    CItemsPaneItem* RowOf(const CItem* item) const;
    CItemsPaneItem* RowOf(const std::wstring& caption) const;
    CItem* Working(const std::wstring& caption) const;
    // Pane client points: a row's caption (shifted by dy), a row's trailing tool.
    POINT CaptionPoint(const CNavPaneItem* row, int dy = 0) const;
    POINT ToolPoint(CNavPaneItem* row, int command) const;
    // Page client point of a scene point (at the page's scale).
    POINT CanvasPoint(int x, int y) const;
    std::vector<std::wstring> RowOrder() const;
    std::vector<std::wstring> WorkingOrder() const;
    std::vector<std::wstring> SelectedCaptions() const;
    // A canvas pixel (0x00RRGGBB) at a scene point: as the page shows it, and as it draws it.
    unsigned ScreenPixel(int x, int y) const;
    unsigned CanvasPixel(int x, int y) const;
};

std::vector<std::wstring> Describe(const CColReg<CItem*>& items);
std::wstring Describe(const CItem& item);
bool SameDesktop(const SComposition& a, const SComposition& b);
void CopyDesktop(const SComposition& from, SComposition& to);
// The middle of an item's picture in scene coordinates.
POINT Middle(const CItem* item);

// Press, move in steps, release; a click with keys held (xdotool key names).
std::wstring DragScript(HWND window, POINT from, POINT to);
std::wstring ClickScript(HWND hwnd, POINT client, const wchar_t* keys = nullptr);
