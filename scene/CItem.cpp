#include "scene/CItem.h"

#include "param/CSettingsStore.h"
#include "param/NumberText.h"
#include "scene/IPictureSource.h"
#include "scene/OwnTransparency.h"
#include "scene/Transforms.h"

#include <algorithm>
#include <cstdint>

namespace {

IPictureSource* g_pictures = nullptr;
unsigned long long g_stamps = 0;  // the last stamp given: unique across items, so a new item at a
                                  // freed item's address never matches that item's pictures

void InitBounded(CEdges<CParam<int>, int>& p, int min, int max, int value, const wchar_t* name) {
    p.SetRange(min, max);
    p.Set(value);
    p.SetName(name);
}

std::uint32_t Word(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void PutWord(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

// The background of a picture file without transparency of its own is the colour of its top-left
// corner, matched on the upper four bits of each colour byte: such pixels become transparent
// black. A picture with its own transparency keeps every pixel (its dark ones would match a
// transparent black corner).
void KeyOutTopLeftColour(CBmp& pic) {
    std::uint8_t* p = pic.Bits();
    const std::size_t n = static_cast<std::size_t>(pic.Width()) * static_cast<std::size_t>(pic.Height());
    if (CarriesOwnTransparency(p, n)) return;
    const std::uint32_t key = Word(p) & 0xF0F0F0u;
    PutWord(p, key);
    for (std::size_t i = 1; i < n; ++i)
        if ((Word(p + i * 4) & 0xF0F0F0u) == key) PutWord(p + i * 4, 0);
}

// Fits a picture file into half the screen's width and a third of its height, keeping its shape.
// Sides are computed in 64 bits and never fall below one pixel.
void FitToScreen(CBmp& pic, int screenWidth, int screenHeight) {
    const long long maxW = screenWidth / 2;
    const long long maxH = screenHeight / 3;
    long long w = pic.Width();
    long long h = pic.Height();
    bool resize = false;
    if (maxH > 0 && h > maxH) {
        w = std::max(1LL, w * maxH / h);
        h = maxH;
        resize = true;
    }
    if (maxW > 0 && w > maxW)
        pic.Resample(static_cast<int>(maxW), static_cast<int>(std::max(1LL, h * maxW / w)));
    else if (resize)
        pic.Resample(static_cast<int>(w), static_cast<int>(h));
}

}  // namespace

CItem::CItem() {
    resid.Set(0);
    resid.SetName(L"resid");
    Caption.Set(tstr());
    Caption.SetName(L"Caption");
    visible.Set(1);
    visible.SetDefault(1);
    visible.SetName(L"visible");
    bIgnClr.Set(0);
    bIgnClr.SetDefault(0);
    bIgnClr.SetName(L"bIgnClr");
    crIgnClr.Set(0);
    crIgnClr.SetDefault(0);
    crIgnClr.SetName(L"crIgnClr");
    type.Set(kToy);
    type.SetName(L"type");
    source.Set(kBuiltIn);
    source.SetName(L"source");
    InitBounded(hue, 0, 240, 0, L"hue");
    InitBounded(brig, -100, 100, 0, L"brig");
    InitBounded(contr, -100, 100, 0, L"contr");
    InitBounded(opaque, 20, 100, 100, L"opaque");
    InitBounded(size, 10, 200, 100, L"size");

    for (IParamReg* p : std::initializer_list<IParamReg*>{&resid, &Caption, &visible, &bIgnClr, &crIgnClr, &type,
                                                          &source, &hue, &brig, &contr, &opaque, &size})
        m_params.Add(p);
}

bool CItem::Exists(CSettingsStore& store, const tstr& section) {
    tstr text;
    return store.ReadString(section, L"type", text);
}

bool CItem::Release() { return true; }

bool CItem::Load(CSettingsStore& store, const tstr& section) {
    m_params.SetStore(&store);
    m_params.LoadAll(section);
    tstr text;
    if (store.ReadString(section, L"path", text)) path = text;
    if (store.ReadString(section, L"x", text)) x = ParseDecimal(text);
    if (store.ReadString(section, L"y", text)) y = ParseDecimal(text);
    LoadPicture();
    Render();
    return true;
}

bool CItem::Save(CSettingsStore& store, const tstr& section) {
    m_params.SetStore(&store);
    m_params.SaveAll(section);
    store.WriteString(section, L"path", path);
    store.WriteInt(section, L"x", x);
    store.WriteInt(section, L"y", y);
    return true;
}

CItem& CItem::Assign(const CItem& other) {
    if (&other == this) return *this;
    path = other.path;
    resid.Set(other.resid.Get());
    type.Set(other.type.Get());
    Caption.Set(other.Caption.Get());
    x = other.x;
    y = other.y;
    visible.Set(other.visible.Get());
    bIgnClr.Set(other.bIgnClr.Get());
    crIgnClr.Set(other.crIgnClr.Get());
    source.Set(other.source.Get());
    hue.Set(other.hue.Get());
    brig.Set(other.brig.Get());
    contr.Set(other.contr.Get());
    opaque.Set(other.opaque.Get());
    size.Set(other.size.Get());
    return *this;
}

void CItem::Setup(const tstr& caption, int itemType, unsigned int resId, int brightness, int contrast, int hueValue,
                  int opacity, int sizePercent, int posX, int posY) {
    Caption.Set(caption);
    type.Set(itemType);
    resid.Set(resId);
    brig.Set(brightness);
    contr.Set(contrast);
    hue.Set(hueValue);
    opaque.Set(opacity);
    size.Set(sizePercent);
    x = posX;
    y = posY;
}

void CItem::SetPictureSource(IPictureSource* pictures) noexcept { g_pictures = pictures; }
IPictureSource* CItem::PictureSource() noexcept { return g_pictures; }

bool CItem::LoadPicture() {
    if (!g_pictures) {
        m_source.Free();
        return false;
    }
    return LoadPicture(*g_pictures);
}

bool CItem::LoadPicture(IPictureSource& pictures) {
    m_stamp = ++g_stamps;
    const bool fileUsable = !path.empty() && pictures.FileExists(path);
    if (source.Get() != kBuiltIn && fileUsable) {
        if (!pictures.LoadFile(path, m_source) || m_source.IsEmpty()) {
            m_source.Free();
            return false;
        }
        KeyOutTopLeftColour(m_source);
        int screenWidth = 0, screenHeight = 0;
        pictures.ScreenSize(screenWidth, screenHeight);
        FitToScreen(m_source, screenWidth, screenHeight);
    } else if (!pictures.LoadResource(static_cast<int>(resid.Get() & 0xFFFFu), m_source)) {
        m_source.Free();
    }
    m_source.CropToContent();
    return !m_source.IsEmpty();
}

void CItem::Colourise(CBmp& out) const {
    if (!out.CopyFrom(m_source)) return;

    // Colour key: matching pixels turn transparent and keep their colour bytes.
    const std::uint32_t key = static_cast<std::uint32_t>(crIgnClr.Get());
    std::uint8_t* p = out.Bits();
    const std::size_t n = static_cast<std::size_t>(out.Width()) * static_cast<std::size_t>(out.Height());
    for (std::size_t i = 0; i < n; ++i)
        if ((Word(p + i * 4) & 0xFFFFFFu) == key) p[i * 4 + 3] = 0;

    out.MixChannels(HueColour(hue.Get(), 0xFF0000u));
    out.AdjustBrightnessContrast(brig.Get() * 128 / 100, contr.Get() * 128 / 100);
}

bool CItem::Render() {
    if (m_source.IsEmpty()) return !m_rendered.IsEmpty();
    m_stamp = ++g_stamps;
    Colourise(m_rendered);

    // The thumbnail shows the colour changes, not size and opacity.
    m_thumbnail.CopyFrom(m_rendered);
    if (!m_thumbnail.IsEmpty()) {
        const int m = std::max(m_thumbnail.Height() / 20 + 1, m_thumbnail.Width() / 20 + 1);
        m_thumbnail.Resample(m_thumbnail.Width() / m, m_thumbnail.Height() / m);
    }

    if (size.Get() != 100) {
        const long long w = static_cast<long long>(m_rendered.Width()) * size.Get() / 100;
        const long long h = static_cast<long long>(m_rendered.Height()) * size.Get() / 100;
        m_rendered.Resample(static_cast<int>(w), static_cast<int>(h));
    }
    if (opaque.Get() != 100) m_rendered.ScaleAlpha(opaque.Get() * 255 / 100, 0);
    return !m_rendered.IsEmpty();
}

bool CItem::RenderAt(int width, int height, CBmp& out) const {
    return RenderSized(width, height, m_rendered, true, out);
}

bool CItem::ThumbnailAt(int width, int height, CBmp& out) const {
    return RenderSized(width, height, m_thumbnail, false, out);
}

bool CItem::RenderSized(int width, int height, const CBmp& fallback, bool withOpacity, CBmp& out) const {
    out.Free();
    if (width <= 0 || height <= 0) return false;
    if (m_source.IsEmpty()) {
        // Nothing to render from (the picture failed to load again after a render): the
        // finished picture, stretched, rather than nothing.
        if (!out.CopyFrom(fallback)) return false;
        out.Resample(width, height);
        return !out.IsEmpty();
    }
    // One resample, straight from the colour-changed source to the wanted size: no detail lost
    // on the way through another size.
    Colourise(out);
    if (out.IsEmpty()) return false;
    out.Resample(width, height);
    if (withOpacity && opaque.Get() != 100) out.ScaleAlpha(opaque.Get() * 255 / 100, 0);
    return out.Width() == width && out.Height() == height;
}
