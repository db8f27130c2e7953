#include "construct/EditPreview.h"

#include "construct/CNavPaneItem.h"
#include "construct/CNavPaneWnd.h"
#include "construct/ISceneHost.h"
#include "construct/PanePictures.h"
#include "scene/CItem.h"

void RepaintOpenPage() {
    if (const HWND page = OpenPageWindow()) ::RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ShowThumbnailInEntry(CNavPaneItem* entry, const CItem& item) {
    if (!entry) return;
    CNavPaneItemTool* tool = entry->LeadingTools().GetAt(0);
    if (!tool) return;
    CBmp thumbnail;
    ThumbnailForDpi(item, entry->Pane() ? entry->Pane()->Dpi() : 96u, thumbnail);
    tool->SetToolPicture(thumbnail, 0);
    if (const HWND pane = entry->GetPaneWindow()) ::InvalidateRect(pane, nullptr, FALSE);
}
