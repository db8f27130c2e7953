#include "construct/CNavPaneItemTool.h"

#include "scene/CDrawTarget.h"
#include "scene/CPixSurface.h"
#include "construct/CanvasPixels.h"
#include "wnd/Handles.h"

namespace {

// Copies pixels, offsets and every layer group of source into target.
bool CopyWithLooks(CBmp& target, const CBmp& source) {
    target.Free();
    if (!target.CopyFrom(source)) return false;
    for (int k = 0; k < source.GroupCount(); ++k) {
        const int group = target.AddGroup();
        for (int i = 0; i < source.LayerCount(k); ++i) {
            const CBmp* from = source.Layer(k, i);
            CBmp* layer = target.AddLayer(group);
            if (!from || !layer) continue;
            layer->CopyFrom(*from);
        }
    }
    return true;
}

COLORREF BackColour(unsigned state) {
    if (state & CNavPaneItemTool::kPressed) return RGB(0x80, 0x80, 0x80);
    if (state & CNavPaneItemTool::kHot) return RGB(0xE0, 0xE0, 0xE0);
    return RGB(0xC0, 0xC0, 0xC0);
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    ::MoveToEx(dc, x0, y0, nullptr);
    ::LineTo(dc, x1, y1);
}

}  // namespace

SNavToolState& NavToolState() noexcept {
    static SNavToolState state;
    return state;
}

bool SNavToolState::SetHot(CNavPaneItemTool* tool) {
    if (pressed && pressed != tool && tool) return false;
    if (hot == tool) return false;
    if (hot) hot->SetState(CNavPaneItemTool::kHot, false);
    hot = tool;
    if (hot) hot->SetState(CNavPaneItemTool::kHot, true);
    needsRepaint = true;
    return true;
}

CNavPaneItemTool::~CNavPaneItemTool() {
    SNavToolState& s = NavToolState();
    if (s.pressed == this) s.pressed = nullptr;
    if (s.hot == this) s.hot = nullptr;
}

bool CNavPaneItemTool::SetToolPicture(const CBmp& bmp, int index) {
    if (index == 0) return CopyWithLooks(m_picture0, bmp);
    if (index == 1) return CopyWithLooks(m_picture1, bmp);
    return false;
}

bool CNavPaneItemTool::LoadToolPicture(HINSTANCE module, int bitmapId, int index) {
    if (index != 0 && index != 1) return false;
    CBmp& picture = index == 0 ? m_picture0 : m_picture1;
    picture.Free();
    return picture.LoadFromResource(module, bitmapId);
}

void CNavPaneItemTool::BuildLooks(unsigned tint) {
    if (!m_picture0.IsEmpty()) m_picture0.BuildStateLayers(tint);
    if (!m_picture1.IsEmpty()) m_picture1.BuildStateLayers(tint);
}

bool CNavPaneItemTool::Press() {
    if (!IsClickable() || Has(kDisabled)) return false;
    SNavToolState& s = NavToolState();
    if (s.pressed && s.pressed != this) s.pressed->SetState(kPressed, false);
    s.pressed = this;
    SetState(kPressed, true);
    s.needsRepaint = true;
    return true;
}

bool CNavPaneItemTool::Release() {
    SNavToolState& s = NavToolState();
    if (s.pressed != this) return false;
    s.pressed = nullptr;
    s.needsRepaint = true;
    SetState(kPressed, false);
    if (m_style & kPush) {
        SetState(kHot, false);
        if (s.hot == this) s.hot = nullptr;
    }
    if (m_style & kCheck) SetState(kChecked, !Has(kChecked));
    INavPaneItem* owner = m_owner;
    if ((m_style & kRadio) && !Has(kChecked)) {
        SetState(kChecked, true);
        if (owner) owner->OnToolChecked(this, 1);
    }
    if ((m_style & kExpander) && owner) owner->SetExpanded(Has(kChecked) ? 1 : 0);
    if (IsClickable() && owner) owner->OnToolCommand(m_command);  // may delete this tool
    return true;
}

void CNavPaneItemTool::Draw(HDC dc, const RECT& rect) const {
    if (!dc || rect.right <= rect.left || rect.bottom <= rect.top) return;
    if (m_style & kFillBack) {
        CUniqueBrush brush(::CreateSolidBrush(BackColour(m_state)));
        ::FillRect(dc, &rect, brush.get());
    }
    const CBmp& picture = (Has(kChecked) && !m_picture1.IsEmpty()) ? m_picture1 : m_picture0;
    if (!picture.IsEmpty()) {
        DrawPicture(dc, rect, picture);
    } else if (m_style & kExpander) {
        DrawChevrons(dc, rect);
    } else if (m_style & kSeparator) {
        RECT line{rect.left + 1, rect.top + 2, rect.left + 3, rect.bottom - 2};
        ::DrawEdge(dc, &line, BDR_SUNKENINNER, BF_RECT);
    }
    if (m_style & kEdge) DrawEdgeFor(dc, rect);
}

// Blends the look for the state over what the tool rectangle shows: one read and one write of
// the rectangle, however many layers the look has.
void CNavPaneItemTool::DrawPicture(HDC dc, const RECT& rect, const CBmp& picture) const {
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    CPixSurface surface;
    if (!surface.Create(w, h) || !ReadCanvasPixels(dc, rect.left, rect.top, w, h, surface.Bits())) return;
    const int look = Has(kPressed) ? kLookPressed : Has(kDisabled) ? kLookDisabled : Has(kHot) ? kLookHot : kLookNormal;
    const int x = (w - picture.Width()) / 2;
    const int y = (h - picture.Height()) / 2;
    CDrawTarget target(surface);
    if (picture.GroupHasLayers(look)) {
        picture.DrawGroup(look, target, x, y);
    } else {
        picture.DrawAlpha(target, x, y);
    }
    WriteCanvasPixels(dc, rect.left, rect.top, w, h, surface.Bits());
}

// Two chevrons, one above the other, pointing down while collapsed and up while expanded,
// embossed: light on the left and upper strokes, shadow on the right and lower ones.
void CNavPaneItemTool::DrawChevrons(HDC dc, const RECT& rect) const {
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    const int m = w < h ? w : h;
    const int side = m - m / 4;
    const int ch = m / 4;
    if (side < 2 || ch < 1) return;
    const int left = rect.left + (w - side) / 2;
    const int top = rect.top + (h - side) / 2;
    const int mid = left + side / 2;
    const bool up = Has(kChecked);
    CUniquePen light(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT)));
    CUniquePen shadow(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
    const int block = 2 * ch + 1;  // two chevrons and the pixel between them
    const int y0 = top + (side - block) / 2;
    for (int k = 0; k < 2; ++k) {
        const int yTop = y0 + k * (ch + 1);
        const int tip = up ? yTop : yTop + ch;
        const int ends = up ? yTop + ch : yTop;
        {
            CSelectObject pen(dc, light.get());
            Line(dc, left, ends, mid, tip);  // left stroke
        }
        CSelectObject pen(dc, shadow.get());
        Line(dc, mid, tip, left + side, ends);  // right stroke
    }
}

void CNavPaneItemTool::DrawEdgeFor(HDC dc, const RECT& rect) const {
    RECT r = rect;
    ::InflateRect(&r, -1, -1);
    const bool down = Has(kPressed) || Has(kChecked);
    const bool hot = Has(kHot);
    if (hot && Has(kDisabled)) return;
    if (down && hot) {
        ::DrawEdge(dc, &r, Has(kPressed) ? EDGE_SUNKEN : EDGE_ETCHED, BF_RECT);
    } else if (down) {
        ::DrawEdge(dc, &r, BDR_SUNKENINNER, BF_RECT);
    } else if (hot) {
        ::DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
    } else if (!(m_style & kNoIdleEdge)) {
        ::DrawEdge(dc, &r, BDR_SUNKENINNER, BF_RECT);
    }
}
