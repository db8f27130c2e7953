#include "view/CFrameCache.h"

#include "scene/CBmp.h"
#include "view/CFrameBuilder.h"

#include <cstring>

CFrameCache::SKey CFrameCache::KeyOf(const SFramePicture& p) noexcept {
    const CBmp* bmp = p.picture;
    return {bmp, bmp ? bmp->Bits() : nullptr, bmp ? bmp->Width() : 0, bmp ? bmp->Height() : 0, p.x, p.y, p.type,
            p.visible};
}

bool CFrameCache::Matches(const SFrameScene& scene, int width, int height) const noexcept {
    if (!m_valid || width != m_width || height != m_height || m_key.size() != scene.items.size() + 1) return false;
    if (!(m_key[0] == KeyOf(scene.tree))) return false;
    for (std::size_t i = 0; i < scene.items.size(); ++i)
        if (!(m_key[i + 1] == KeyOf(scene.items[i]))) return false;
    return true;
}

void CFrameCache::Build(const SFrameScene& scene, int width, int height) {
    m_valid = false;
    m_key.clear();
    m_key.push_back(KeyOf(scene.tree));
    for (const SFramePicture& item : scene.items) m_key.push_back(KeyOf(item));
    m_width = width;
    m_height = height;
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);

    auto drawn = [](const SFramePicture& p) { return p.visible && p.picture && !p.picture->IsEmpty(); };
    std::size_t first = scene.items.size();  // the first visible garland
    for (std::size_t i = 0; i < scene.items.size(); ++i) {
        if (drawn(scene.items[i]) && scene.items[i].type == 2) {
            first = i;
            break;
        }
    }

    // S, keeping a copy of the frame as it stands before the first garland (P).
    m_static.assign(pixels * 4, 0);
    const SFrameView view{m_static.data(), width, height};
    if (scene.tree.picture) CFrameBuilder::DrawTree(*scene.tree.picture, scene.tree.x, scene.tree.y, view);
    std::vector<std::uint8_t> under;
    for (std::size_t i = 0; i < scene.items.size(); ++i) {
        if (i == first) under = m_static;
        const SFramePicture& item = scene.items[i];
        if (!drawn(item)) continue;
        if (item.type == 1) CFrameBuilder::DrawToy(*item.picture, item.x, item.y, view);
        if (item.type == 2) CFrameBuilder::DrawGarland(*item.picture, item.x, item.y, {0, 255, 0}, view);
    }

    // M: every pixel a garland from the first on covers with non-zero alpha.
    std::vector<std::uint8_t> covered(first < scene.items.size() ? pixels : 0, 0);
    for (std::size_t i = first; i < scene.items.size(); ++i) {
        const SFramePicture& item = scene.items[i];
        SFrameClip clip;
        if (!drawn(item) || item.type != 2 ||
            !ClipPicture(item.picture->Width(), item.picture->Height(), item.x, item.y, width, height, clip))
            continue;
        for (int row = 0; row < clip.rows; ++row) {
            const std::uint8_t* s = item.picture->Bits() +
                                    (static_cast<std::size_t>(clip.row0 + row) * item.picture->Width() + clip.col0) * 4;
            std::uint8_t* m = covered.data() + static_cast<std::size_t>(item.y + clip.row0 + row) * width + (item.x + clip.col0);
            for (int c = 0; c < clip.cols; ++c) m[c] |= s[c * 4 + 3] != 0;
        }
    }
    m_spans.clear();
    m_under.clear();
    for (std::size_t at = 0; at < covered.size();) {
        if (!covered[at]) {
            ++at;
            continue;
        }
        std::size_t end = at;
        const std::size_t rowEnd = (at / width + 1) * width;
        while (end < rowEnd && covered[end]) ++end;
        m_spans.push_back({static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(end - at)});
        m_under.insert(m_under.end(), under.begin() + static_cast<std::ptrdiff_t>(at * 4),
                       under.begin() + static_cast<std::ptrdiff_t>(end * 4));
        at = end;
    }

    // The replay: each item from the first garland on, over its non-zero pixels inside M.
    m_runs.clear();
    m_layers.clear();
    for (std::size_t i = first; i < scene.items.size(); ++i) {
        const SFramePicture& item = scene.items[i];
        SFrameClip clip;
        if (!drawn(item) || (item.type != 1 && item.type != 2) ||
            !ClipPicture(item.picture->Width(), item.picture->Height(), item.x, item.y, width, height, clip))
            continue;
        const int pw = item.picture->Width();
        const std::size_t runsBefore = m_runs.size();
        for (int row = 0; row < clip.rows; ++row) {
            const std::size_t src0 = static_cast<std::size_t>(clip.row0 + row) * pw + clip.col0;
            const std::size_t at0 = static_cast<std::size_t>(item.y + clip.row0 + row) * width + (item.x + clip.col0);
            const std::uint8_t* s = item.picture->Bits() + src0 * 4;
            for (int c = 0; c < clip.cols;) {
                if (s[c * 4 + 3] == 0 || !covered[at0 + c]) {
                    ++c;
                    continue;
                }
                int end = c;
                while (end < clip.cols && s[end * 4 + 3] != 0 && covered[at0 + end]) ++end;
                m_runs.push_back({static_cast<std::uint32_t>(at0 + c), static_cast<std::uint32_t>(src0 + c),
                                  static_cast<std::uint32_t>(end - c)});
                c = end;
            }
        }
        if (m_runs.size() != runsBefore) m_layers.push_back({item.picture->Bits(), item.type, runsBefore, m_runs.size()});
    }
    m_valid = true;
    ++m_builds;
}

void CFrameCache::Compose(std::uint8_t* frame, SGradientColour colour) const noexcept {
    std::memcpy(frame, m_static.data(), m_static.size());
    const std::uint8_t* under = m_under.data();
    for (const SSpan& span : m_spans) {
        std::memcpy(frame + static_cast<std::size_t>(span.at) * 4, under, static_cast<std::size_t>(span.count) * 4);
        under += static_cast<std::size_t>(span.count) * 4;
    }
    const SGarlandMix mix = GarlandMix(colour.r, colour.g, colour.b);
    for (const SLayer& layer : m_layers) {
        for (std::size_t r = layer.first; r < layer.last; ++r) {
            const SRun& run = m_runs[r];
            const std::uint8_t* s = layer.bits + static_cast<std::size_t>(run.src) * 4;
            std::uint8_t* d = frame + static_cast<std::size_t>(run.at) * 4;
            if (layer.type == 1) {
                BlendToyRow(s, d, static_cast<int>(run.count));
            } else {
                BlendGarlandRow(s, d, static_cast<int>(run.count), mix);
            }
        }
    }
}
