// CBmp::BuildStateLayers: the hot, disabled and pressed looks of an image button as layer groups.
#include "scene/CBmp.h"

namespace {

struct SLayerStep {
    int dx, dy;             // layer offset, added to the bitmap's own
    int brightness, contrast;
    int alphaScale1, alphaScale2;  // ScaleAlpha factors applied in turn; 0 = none
};

// v x dpi / 96, rounded to nearest with halves away from zero.
int ScaledOffset(int v, int dpi) {
    const long long p = static_cast<long long>(v) * dpi;
    return static_cast<int>(p >= 0 ? (p + 48) / 96 : -((-p + 48) / 96));
}

}  // namespace

void CBmp::BuildStateLayers(std::uint32_t colour, int dpi) {
    MixChannels(colour);
    static const wchar_t* const kLabels[] = {L"nrm", L"hot", L"dis", L"prs"};
    while (GroupCount() < 4) AddGroup(kLabels[GroupCount()]);

    // Hot: two soft grey shadows below and right, the picture lifted up and left. Disabled: a
    // flat dark silhouette. Pressed: a light and a dark rim around a slightly darker face.
    static const struct {
        int group;
        SLayerStep step;
    } kLayers[] = {
        {1, {+1, +2, -80, -128, 80, 0}},   {1, {-3, +4, -80, -128, 32, 0}},   {1, {-1, -1, 32, 0, 0, 0}},
        {2, {0, 0, -80, -128, 0, 0}},      {3, {+1, +1, 128, -128, 512, 128}}, {3, {-1, -1, -128, -128, 512, 128}},
        {3, {0, 0, -16, 0, 0, 0}},
    };
    for (const auto& l : kLayers) {
        CBmp* layer = AddLayer(l.group);
        if (!layer) continue;
        layer->SetOffset(m_offsetX + ScaledOffset(l.step.dx, dpi), m_offsetY + ScaledOffset(l.step.dy, dpi));
        layer->AdjustBrightnessContrast(l.step.brightness, l.step.contrast);
        if (l.step.alphaScale1) layer->ScaleAlpha(l.step.alphaScale1, 0);
        if (l.step.alphaScale2) layer->ScaleAlpha(l.step.alphaScale2, 0);
    }
}
