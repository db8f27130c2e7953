// CItemDlg: the "Item settings" dialog of one toy or garland. It edits the item live: every change
// re-renders the item, repaints the construction page and refreshes the item's pane entry. The
// picture is one of the built-in ones or a picture file; a file that does not decode shows the
// built-in picture, and the status line says so. A copy of the settings taken at construction lets
// Cancel put everything back. Result 1 OK, 2 Cancel.
#pragma once

#include "construct/DialogIcons.h"
#include "construct/PictureSourceControls.h"
#include "param/win/CDialogParam.h"
#include "scene/CItem.h"

#include <windows.h>

class CNavPaneItem;
template <class T>
class CParam;

class CItemDlg : public CDialogParam {
public:
    // entry: the item's pane entry (may be null); item: the item edited (not owned; null makes
    // the dialog bind nothing). Run with DoModal(instance, IDD_ITEM, parent).
    CItemDlg(CNavPaneItem* entry, CItem* item);
    ~CItemDlg() override;

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnNotify(WPARAM id, NMHDR* hdr) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

    // The side option "pos" (0 left of the parent, 1 right): the scene host's, or the dialog's own
    // process-wide default of 1 when no host is registered.
    static CParam<unsigned int>& SideOption();

private:
    // Render, repaint the construction page and (unless sizeOnly) refresh the entry's picture.
    void ShowChanges(bool sizeOnly);
    void PlaceBesideParent();

    CItem m_backup;
    CItem* m_item;          // not owned
    CNavPaneItem* m_entry;  // not owned
    int m_lastPicture = -1; // resid of the last reload made here
    bool m_quiet = false;   // the dialog itself is showing or putting back the settings
    CDialogIcons m_icons;
    CPictureSourceControls m_picture;
};
