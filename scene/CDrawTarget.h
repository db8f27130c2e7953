// CDrawTarget: what a draw call writes into. Mode 0 is a device context (its pixels are moved in
// and out through a temporary memory context and bitmap per call, scene/win/); mode 1 is a
// CPixSurface, read and written directly. Draw code reads the target's pixels under a rectangle
// into a top-down 32-bit buffer, blends there, and writes the buffer back.
#pragma once

#include <cstdint>

struct HDC__;
class CPixSurface;

class CDrawTarget {
public:
    enum EMode { kDc = 0, kSurface = 1 };

    explicit CDrawTarget(CPixSurface& surface) noexcept : m_mode(kSurface), m_surface(&surface) {}
    explicit CDrawTarget(HDC__* dc) noexcept;  // scene/win/

    EMode Mode() const noexcept { return m_mode; }
    CPixSurface* Surface() const noexcept { return m_surface; }
    HDC__* Dc() const noexcept { return m_dc; }

    // Reads the target's pixels under the rectangle (x, y, width, height) into buf (width * height
    // * 4 bytes, top-down). Parts of the rectangle outside a surface read as transparent black.
    // False when nothing could be read (no target, empty rectangle, device failure).
    bool Read(int x, int y, int width, int height, std::uint8_t* buf) const;
    // Writes buf back to the same rectangle; parts outside a surface are dropped.
    bool Write(int x, int y, int width, int height, const std::uint8_t* buf) const;

    // How a device context moves pixels; set by the device-context constructor only.
    struct SDcOps {
        bool (*read)(HDC__* dc, int x, int y, int width, int height, std::uint8_t* buf);
        bool (*write)(HDC__* dc, int x, int y, int width, int height, const std::uint8_t* buf);
    };

private:
    EMode m_mode;
    CPixSurface* m_surface = nullptr;  // not owned
    HDC__* m_dc = nullptr;             // not owned
    const SDcOps* m_dcOps = nullptr;
};
