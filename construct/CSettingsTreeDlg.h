// CSettingsTreeDlg: the "XMas Tree" page of the settings dialog, where the user builds the scene.
// A canvas shows the tree and its items, the items pane lists them as layers, the toolbar adds
// and deletes items. The page edits working copies of the application's scene; "Apply changes
// to desktop" and OK copy them into the scene, Cancel puts back the copies saved when the page
// opened (and redraws the desktop when an Apply had changed it).
#pragma once

#include "construct/CCanvasKeysWnd.h"
#include "construct/CCanvasPictures.h"
#include "construct/CItemsPaneItem.h"
#include "construct/CNavPaneWndParent.h"
#include "param/Tstr.h"
#include "scene/CBmp.h"
#include "scene/CColReg.h"
#include "scene/CItem.h"
#include "scene/EditHistory.h"
#include "scene/SceneSettings.h"
#include "view/ViewScale.h"
#include "wnd/CDialog.h"
#include "wnd/Handles.h"

#include <vector>

class CItemsPaneWnd;
class CPixSurface;

class CSettingsTreeDlg : public CDialog, public CNavPaneWndParent {
public:
    static constexpr UINT kTemplateId = 106;
    static constexpr int kPaneId = 1005;
    static constexpr int kToolBarId = 1006;
    static constexpr int kCanvasId = 1009;
    static constexpr int kApplyId = 1028;
    static constexpr int kIconId = 1040;
    static constexpr int kAddCommand = 1007;
    static constexpr int kDeleteCommand = 1008;
    static constexpr int kUndoCommand = 1052;
    static constexpr int kRedoCommand = 1053;
    static constexpr int kStatusId = 1054;
    static constexpr int kDuplicateOffset = 8;  // a copy's offset from its original, 100 % units
    static constexpr int kRowHeight = 22;  // at 96 DPI; RowHeight() at the page's
    static constexpr UINT kDpiChanged = 0x02E0;             // WM_DPICHANGED
    static constexpr UINT kDpiChangedAfterParent = 0x02E3;  // WM_DPICHANGED_AFTERPARENT
    static constexpr wchar_t kTreeCaption[] = L"Xmas Tree";

    CSettingsTreeDlg() = default;
    // Destroys the page's window first, while the copies its rows point at still exist.
    ~CSettingsTreeDlg() override;

    // The page handles no keys itself (the list and the canvas's focus window do). WM_DPICHANGED (the new DPI in its word parameter) and,
    // for the page as a child, WM_DPICHANGED_AFTERPARENT (its window's new DPI) scale it anew.
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnNotify(WPARAM id, NMHDR* hdr) override;
    INT_PTR OnInitDialog() override;
    void OnDestroy() override;
    void OnLButtonDown(WPARAM keys, int x, int y) override;
    void OnLButtonUp(WPARAM keys, int x, int y) override;
    void OnMouseMove(WPARAM keys, int x, int y) override;
    void OnMouseLeave() override;
    void OnPaint() override;

    // The item under the mouse in the pane is drawn highlighted.
    int OnHotItemChanged(CNavPaneItem* hot, CNavPaneItem* previous) override;

    // --- the scene ---
    // Copies the working scene into the application's; closing lets go of the page's copies.
    void Apply(bool closing);
    // Puts the scene saved at opening back and lets go of the copies.
    void Restore();
    // A copy of the new-item template on top of the scene, the only selected row.
    void AddItem();
    // Deletes the selected items after asking.
    void DeleteSelectedItems();
    // Copies of the selected items (never the tree), offset by (8, 8) in 100 % units, drawn above
    // every item in the order of their originals; the copies become the selection.
    void DuplicateSelectedItems();
    // Moves the selected items (never the tree) by (dx, dy) in 100 % units.
    void MoveSelectedItems(int dx, int dy);
    // The same from the arrow keys: a run of nudges of the same selection is one undo step. The
    // run ends with any other change, undo or redo, a mouse press or another key.
    void NudgeSelectedItems(int dx, int dy);
    void EndNudgeRun() noexcept { m_nudged.clear(); }
    // Files dropped from Explorer: every picture file becomes a toy showing it, placed with its
    // middle at `at` (page client coordinates) when that lies on the canvas, else on the tree's
    // middle, each further one (8, 8) on; they become the selection, all in one undo step. Other
    // files are left out and the status line says so.
    void DropFiles(const std::vector<tstr>& files, const POINT* at);
    // The status line over the canvas's foot (hidden while empty).
    tstr StatusText() const;

    // --- undo and redo ---
    // Around every change of the working scene (they may nest): the scene's settings before it
    // become an undo step when the change altered them; a new step forgets the redo steps.
    void BeginChange();
    void EndChange();
    // Ctrl+Z and Ctrl+Y: the scene as it was before the last change, or as the last undo found
    // it. The list's selection is emptied. False when there is nothing to undo or redo.
    bool Undo();
    bool Redo();
    // Ctrl+Z and Ctrl+Y for the windows that take keys (the list, the canvas); true when used.
    bool OnUndoKey(WPARAM vk);
    const CEditHistory<SSceneSettings>& History() const noexcept { return m_history; }

    CItemsPaneWnd* Pane() const noexcept { return m_pane; }
    CColReg<CItem*>& WorkingItems() noexcept { return m_items; }
    CItem& WorkingTree() noexcept { return m_tree; }
    const CColReg<CItem*>& SavedItems() const noexcept { return m_savedItems; }
    const CItem& SavedTree() const noexcept { return m_savedTree; }
    // False once OK or Cancel let go of the copies: the page then changes nothing any more.
    bool HasCopies() const noexcept { return m_live; }
    // Whether the application's scene was replaced since the page opened.
    bool Applied() const noexcept { return m_applied; }

    // --- the display scale ---
    // The page's DPI (its window's when it opened) and the scale the canvas draws the scene at;
    // stored positions and sizes stay in 100 % units.
    UINT PageDpi() const noexcept { return static_cast<UINT>(m_scale.dpi); }
    SViewScale Scale() const noexcept { return m_scale; }
    // Row height, tools, thumbnails, the toolbar and the canvas at another DPI; repaints.
    void SetDpi(UINT dpi);
    int RowHeight() const noexcept { return m_scale.Edge(kRowHeight); }
    // Item pictures the canvas has rendered at its scale so far (none at 100 %).
    int CanvasRenders() const noexcept { return m_pictures.Renders(); }

    // The canvas frame's rectangle in page client coordinates.
    RECT CanvasRect() const;
    void RepaintCanvas();
    // Whether the canvas holds the keyboard focus (a click on it gives it; its frame then shows a
    // focus rectangle and the arrow keys move the selected items).
    bool CanvasHasFocus() const { return m_canvasKeys.HasFocus(); }
    // Draws the canvas (background, tree, visible items, the hovered one highlighted) into a
    // surface of the canvas's size.
    bool DrawCanvas(CPixSurface& surface) const;

private:
    // A row for item with its thumbnail, settings and eye tools, appended to the pane.
    CItemsPaneItem* AddEntry(CItem* item, const tstr& caption);
    // The row's heights and its tools' pictures at the page's DPI.
    void DressEntry(CItemsPaneItem* entry);
    void LoadToolPictures();
    // The toolbar's tools and the page's icon at the page's DPI.
    void DressToolBar();
    // Undo and redo tools greyed while there is nothing to undo or redo.
    void UpdateHistoryTools();
    void SetStatus(const tstr& text);
    // One item on the canvas at the page's scale, brightened while its row is hovered.
    void DrawItem(const CItem& item, CPixSurface& surface) const;
    void SetUpToolBar();
    // Deletes the working and saved items; rows keep no pointer to them.
    void ReleaseCopies();
    // The working items whose rows are selected, in drawing order, the tree left out.
    std::vector<CItem*> SelectedItems() const;
    // Undo (forward false) or Redo (forward true).
    bool StepHistory(bool forward);
    // The working scene made anew from settings: items and their rows, pictures reloaded.
    void ShowSettings(const SSceneSettings& settings);
    // A press on the page began a change that ends with the drag.
    void EndDragChange();

    struct SDragOrigin {
        const CItem* item;  // compared only, never followed: the item may be gone
        POINT at;
    };

    CItemsPaneWnd* m_pane = nullptr;         // not owned: the pane window owns it
    std::vector<SDragOrigin> m_dragOrigins;  // the selected items' places at the press
    int m_dragX = 0;
    int m_dragY = 0;
    bool m_dragging = false;                 // the left button went down on the page
    CColReg<CItem*> m_items;                 // working items, in drawing order
    CItem m_tree;                            // working tree
    CColReg<CItem*> m_savedItems;            // the scene as the page found it
    CItem m_savedTree;
    bool m_live = false;
    bool m_applied = false;
    unsigned long m_tint = 0xFF337733UL;
    CBmp m_gear;                             // tool pictures with their looks, copied per row
    CBmp m_eyeClosed;
    CBmp m_eyeOpen;
    CUniqueIcon m_icon;
    SViewScale m_scale;                      // the page's DPI over 96
    mutable CCanvasPictures m_pictures;      // item pictures at m_scale, kept between paints
    CCanvasKeysWnd m_canvasKeys;             // the canvas's keyboard focus
    CEditHistory<SSceneSettings> m_history;  // undo and redo steps of the working scene
    SSceneSettings m_beforeChange;           // the scene when the outermost change began
    int m_changeDepth = 0;
    bool m_dragChange = false;               // a press began a change
    std::vector<const CItem*> m_nudged;      // the selection the present run of nudges moves
};
