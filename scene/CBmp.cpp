#include "scene/CBmp.h"

#include "scene/CDrawTarget.h"
#include "scene/CPixSurface.h"

#include <cstring>
#include <new>
#include <utility>

bool CBmp::IsAcceptableSize(long long width, long long height) noexcept {
    return width > 0 && height > 0 && width <= kMaxPixels && height <= kMaxPixels &&
           width * height <= kMaxPixels;
}

CBmp::~CBmp() = default;

CBmp::CBmp(CBmp&& other) noexcept
    : m_bits(std::move(other.m_bits)),
      m_size(std::exchange(other.m_size, 0)),
      m_width(std::exchange(other.m_width, 0)),
      m_height(std::exchange(other.m_height, 0)),
      m_offsetX(std::exchange(other.m_offsetX, 0)),
      m_offsetY(std::exchange(other.m_offsetY, 0)),
      m_hasAlpha(std::exchange(other.m_hasAlpha, 0)),
      m_groups(std::move(other.m_groups)) {
    other.m_groups.clear();
}

CBmp& CBmp::operator=(CBmp&& other) noexcept {
    if (this != &other) {
        Free();
        m_bits = std::move(other.m_bits);
        m_size = std::exchange(other.m_size, 0);
        m_width = std::exchange(other.m_width, 0);
        m_height = std::exchange(other.m_height, 0);
        m_offsetX = std::exchange(other.m_offsetX, 0);
        m_offsetY = std::exchange(other.m_offsetY, 0);
        m_hasAlpha = std::exchange(other.m_hasAlpha, 0);
        m_groups = std::move(other.m_groups);
        other.m_groups.clear();
    }
    return *this;
}

std::uint32_t CBmp::PixelAt(int x, int y) const noexcept {
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    const std::uint8_t* p = m_bits.get() + (static_cast<std::size_t>(y) * m_width + x) * 4;
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool CBmp::Allocate(int width, int height) {
    m_bits.reset();
    m_size = m_width = m_height = 0;
    if (!IsAcceptableSize(width, height)) return false;
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    m_bits.reset(new (std::nothrow) std::uint8_t[bytes]());
    if (!m_bits) return false;
    m_width = width;
    m_height = height;
    m_size = static_cast<int>(bytes);
    return true;
}

bool CBmp::Create(int width, int height) {
    m_hasAlpha = 0;
    return Allocate(width, height);
}

void CBmp::Free() noexcept {
    m_bits.reset();
    m_size = m_width = m_height = 0;
    m_offsetX = m_offsetY = 0;
    m_hasAlpha = 0;
    m_groups.clear();
}

bool CBmp::CopyFrom(const CBmp* source) {
    if (!source || source->IsEmpty() || source == this) return false;
    // Copy first, free afterwards: the source may be one of this bitmap's own layers, which
    // freeing destroys.
    CBmp copy;
    if (!copy.Allocate(source->m_width, source->m_height)) {
        Free();
        return false;
    }
    std::memcpy(copy.m_bits.get(), source->m_bits.get(), static_cast<std::size_t>(copy.m_size));
    copy.m_offsetX = source->m_offsetX;
    copy.m_offsetY = source->m_offsetY;
    copy.m_hasAlpha = source->m_hasAlpha;
    *this = std::move(copy);
    return true;
}

bool CBmp::CopyFromSurface(const CPixSurface& surface) {
    if (surface.IsEmpty()) return false;
    Free();
    if (!Allocate(surface.Width(), surface.Height())) return false;
    std::memcpy(m_bits.get(), surface.Bits(), static_cast<std::size_t>(m_size));
    return true;
}

std::unique_ptr<CBmp> CBmp::ExtractChannel(int index) const {
    if (IsEmpty() || index < 0 || index > 3) return nullptr;
    auto out = std::make_unique<CBmp>();
    if (!out->Create(m_width, m_height)) return nullptr;
    const std::uint8_t* s = m_bits.get();
    std::uint8_t* d = out->Bits();
    for (int i = index; i < m_size; i += 4) d[i] = s[i];
    return out;
}

void CBmp::CopyChannelFrom(const CBmp& source, int index) noexcept {
    if (IsEmpty() || source.IsEmpty() || index < 0 || index > 3) return;
    const int w = m_width < source.m_width ? m_width : source.m_width;
    const int h = m_height < source.m_height ? m_height : source.m_height;
    for (int y = 0; y < h; ++y) {
        std::uint8_t* d = m_bits.get() + static_cast<std::size_t>(y) * m_width * 4 + index;
        const std::uint8_t* s = source.m_bits.get() + static_cast<std::size_t>(y) * source.m_width * 4 + index;
        for (int x = 0; x < w; ++x) d[x * 4] = s[x * 4];
    }
}

int CBmp::AddGroup(const wchar_t* /*label*/) {
    m_groups.emplace_back();
    return GroupCount() - 1;
}

CBmp* CBmp::Layer(int k, int i) noexcept {
    if (!HasGroup(k) || i < 0 || i >= LayerCount(k)) return nullptr;
    return m_groups[k][i].get();
}

const CBmp* CBmp::Layer(int k, int i) const noexcept {
    if (!HasGroup(k) || i < 0 || i >= LayerCount(k)) return nullptr;
    return m_groups[k][i].get();
}

CBmp* CBmp::AddLayer(int k) {
    if (!HasGroup(k)) return nullptr;
    auto layer = std::make_unique<CBmp>();
    layer->CopyFrom(this);
    m_groups[k].push_back(std::move(layer));
    return m_groups[k].back().get();
}

void CBmp::DrawGroup(int k, CDrawTarget& target, int x, int y) const {
    if (!HasGroup(k)) return;
    for (const auto& layer : m_groups[k]) layer->DrawAlpha(target, x, y);
}
