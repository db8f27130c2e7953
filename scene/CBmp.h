// CBmp: the program's 32-bit picture in memory. Bytes blue, green, red, alpha per pixel; rows top to
// bottom; stride width * 4; straight (not premultiplied) alpha. A bitmap carries a drawing offset
// and optional layer groups (the looks of image buttons). Pixel work here is portable; the loaders
// and the device-context drawing are defined in scene/win/ and take forward-declared handle types,
// so this header stays free of <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct HINSTANCE__;
struct HBITMAP__;
struct HDC__;

class CPixSurface;
class CDrawTarget;

class CBmp {
public:
    // Largest picture we hold: 64 megapixels (256 MB of pixels). Larger sizes, and sizes whose
    // byte count overflows, are refused like a failed allocation.
    static constexpr long long kMaxPixels = 64LL * 1024 * 1024;
    // True when width x height is a size CBmp accepts (both positive, within kMaxPixels).
    static bool IsAcceptableSize(long long width, long long height) noexcept;

    CBmp() noexcept = default;
    ~CBmp();
    CBmp(CBmp&& other) noexcept;
    CBmp& operator=(CBmp&& other) noexcept;
    CBmp(const CBmp&) = delete;             // copies are explicit: CopyFrom
    CBmp& operator=(const CBmp&) = delete;

    // --- the buffer ---
    bool IsEmpty() const noexcept { return !m_bits; }
    std::uint8_t* Bits() noexcept { return m_bits.get(); }
    const std::uint8_t* Bits() const noexcept { return m_bits.get(); }
    int ByteSize() const noexcept { return m_size; }
    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    // Pixel (x, y) as the little-endian word 0xAARRGGBB; 0 outside the picture.
    std::uint32_t PixelAt(int x, int y) const noexcept;

    int OffsetX() const noexcept { return m_offsetX; }
    int OffsetY() const noexcept { return m_offsetY; }
    void SetOffset(int x, int y) noexcept { m_offsetX = x; m_offsetY = y; }
    bool HasAlpha() const noexcept { return m_hasAlpha != 0; }
    void SetHasAlpha(bool hasAlpha) noexcept { m_hasAlpha = hasAlpha ? 1 : 0; }

    // Frees the buffer, then allocates width x height transparent-black pixels (has-alpha cleared).
    // False, leaving the bitmap empty, for a refused size or a failed allocation.
    bool Create(int width, int height);
    // Releases the buffer, zeroes sizes, offsets and has-alpha, destroys every layer group.
    void Free() noexcept;
    // Copies the pixels, size, offsets and has-alpha of source (not its groups). A null or empty
    // source changes nothing and answers false.
    bool CopyFrom(const CBmp* source);
    bool CopyFrom(const CBmp& source) { return CopyFrom(&source); }
    // Takes a surface's pixels (offsets 0, has-alpha 0). False, bitmap untouched, when the surface
    // has no buffer.
    bool CopyFromSurface(const CPixSurface& surface);

    // --- loading (Win32, scene/win/) ---
    // Bitmap resource id of module (null: the program's own module); 24-bit ones load opaque.
    bool LoadFromResource(HINSTANCE__* module, int id);
    // Pixels of a bitmap handle; the handle stays the caller's.
    bool LoadFromHandle(HBITMAP__* bitmap);
    // A picture file (BMP, PNG, JPEG, whatever the system decoder reads). False and empty on
    // any failure: missing, empty, damaged, lying or oversized file.
    bool LoadFromFile(const wchar_t* path);
    // First image of a GIF resource; result codes as DecodeGif (scene/GifDecoder.h).
    int LoadGifFromResource(HINSTANCE__* module, const wchar_t* name, const wchar_t* type = nullptr);
    int LoadGifFromResource(HINSTANCE__* module, int id, const wchar_t* type = nullptr);

    // --- channels ---
    // A new bitmap holding only channel index (0 blue .. 3 alpha), other bytes 0; null when this
    // bitmap is empty or the index is out of range.
    std::unique_ptr<CBmp> ExtractChannel(int index) const;
    // Copies channel index of source over the overlapping top-left area.
    void CopyChannelFrom(const CBmp& source, int index) noexcept;

    // --- drawing ---
    // Blends this bitmap onto a target at (x + offset x, y + offset y), clipped to the target.
    void DrawAlpha(CDrawTarget& target, int x, int y) const;
    void DrawAlpha(CPixSurface& surface, int x, int y) const;
    void DrawAlpha(HDC__* dc, int x, int y) const;  // Win32, scene/win/

    // --- layer groups (image button looks) ---
    // Appends an empty group; the label is not kept. Answers the new group's index.
    int AddGroup(const wchar_t* label = nullptr);
    int GroupCount() const noexcept { return static_cast<int>(m_groups.size()); }
    bool HasGroup(int k) const noexcept { return k >= 0 && k < GroupCount(); }
    bool GroupHasLayers(int k) const noexcept { return HasGroup(k) && !m_groups[k].empty(); }
    int LayerCount(int k) const noexcept { return HasGroup(k) ? static_cast<int>(m_groups[k].size()) : 0; }
    // Layer i of group k (owned by this bitmap), or null.
    CBmp* Layer(int k, int i) noexcept;
    const CBmp* Layer(int k, int i) const noexcept;
    // Appends a copy of this bitmap (pixels and offsets, no groups) to group k and returns it;
    // null when k is not a group.
    CBmp* AddLayer(int k);
    // Draws every layer of group k in order at (x, y) (each with its own offset).
    void DrawGroup(int k, CDrawTarget& target, int x, int y) const;

    // --- colour transforms (in place; nothing on an empty bitmap) ---
    // v' = clamp(b + 127 + (v - 127) * (c + 127) / 127) on blue, green and red.
    void AdjustBrightnessContrast(int brightness, int contrast) noexcept;
    // Hue shift by the weights of a colour reference (0x00BBGGRR), see HueColour.
    void MixChannels(std::uint32_t colour) noexcept;
    // A' = clamp(A * factor / 255 + add).
    void ScaleAlpha(int factor, int add) noexcept;

    // --- geometry transforms ---
    // Smooth resize (linear when enlarging, area average when shrinking), rows then columns.
    // False when nothing was done (empty, size <= 0, same size, refused size, no memory).
    bool Resample(int newWidth, int newHeight);
    // Adds (negative left/top, positive right/bottom) or removes canvas; added area gets
    // fillColour (colour reference with alpha in the top byte).
    bool ResizeCanvas(int left, int top, int right, int bottom, std::uint32_t fillColour);
    // Crops to the box of pixels with non-zero alpha; false (unchanged) when there is none.
    bool CropToContent();
    // Moves the pixels as one linear sequence by dx + dy * width; vacated pixels transparent.
    void Shift(int dx, int dy);
    // Rotates the colour bytes by (dx, dy) while every alpha byte stays where it is.
    void Scroll(int dx, int dy);
    // The same as Scroll: the colour bytes move `pixels` places along the picture taken as one
    // row, wrapping at its end. Scrolls add up: Scroll(a, b) then Scroll(c, d) is
    // RotateColours of the sum of their ScrollTurns, modulo the pixel count.
    static long long ScrollTurn(int width, int height, int dx, int dy) noexcept;
    void RotateColours(long long pixels);

    // --- button looks and stretched drawing ---
    // Hue-mixes this bitmap with colour and builds groups 1 (hot), 2 (disabled), 3 (pressed);
    // the layers' offsets are those of a 96-DPI button scaled to dpi.
    void BuildStateLayers(std::uint32_t colour, int dpi = 96);
    // Stretches to width x height (nearest pixel), fades it onto the target with opacity 0..255
    // and writes the area back opaque.
    void DrawStretchedFaded(CDrawTarget& target, int x, int y, int width, int height, int opacity) const;
    // Stretches to W x H keeping a frame of bX columns and bY rows at their own size.
    void DrawStretchedBorder(CDrawTarget& target, int x, int y, int W, int H, int bX, int bY) const;
    void DrawGroupStretchedBorder(int group, CDrawTarget& target, int x, int y, int W, int H, int bX,
                                  int bY) const;

private:
    // Replaces the buffer with a new zero-filled one of width x height; false (and empty) on failure.
    bool Allocate(int width, int height);

    std::unique_ptr<std::uint8_t[]> m_bits;  // owned pixels, null when empty
    int m_size = 0;
    int m_width = 0;
    int m_height = 0;
    int m_offsetX = 0;
    int m_offsetY = 0;
    int m_hasAlpha = 0;
    // Layer groups: each an ordered list of owned layers.
    std::vector<std::vector<std::unique_ptr<CBmp>>> m_groups;
};
