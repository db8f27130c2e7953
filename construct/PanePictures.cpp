#include "construct/PanePictures.h"

#include "scene/CBmp.h"
#include "scene/CItem.h"
#include "wnd/Dpi.h"

bool ThumbnailForDpi(const CItem& item, UINT dpi, CBmp& out) {
    out.Free();
    const CBmp& own = item.Thumbnail();
    if (own.IsEmpty()) return false;
    if (dpi == Dpi::kDefault) return out.CopyFrom(own);
    const int w = Dpi::Scale(own.Width(), dpi);
    const int h = Dpi::Scale(own.Height(), dpi);
    return item.ThumbnailAt(w > 0 ? w : 1, h > 0 ? h : 1, out);
}

bool ToolPictureForDpi(HINSTANCE module, int id, UINT dpi, unsigned long tint, CBmp& out, int largeId) {
    out.Free();
    if (!out.LoadFromResource(module, id)) return false;
    if (dpi != Dpi::kDefault) {
        const int w = Dpi::Scale(out.Width(), dpi);
        const int h = Dpi::Scale(out.Height(), dpi);
        CBmp large;
        if (largeId && dpi > Dpi::kDefault * 5 / 4 && large.LoadFromResource(module, largeId)) out.CopyFrom(large);
        if (w > 0 && h > 0 && (w != out.Width() || h != out.Height())) out.Resample(w, h);
    }
    out.BuildStateLayers(static_cast<std::uint32_t>(tint), static_cast<int>(dpi));
    return !out.IsEmpty();
}
