#include "app/CButtonWndLooks.h"

#include "scene/CBmp.h"
#include "view/ViewScale.h"

#include <memory>

namespace {

// A layer that takes a loaded picture instead of its copy of the base: what a failed load leaves
// is an empty layer, never the base.
void LoadInto(CBmp& layer, const CBmp& picture) {
    layer.Free();
    layer.CopyFrom(picture);
}

// The texture cut to a shape: the texture's colours with the shape's alpha, transparent elsewhere.
void CutTexture(CBmp& layer, const CBmp& texture, const CBmp& shapeAlpha) {
    LoadInto(layer, texture);
    layer.ScaleAlpha(0, 0);
    layer.CopyChannelFrom(shapeAlpha, 3);
}

// picture at the scale: a resampled copy in held, or the picture itself at 96 DPI.
const CBmp& AtScale(const CBmp& picture, const SViewScale& scale, CBmp& held) {
    if (scale.IsIdentity() || !held.CopyFrom(picture)) return picture;
    held.Resample(scale.Edge(picture.Width()), scale.Edge(picture.Height()));
    return held;
}

}  // namespace

bool PrepareButtonBase(CBmp& base, int dpi) {
    static const wchar_t* const kLabels[] = {L"nrm", L"hot", L"prs"};
    const SViewScale scale = SViewScale::ForDpi(dpi);
    if (!scale.IsIdentity() && !base.IsEmpty()) base.Resample(scale.Edge(base.Width()), scale.Edge(base.Height()));
    while (base.GroupCount() < 3) base.AddGroup(kLabels[base.GroupCount()]);
    return !base.IsEmpty();
}

bool BuildButtonLook(CBmp& base, int look, const CBmp& textureIn, const CBmp& overlayIn, int dpi) {
    const SViewScale scale = SViewScale::ForDpi(dpi);
    const auto S = [&scale](int v) { return scale.Edge(v); };
    CBmp heldTexture;
    CBmp heldOverlay;
    const CBmp& texture = AtScale(textureIn, scale, heldTexture);
    const CBmp& overlay = AtScale(overlayIn, scale, heldOverlay);
    const std::unique_ptr<CBmp> alpha = base.ExtractChannel(3);
    if (!alpha) return false;

    if (look == kLookNormal) {
        // The face and the gloss.
        if (CBmp* l = base.AddLayer(kLookNormal)) {
            CutTexture(*l, texture, *alpha);
            l->SetOffset(S(3), S(3));
        }
        if (CBmp* l = base.AddLayer(kLookNormal)) {
            LoadInto(*l, overlay);
            l->ScaleAlpha(192, 0);
            l->SetOffset(S(3), S(3));
        }
    } else if (look == kLookHot) {
        // Two soft dark shadows of the shape, a brighter and larger face, a larger gloss.
        if (CBmp* l = base.AddLayer(kLookHot)) {
            l->Resample(S(102), S(102));
            l->SetOffset(S(7), S(5));
            l->AdjustBrightnessContrast(-80, -128);
            l->ScaleAlpha(64, 0);
        }
        if (CBmp* l = base.AddLayer(kLookHot)) {
            l->Resample(S(102), S(102));
            l->SetOffset(S(0), S(12));
            l->AdjustBrightnessContrast(-80, -128);
            l->ScaleAlpha(32, 0);
        }
        if (CBmp* l = base.AddLayer(kLookHot)) {
            CBmp largeAlpha;
            largeAlpha.CopyFrom(*alpha);
            largeAlpha.Resample(S(102), S(102));
            CutTexture(*l, texture, largeAlpha);
            l->AdjustBrightnessContrast(32, 0);
        }
        if (CBmp* l = base.AddLayer(kLookHot)) {
            LoadInto(*l, overlay);
            l->Resample(S(104), S(103));
            l->Shift(-S(1), 0);
        }
    } else if (look == kLookPressed) {
        // A dark and a light copy of the shape shifted against each other, a darker face.
        if (CBmp* l = base.AddLayer(kLookPressed)) {
            l->SetOffset(S(2), S(1));
            l->AdjustBrightnessContrast(-288, -128);
            l->ScaleAlpha(128, 0);
        }
        if (CBmp* l = base.AddLayer(kLookPressed)) {
            l->SetOffset(S(5), S(6));
            l->AdjustBrightnessContrast(256, -128);
            l->ScaleAlpha(128, 0);
        }
        if (CBmp* l = base.AddLayer(kLookPressed)) {
            CutTexture(*l, texture, *alpha);
            l->AdjustBrightnessContrast(-48, 0);
            l->SetOffset(S(3), S(3));
        }
        if (CBmp* l = base.AddLayer(kLookPressed)) {
            LoadInto(*l, overlay);
            l->AdjustBrightnessContrast(-32, 0);
            l->ScaleAlpha(96, 0);
            l->SetOffset(S(3), S(3));
        }
    } else {
        return false;
    }
    return true;
}

bool BuildButtonLooks(CBmp& base, const CBmp& texture, const CBmp& overlay, int dpi) {
    if (!PrepareButtonBase(base, dpi)) return false;
    for (const int look : {kLookNormal, kLookHot, kLookPressed}) {
        if (!BuildButtonLook(base, look, texture, overlay, dpi)) return false;
    }
    return true;
}
