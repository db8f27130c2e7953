// CItem: one thing on the tree picture (the tree, a toy or a garland): its stored settings as
// parameters, its position, and three pictures: the source as loaded, the rendered picture the
// scene shows, and a small thumbnail for the construction UI.
#pragma once

#include "param/CEdges.h"
#include "param/CParam.h"
#include "param/CParamRegSet.h"
#include "param/Tstr.h"
#include "scene/CBmp.h"

class CSettingsStore;
class IPictureSource;

class CItem {
public:
    enum EType { kTree = 0, kToy = 1, kGarland = 2 };
    enum ESource { kBuiltIn = 0, kFile = 1 };

    // Every parameter at its initial value and range, registered in storage order.
    CItem();
    virtual ~CItem() = default;
    CItem(const CItem&) = delete;
    CItem& operator=(const CItem&) = delete;

    // Whether section holds a "type" value.
    virtual bool Exists(CSettingsStore& store, const tstr& section);
    // Hook called before the collection deletes its items; nothing to release here.
    virtual bool Release();
    // Parameters (clamped), "path", "x" and "y"; then LoadPicture and Render. Missing keys keep
    // the current values.
    virtual bool Load(CSettingsStore& store, const tstr& section);
    // Parameters (those at their recorded default are deleted), "path", "x" and "y".
    virtual bool Save(CSettingsStore& store, const tstr& section);

    // Copies the settings and position (through Set, so bound controls follow); not the
    // pictures, the hover mark or the parameter set. Neither reloads nor re-renders.
    CItem& Assign(const CItem& other);
    // Sets the fields the default scene and the tree reset give.
    void Setup(const tstr& caption, int itemType, unsigned int resId, int brightness, int contrast,
               int hueValue, int opacity, int sizePercent, int posX, int posY);

    // Loads the source picture: the picture file when source is not 0 and the file exists (its
    // top-left colour keyed out unless it carries transparency of its own, fitted to half the
    // screen width and a third of its height), otherwise the built-in bitmap resid; then crops it
    // to its content. True when the source picture is not empty. The form without an argument
    // uses the shared picture source.
    bool LoadPicture();
    bool LoadPicture(IPictureSource& pictures);
    // Rebuilds the rendered picture and thumbnail from the source: colour key crIgnClr, hue,
    // brightness and contrast, thumbnail, size, opacity. True when the rendered picture is not
    // empty; an empty source changes nothing.
    bool Render();
    // The rendered picture at another pixel size (the desktop view on a scaled display): the
    // same chain from the source with the size step resampling straight to width x height, into
    // out. False (out empty) when nothing can be rendered or a buffer cannot be had. Without a
    // source the rendered picture is stretched instead.
    bool RenderAt(int width, int height, CBmp& out) const;
    // The thumbnail at another pixel size (the construction page on a scaled display): the
    // colour-changed source resampled straight to width x height, without the size and opacity
    // steps, as the thumbnail shows it. Without a source the thumbnail is stretched instead.
    bool ThumbnailAt(int width, int height, CBmp& out) const;
    // Changes with every LoadPicture and Render of any item (never 0 after one): a picture made
    // from this item's pictures is out of date when the stamp it was made at differs.
    unsigned long long RenderStamp() const noexcept { return m_stamp; }

    const CBmp& SourcePicture() const noexcept { return m_source; }
    const CBmp& Rendered() const noexcept { return m_rendered; }
    const CBmp& Thumbnail() const noexcept { return m_thumbnail; }
    int Type() const noexcept { return type.Get(); }
    bool IsVisible() const noexcept { return visible.Get() != 0; }

    // The picture source LoadPicture() uses (not owned; set once by the application, or by tests).
    static void SetPictureSource(IPictureSource* pictures) noexcept;
    static IPictureSource* PictureSource() noexcept;

    // Stored settings, in storage order (keys as named).
    CParam<unsigned int> resid;     // built-in bitmap id; its low 16 bits name the resource
    tstr path;                      // picture file ("path")
    CParam<tstr> Caption;
    CParam<int> visible;            // default 1: hidden toys and garlands are not drawn
    int x = 0;                      // top-left in scene coordinates ("x", "y")
    int y = 0;
    CParam<int> bIgnClr;            // default 0; stored and copied, nothing consults it
    CParam<unsigned long> crIgnClr; // default 0; colour key 0x00RRGGBB
    CParam<int> type;               // EType; other codes are kept but not drawn
    CParam<int> source;             // ESource; any non-zero value means the picture file
    int hover = 0;                  // run-time highlight mark of the construction page; never stored
    CEdges<CParam<int>, int> hue;     // 0..240, 240 a full turn
    CEdges<CParam<int>, int> brig;    // -100..100
    CEdges<CParam<int>, int> contr;   // -100..100
    CEdges<CParam<int>, int> opaque;  // 20..100 percent
    CEdges<CParam<int>, int> size;    // 10..200 percent

private:
    // out = the source with the colour key, hue, brightness and contrast applied.
    void Colourise(CBmp& out) const;
    // out = the colour-changed source at width x height, its opacity applied when asked; without
    // a source, fallback stretched.
    bool RenderSized(int width, int height, const CBmp& fallback, bool withOpacity, CBmp& out) const;

    CBmp m_source;
    CBmp m_rendered;
    CBmp m_thumbnail;
    CParamRegSet m_params;
    unsigned long long m_stamp = 0;
};
