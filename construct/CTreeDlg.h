// CTreeDlg: the tree's settings dialog. The tree picture is one of nine built-in trees or a picture
// file; hue, brightness, contrast and size are edited live. Two check boxes make the toys follow a
// change of the tree's size (their sizes) and keep their place on the tree (their positions).
// Cancel restores the tree and the toys as they were when the dialog opened. A picture file that
// does not decode shows a built-in tree, and the status line says so. Result 1 OK, 2 Cancel.
#pragma once

#include "construct/DialogIcons.h"
#include "construct/PictureSourceControls.h"
#include "param/win/CDialogParam.h"
#include "scene/CColReg.h"
#include "scene/CItem.h"

#include <windows.h>

#include <vector>

class CNavPaneItem;

class CTreeDlg : public CDialogParam {
public:
    // entry: the tree's pane entry (may be null); toys: the other items of the canvas (may be
    // null or empty; not owned); tree: the tree item edited (not owned; null binds nothing).
    // Run with DoModal(instance, IDD_TREE, parent).
    CTreeDlg(CNavPaneItem* entry, CColReg<CItem*>* toys, CItem* tree);
    ~CTreeDlg() override;

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnNotify(WPARAM id, NMHDR* hdr) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    struct SToyAtOpen {
        CItem* toy;  // not owned
        int size;
        int x, y;    // absolute position at opening
        int dx, dy;  // position minus the tree's position at opening
    };

    // Renders the tree and shows it on the page and in its pane entry.
    void ShowTree();
    void UpdateToys();
    void RestoreToys();
    bool Checked(int id) const;

    CItem* m_tree;          // not owned
    CColReg<CItem*>* m_toys;  // not owned
    CNavPaneItem* m_entry;  // not owned
    CItem m_backup;
    std::vector<SToyAtOpen> m_toysAtOpen;
    int m_sizeAtOpen = 100;
    int m_xAtOpen = 0, m_yAtOpen = 0;
    unsigned m_lastResid = 0;
    bool m_toysChanged = false;   // Cancel puts them back only then
    bool m_quiet = false;         // the dialog itself is showing or putting back the settings
    CDialogIcons m_icons;
    CPictureSourceControls m_picture;
};
