// Helpers of the construction page tests: a scene host with its own scene that counts the
// desktop's scene changes and composes the desktop picture as the program does, a window that
// holds the page where the settings dialog will, an items pane whose settings dialogs are
// scripted, and real input through xdotool.
#pragma once

#include "construct/CItemsPaneWnd.h"
#include "construct/CSettingsTreeDlg.h"
#include "construct/ISceneHost.h"
#include "scene/CColReg.h"
#include "scene/CItem.h"
#include "scene/win/CResourcePictureSource.h"
#include "view/ComposeScene.h"
#include "wnd/CWnd.h"

#include "../wnd/Pump.h"
#include "XInput.h"

#include <memory>
#include <string>
#include <vector>

// One item as the tests describe it.
struct SItemSpec {
    const wchar_t* caption;
    int type;
    unsigned resid;
    int x, y;
    int hue = 0;
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
    void BeginSceneChange() override;
    // Composes the desktop picture from the scene, as the program does after a change.
    void EndSceneChange() override;

    // The default tree and scene, or the tree with the given items; pictures ready, composed.
    void UseDefaultScene();
    void UseScene(const std::vector<SItemSpec>& specs);
    void Compose();

    CResourcePictureSource pictures;
    CItem tree;
    CColReg<CItem*> items;
    CItem newItem;
    CParam<unsigned int> side;
    SComposition desktop;  // what the desktop shows
    int begins = 0;
    int ends = 0;
    bool changing = false;
};

// Settings dialogs that answer as a script says instead of waiting for the user.
class CScriptedItemsPane : public CItemsPaneWnd {
public:
    INT_PTR RunItemDialog(CItemsPaneItem* entry, CItem* item) override;
    INT_PTR RunTreeDialog(CItemsPaneItem* entry, CItem* tree) override;

    struct SCall {
        CItem* item;
        bool tree;
    };
    static std::vector<SCall>& Calls();
    // What the item dialog does before it answers: sets this caption (unless empty) and hue
    // (unless negative), then answers the result.
    static std::wstring& NextCaption();
    static int& NextHue();
    static INT_PTR& NextResult();
};

// A plain top-level window that holds the page, as the settings dialog's tab will.
class CPageHostWnd : public CWnd {
public:
    bool& RegisteredFlag() override;
    const wchar_t* GetWndClassName() const override { return L"PinarboPageTestHost"; }
};

struct SPageFixture {
    CTestSceneHost scene;
    CPageHostWnd host;
    std::unique_ptr<CSettingsTreeDlg> page;

    SPageFixture();
    ~SPageFixture();
    // Opens a page on the scene; the host window at screen (x, y).
    bool Open(int x = 40, int y = 40);
    // Closes the page as the settings dialog would after OK (1) or Cancel (2), and destroys it.
    void Close(int command);

    CItemsPaneWnd& Pane() const { return *page->Pane(); }
    HWND PageWnd() const { return page->GetHwnd(); }
    HWND PaneWnd() const { return page->Pane()->GetHwnd(); }
    // The row of a working item (or the tree), or null.
    CItemsPaneItem* RowOf(const CItem* item) const;
    CItemsPaneItem* RowOf(const std::wstring& caption) const;
    // The working item with the caption, or null.
    CItem* Working(const std::wstring& caption) const;
    // Client point of the pane in the middle of a row's caption, shifted by dy.
    POINT CaptionPoint(const CNavPaneItem* row, int dy = 0) const;
    // Client point of the pane in the middle of a row's tool.
    POINT ToolPoint(const CNavPaneItem* row, int command) const;
    // Page client point of a scene point (the canvas origin is the scene's).
    POINT CanvasPoint(int sceneX, int sceneY) const;
    // Captions in pane list order (bottom row first).
    std::vector<std::wstring> RowOrder() const;
    std::vector<std::wstring> WorkingOrder() const;
    std::vector<std::wstring> SelectedCaptions() const;
    // The canvas pixel at a scene point as painted on the page (0x00RRGGBB).
    unsigned ScreenPixel(int sceneX, int sceneY) const;
    // The same pixel as the page draws it into a buffer (0xAARRGGBB).
    unsigned CanvasPixel(int sceneX, int sceneY) const;
};

// Captions, types, resource ids, positions and visibility of a collection, for comparisons.
std::vector<std::wstring> Describe(const CColReg<CItem*>& items);
std::wstring Describe(const CItem& item);
// Whether two desktop pictures are the same box and pixels.
bool SameDesktop(const SComposition& a, const SComposition& b);
void CopyDesktop(const SComposition& from, SComposition& to);

// xdotool helpers: a press-drag-release with intermediate moves, and a click.
std::wstring DragScript(HWND from, POINT a, HWND to, POINT b);
std::wstring ClickScript(HWND hwnd, POINT client, const wchar_t* extraKeys = nullptr);
