// CBlinkSprite: the two blink sprites as the lights draw them, shared by every light. Built once
// from the mask (its blue byte is the light's shape and brightness) and the sparkle strip (12
// frames of the mask's size side by side, blue = intensity): for each strip frame, per row, the
// one run of columns where some intensity gives a non-zero blend, with the mask and sparkle bytes
// of those columns (a mask pixel that is all zero counts as 0), and the lowest intensity at which
// the run blends at all. Everything outside the runs, and a run below that intensity, leaves the
// frame as it is, so drawing from the runs gives exactly what visiting every pixel gives.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class CBmp;
struct SFrameCopy;

class CBlinkSprite {
public:
    static constexpr int kFrames = 12;

    // A new shared sprite from copies of what the bitmaps hold now.
    static std::shared_ptr<const CBlinkSprite> Make(const CBmp& mask, const CBmp& strip);

    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    bool IsEmpty() const noexcept { return m_width <= 0 || m_height <= 0; }

    // Blends strip frame k at intensity (0..255) with colour (0x00RRGGBB) into the premultiplied
    // frame at (x, y), clipped to it; alpha bytes stay. Per pixel: s = mask * intensity / 256,
    // b = sparkle * s / 256, d = (d * (255 - b) + channel * b) / 255. With a copy, each changed
    // pixel also goes, scaled, into the copy, and the runs visited into its runs.
    void Draw(std::uint8_t* frame, int frameWidth, int frameHeight, int x, int y, int k, int intensity,
              std::uint32_t colour, SFrameCopy* copy = nullptr) const noexcept;

    // Pixels visited per strip frame (tests).
    int RunPixels(int k) const noexcept;

private:
    struct SRun {
        int row, col, count;
        std::size_t bytes;  // index of the run's first byte in m_mask and m_spark
        int least;          // the lowest intensity at which a pixel of the run blends (b >= 1)
    };
    int m_width = 0;
    int m_height = 0;
    std::vector<SRun> m_runs;
    std::size_t m_first[kFrames + 1] = {};  // runs of frame k: [m_first[k], m_first[k + 1])
    std::vector<std::uint8_t> m_mask;
    std::vector<std::uint8_t> m_spark;
};
