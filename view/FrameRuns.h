// What the lights hand back while they draw into the frame builder's unscaled work frame.
// CFrameRuns: the runs of frame pixels drawn during a tick (the builder restores only those
// afterwards). Its room is reserved once; a tick that draws more runs than fit marks it overflowed
// instead of allocating, and the builder then restores the whole work frame.
// SFrameCopy: the window's frame, which receives every drawn pixel at once scaled by the view
// opacity, and the runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CFrameRuns {
public:
    struct SRun {  // pixels [at, at + count) of the frame, row-major
        std::uint32_t at, count;
    };

    void Reserve(std::size_t runs) { m_runs.resize(runs); }
    void Clear() noexcept {
        m_count = 0;
        m_overflow = false;
    }
    void Add(std::size_t at, std::size_t count) noexcept {
        if (count == 0) return;
        if (m_count == m_runs.size()) {
            m_overflow = true;
            return;
        }
        m_runs[m_count++] = {static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(count)};
    }
    bool Overflowed() const noexcept { return m_overflow; }
    const SRun* begin() const noexcept { return m_runs.data(); }
    const SRun* end() const noexcept { return m_runs.data() + m_count; }
    std::size_t Count() const noexcept { return m_count; }

private:
    std::vector<SRun> m_runs;
    std::size_t m_count = 0;
    bool m_overflow = false;
};

struct SFrameCopy {
    std::uint8_t* bits = nullptr;  // same size and layout as the frame drawn into
    std::uint32_t factor = 256;    // byte * factor >> 8 (view/FramePixels.h: OpacityFactor)
    CFrameRuns runs;
};
