#include "construct/EditPreview.h"

#include "construct/CNavPaneItem.h"
#include "construct/ISceneHost.h"
#include "scene/CItem.h"

void RepaintOpenPage() {
    if (const HWND page = OpenPageWindow()) ::RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ShowThumbnailInEntry(CNavPaneItem* entry, const CItem& item) {
    if (!entry) return;
    CNavPaneItemTool* tool = entry->LeadingTools().GetAt(0);
    if (!tool) return;
    tool->SetToolPicture(item.Thumbnail(), 0);
    if (const HWND pane = entry->GetPaneWindow()) ::InvalidateRect(pane, nullptr, FALSE);
}
